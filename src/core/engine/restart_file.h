// Restart files (.res): a stopped run saved so that it can go on later from
// the next step with the same model and job parameters (the duration may
// change). A short text header for people, zeros up to byte 1024, then a
// little-endian binary block: the step, the grid identity, the receiver
// plot's curves, the three time levels of both displacement fields and the
// delay lines of array receivers.
#pragma once

#include <string>

namespace elix {

class CElixDoc;
struct RunData;

// The binary block starts here.
inline constexpr long kRestartDataOffset = 1024;

// Writes the running document's state after step (the step just finished)
// to path. False with the message in error: "Unable to open file %s.",
// "Internal data error.", "Failed to save plot data." or "Failed to save
// grid data.". The previous file at path survives a failed save.
bool SaveRestart(const std::string& path, const CElixDoc& doc, const RunData& run, int step, std::string& error);

// Checks path against the freshly prepared run and reads it into the run
// and the document's receiver plot; nextStep becomes the saved step + 1.
// False with the message in error ("'%s' is not a Elastrix restart file.",
// "'%s' is not the same as current job", "Don't change job parameters for
// restart job, except the duration.", "Failed to load plot data.", "Failed
// to load grid data."); the whole file is checked before anything is
// changed, so a refused file leaves the run as it was.
bool LoadRestart(const std::string& path, CElixDoc& doc, RunData& run, int& nextStep, std::string& error);

}  // namespace elix
