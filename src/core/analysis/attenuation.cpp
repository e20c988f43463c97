#include "analysis/attenuation.h"

#include <algorithm>
#include <cmath>

#include "analysis/plot_data.h"
#include "analysis/recorded_receivers.h"
#include "analysis/spectrum.h"
#include "engine/run.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"

namespace elix {

int DefaultReferenceCurve(const CPlotData& plot, int receiverCount) {
    const int count = plot.CurveCount();
    if (count == 0) return -1;
    const int reference = 2 * receiverCount;
    if (reference >= 0 && reference < count) return reference;
    return count >= 2 ? count - 2 : 0;
}

void CopyAsLevelPlot(const CPlotData& spectrum, CPlotData& target, const std::string& mainTitle) {
    target.CopyFrom(spectrum);
    target.titles.main = mainTitle;
    target.latestX = 1e9f;
    target.axes.xScale = 1.0f;
    target.titles.x = "Frequency (MHz)";
    target.titles.y = "dB";
}

void LevelsAgainstReference(CPlotData& plot, int reference, LevelSense sense) {
    if (!plot.SetCurrentCurve(reference)) return;
    const double sign = sense == LevelSense::Gain ? 20.0 : -20.0;
    for (int c = 0; c < plot.CurveCount(); ++c) {
        if (c == reference) continue;
        PlotCurve& curve = *plot.CurveAt(c);
        const auto n = static_cast<std::size_t>(curve.PointCount());
        for (std::size_t i = 0; i < n; ++i) {
            const double r = plot.InterpolateY(curve.x[i]);
            curve.y[i] = r > 0.0 ? static_cast<float>(sign * std::log10(curve.y[i] / r)) : 0.0f;
        }
        if ((c - reference) % 2 != 0) curve.disabled = true;
    }
    PlotCurve& referenceCurve = *plot.CurveAt(reference);
    std::fill(referenceCurve.y.begin(), referenceCurve.y.end(), 0.0f);
}

bool BeginAttenuation(CElixDoc& doc, int& defaultReference) {
    const CPlotData& spectrum = doc.plotData[kSpectrumPlot];
    if (spectrum.CurveCount() == 0 && !SpectrumPlot(doc)) return false;
    if (spectrum.CurveCount() == 0) return false;
    CPlotData& attenuation = doc.plotData[kAttenuationPlot];
    CopyAsLevelPlot(spectrum, attenuation, Format("%s, Attenuation", doc.Title()));
    defaultReference = DefaultReferenceCurve(attenuation, doc.Receivers().Count());
    return true;
}

void FinishAttenuation(CElixDoc& doc, int reference) {
    LevelsAgainstReference(doc.plotData[kAttenuationPlot], reference, LevelSense::Attenuation);
}

bool Attenuation(CElixDoc& doc, std::optional<int> reference, std::string& error) {
    int chosen = -1;
    if (!BeginAttenuation(doc, chosen)) {
        error.clear();  // "No Receiver Data Available." was shown
        return false;
    }
    const int count = doc.plotData[kAttenuationPlot].CurveCount();
    if (reference) {
        if (*reference < 0 || *reference >= count) {
            error = NoSuchCurveMessage(*reference, count);
            return false;
        }
        chosen = *reference;
    }
    FinishAttenuation(doc, chosen);
    return true;
}

}  // namespace elix
