#include "analysis/recorded_receivers.h"

#include "engine/run.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {

bool LoadRecordedReceivers(CElixDoc& doc, bool setMainTitle) {
    CPlotData& plot = doc.plotData[kReceiverPlot];
    const CItemList<CReceiver>& receivers = doc.Receivers();
    for (int k = 0; k < receivers.Count(); ++k) {
        const CReceiver& receiver = receivers[k];
        if (receiver.outputFile.empty()) continue;
        const float centreX = (receiver.x1 + receiver.x2) / 2.0f;
        const float centreY = (receiver.y1 + receiver.y2) / 2.0f;
        plot.LoadReceiverFile(centreX, centreY, ResolveModelRelativePath(doc.PathName(), receiver.outputFile),
                              receiver.name, {receiver.longitudinalMode != 0, receiver.shearMode != 0});
    }
    if (plot.CurveCount() == 0) {
        doc.ReportMessage(kNoReceiverData, MessageStyle::Information);
        return false;
    }
    if (setMainTitle) plot.titles.main = doc.Title();
    plot.message = kRecordedDataNote;
    return true;
}

bool EnsureReceiverCurves(CElixDoc& doc, bool setMainTitle) {
    if (doc.plotData[kReceiverPlot].CurveCount() > 0) return true;
    return LoadRecordedReceivers(doc, setMainTitle);
}

std::string NoSuchCurveMessage(int index, int curveCount) {
    if (curveCount <= 0) return Format("There is no curve %d: the plot has no curves.", index);
    return Format("There is no curve %d: the curves are numbered 0 to %d.", index, curveCount - 1);
}

}  // namespace elix
