// The transducer designer's gain plot: the document's spectra in decibels
// against the default reference curve.
#pragma once

namespace elix {

class CElixDoc;

// Plot Gain without its window: the gain plot becomes a copy of the
// spectrum plot titled "%s, Gain" with the document title, latest x 1e9,
// x scale 1, x title "Frequency (MHz)" and y title "dB"; every curve is
// expressed as +20 log10(a / r) against the default reference curve (index
// 2R, else count - 2), other-parity curves are disabled and the reference
// becomes a zero line; the x maximum is fixed at 2.5 times the centre
// frequency, in MHz. False, nothing changed, when the spectrum plot has no
// curves.
bool MakeGainPlot(CElixDoc& doc, double centreFrequencyHz);

}  // namespace elix
