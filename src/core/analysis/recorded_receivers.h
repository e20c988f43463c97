// Filling the receiver plot from the receiver output files named in the
// model, for the analysis commands that find it empty (no run since the
// model was opened).
#pragma once

#include <string>

namespace elix {

class CElixDoc;

// The note the receiver plot carries after files were loaded.
inline constexpr const char* kRecordedDataNote = "Note: Recorded Receiver Data Are Loaded.";
inline constexpr const char* kNoReceiverData = "No Receiver Data Available.";

// Appends, for each receiver in list order whose output file name is set,
// the curve pair of its file (resolved against the model's folder) at the
// receiver's centre; files that cannot be read are skipped silently. When
// the receiver plot then has no curves, shows "No Receiver Data Available."
// and returns false. Otherwise the plot's message becomes the loaded-data
// note and, with setMainTitle, its main title becomes the document title.
bool LoadRecordedReceivers(CElixDoc& doc, bool setMainTitle);

// The receiver plot as the analysis commands need it: true at once when it
// has curves, else LoadRecordedReceivers.
bool EnsureReceiverCurves(CElixDoc& doc, bool setMainTitle);

// The refusal of a curve index that a plot of curveCount curves lacks.
std::string NoSuchCurveMessage(int index, int curveCount);

}  // namespace elix
