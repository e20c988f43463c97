// Attenuation: the spectra in decibels relative to one reference curve,
// and the curve arithmetic it shares with the transducer designer's gain.
#pragma once

#include <optional>
#include <string>

namespace elix {

class CElixDoc;
class CPlotData;

// The reference curve used when none is chosen: index 2R, the first curve
// after the curves of the R receivers (in a run's plot, the first source
// curve), or count - 2 when the plot has no curve of that index. -1 when
// the plot has no curves; never below 0 otherwise.
int DefaultReferenceCurve(const CPlotData& plot, int receiverCount);

// The start of the attenuation and gain plots: target becomes a copy of
// the spectrum plot (CPlotData::CopyFrom) with the given main title, latest
// x 1e9 (no point is cut off), x scale 1, x title "Frequency (MHz)" and y
// title "dB".
void CopyAsLevelPlot(const CPlotData& spectrum, CPlotData& target, const std::string& mainTitle);

// Which way the level is counted: attenuation -20 log10(a / r), gain
// +20 log10(a / r).
enum class LevelSense { Attenuation, Gain };

// Expresses every curve against the reference: each point (f, a) of a
// curve other than the reference becomes +-20 log10(a / r), r being the
// reference's value at f by linear interpolation, or 0 where r is not
// above 0 (f outside the reference's frequency range included). Curves
// whose index differs in parity from the reference's (transverse against
// longitudinal or the reverse) are disabled; the others keep their state.
// The reference's own values all become 0. Nothing happens when the
// reference does not exist. A zero amplitude against a positive reference
// gives an infinite level, which the drawing and the automatic range skip.
void LevelsAgainstReference(CPlotData& plot, int reference, LevelSense sense);

// The Attenuation command without its windows, in two steps around the
// Reference Curve dialog. BeginAttenuation runs Spectrum Plot when the
// spectrum plot is empty (false when there is still nothing), makes the
// attenuation plot a copy of the spectrum plot titled "%s, Attenuation"
// with the document title, latest x 1e9, x scale 1, x title
// "Frequency (MHz)" and y title "dB", and gives the default reference.
bool BeginAttenuation(CElixDoc& doc, int& defaultReference);
// The levels of the attenuation plot against the reference the dialog
// accepted (or the default, when it was cancelled).
void FinishAttenuation(CElixDoc& doc, int reference);

// Both steps at once, without a dialog: the reference is the one given, or
// the default. False when there is no receiver data (the message was shown
// through the document; error is empty) or the given reference is not a
// curve of the plot (error says why; the attenuation plot then holds the
// unconverted spectra).
bool Attenuation(CElixDoc& doc, std::optional<int> reference, std::string& error);

}  // namespace elix
