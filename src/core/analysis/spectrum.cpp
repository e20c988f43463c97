#include "analysis/spectrum.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

#include "analysis/fft.h"
#include "analysis/plot_data.h"
#include "analysis/recorded_receivers.h"
#include "engine/run.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"

namespace elix {

void CurveSpectrum(PlotCurve& curve) {
    const auto n = static_cast<std::size_t>(curve.PointCount());
    const double dt = n >= 2 ? (double{curve.x[1]} - double{curve.x[0]}) * 1e6 : 0.0;  // us
    if (!(dt > 0.0) || !std::isfinite(dt)) {
        curve.x.clear();
        curve.y.clear();
        return;
    }
    const std::size_t N = NextPowerOfTwo(2 * n);
    const std::size_t M = N / 2;
    const std::size_t quarter = N / 4;  // number of distinct spectrum points, 1 <= quarter < n

    // Element M - 1 stays zero, so a signal of exactly M samples loses its last one.
    std::vector<std::complex<double>> transform(M);
    const std::size_t used = std::min(n, M - 1);
    for (std::size_t i = 0; i < used; ++i) transform[i] = curve.y[i];
    FourierTransform(transform);

    const double df = 1.0 / (static_cast<double>(N) * dt);  // MHz
    curve.x.resize(n);
    curve.y.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t k = std::min(i, quarter - 1);
        curve.x[i] = static_cast<float>(static_cast<double>(k) * 2.0 * df);
        curve.y[i] = i < quarter ? static_cast<float>(std::abs(transform[i]) * dt) : curve.y[quarter - 1];
    }
}

void MakeSpectrumPlot(const CPlotData& receivers, CPlotData& spectrum, const std::string& documentTitle) {
    spectrum.CopyFrom(receivers);
    spectrum.titles.main = Format("%s, Amplitude vs Frequency", documentTitle);
    spectrum.latestX = 1e9f;
    spectrum.axes.xScale = 1.0f;
    spectrum.titles.x = "Frequency (MHz)";
    for (int c = 0; c < spectrum.CurveCount(); ++c) CurveSpectrum(*spectrum.CurveAt(c));
}

bool SpectrumPlot(CElixDoc& doc) {
    if (!EnsureReceiverCurves(doc, false)) return false;
    MakeSpectrumPlot(doc.plotData[kReceiverPlot], doc.plotData[kSpectrumPlot], doc.Title());
    return true;
}

}  // namespace elix
