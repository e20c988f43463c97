#include "analysis/plot_gain.h"

#include "analysis/attenuation.h"
#include "analysis/plot_data.h"
#include "engine/run.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"

namespace elix {

bool MakeGainPlot(CElixDoc& doc, double centreFrequencyHz) {
    const CPlotData& spectrum = doc.plotData[kSpectrumPlot];
    if (spectrum.CurveCount() == 0) return false;
    CPlotData& gain = doc.plotData[kGainPlot];
    CopyAsLevelPlot(spectrum, gain, Format("%s, Gain", doc.Title()));
    LevelsAgainstReference(gain, DefaultReferenceCurve(gain, doc.Receivers().Count()), LevelSense::Gain);
    gain.axes.xMaxAuto = false;
    gain.axes.xMax = static_cast<float>(2.5 * centreFrequencyHz * 1e-6);
    return true;
}

}  // namespace elix
