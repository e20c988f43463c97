// Spectrum Plot: every receiver curve turned into its amplitude spectrum.
#pragma once

#include <string>

namespace elix {

class CElixDoc;
class CPlotData;
struct PlotCurve;

// Replaces a time signal (x in seconds, n points) by its amplitude spectrum
// (x in MHz), keeping its n points:
//   N = the smallest power of two not below 2n, M = N / 2;
//   the samples y[0] .. y[min(n, M - 1) - 1] (never beyond element M - 2)
//   go into the real parts of M complex zeros, which are transformed;
//   dt = (x[1] - x[0]) * 1e6 us, df = 1 / (N dt) MHz;
//   y[i] = |X[i]| dt and x[i] = i * 2 df for i < N/4, and the points from
//   N/4 on repeat point N/4 - 1.
// So the spectrum runs from 0 to just below the Nyquist frequency in steps
// of 1 / (M dt). A curve with fewer than two points, or whose first two
// abscissae are not increasing, has no sample interval: it becomes empty.
void CurveSpectrum(PlotCurve& curve);

// The spectrum plot of a receiver plot: a copy of it (CPlotData::CopyFrom)
// titled "%s, Amplitude vs Frequency" with the document title, latest x
// 1e9, x scale 1, x title "Frequency (MHz)", every curve (disabled ones
// included) replaced by its spectrum. The y title stays as copied.
void MakeSpectrumPlot(const CPlotData& receivers, CPlotData& spectrum, const std::string& documentTitle);

// The Spectrum Plot command without its window: loads the recorded
// receivers when the receiver plot is empty (its main title unchanged),
// then fills the document's spectrum plot. False, after "No Receiver Data
// Available." was shown, when there is nothing to transform.
bool SpectrumPlot(CElixDoc& doc);

}  // namespace elix
