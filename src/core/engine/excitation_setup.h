// Run preparation of the excitations: the user waveforms, the context the
// time functions are evaluated in, and the boundary conditions' run data.
#pragma once

#include <string>
#include <vector>

#include "engine/boundary_conditions.h"
#include "engine/time_functions.h"

namespace elix {

class CElixDoc;

// Loads User1 and User2 from the job's UserFile1 and UserFile2 (relative to
// the model's folder) when a source or boundary condition uses them. False
// with the file's message when one cannot be loaded. Failed File waveforms
// of an earlier run are forgotten so a repaired file is read again.
bool LoadUserWaveforms(CElixDoc& doc, std::string& error);

// The context of the document's time functions: its waveforms, its path,
// and File problems reported through ReportMessage.
TimeFunctionContext TimeFunctionContextOf(CElixDoc& doc);

// The run data of every boundary condition of the document.
std::vector<CBoundaryRun> PrepareBoundaryRuns(const CElixDoc& doc, double hx, double hy, int nx, int ny);

}  // namespace elix
