#include "analysis/plot_commands.h"

#include "analysis/attenuation.h"
#include "analysis/plot_data_dlg.h"
#include "analysis/plot_view_rules.h"
#include "analysis/plot_window.h"
#include "analysis/receiver_timer.h"
#include "analysis/receiver_timer_dlg.h"
#include "analysis/recorded_receivers.h"
#include "analysis/ref_curve_dlg.h"
#include "analysis/spectrum.h"
#include "app/help_system.h"
#include "app/main_frame.h"
#include "app/subsystem_commands.h"
#include "engine/run.h"
#include "model/elix_doc.h"

namespace elix {

bool EditPlot(CMainFrame& frame, CElixDoc& doc, char kind) {
    const int index = PlotIndexOfKind(kind);
    if (index < 0) return false;
    CPlotDataDlg dialog(doc, doc.plotData[static_cast<std::size_t>(index)], kind,
                        frame.Directories()[DirectoryKind::ReceiverOutput], &frame);
    if (dialog.exec() != QDialog::Accepted) return false;
    doc.UpdateAllViews(kind == 'r' ? 'a' : kind);
    return true;
}

void ReceiverPlotCommand(CMainFrame& frame, CElixDoc& doc) {
    if (!EnsureReceiverCurves(doc, true)) return;
    OpenPlotWindow(frame, doc, 'r');
    EditPlot(frame, doc, 'r');
}

bool SpectrumPlotCommand(CMainFrame& frame, CElixDoc& doc) {
    if (!SpectrumPlot(doc)) return false;
    OpenPlotWindow(frame, doc, 'f');
    // An open spectrum window shows the new spectra at once.
    doc.UpdateAllViews('f');
    return true;
}

void AttenuationCommand(CMainFrame& frame, CElixDoc& doc) {
    if (doc.plotData[kSpectrumPlot].CurveCount() == 0 && !SpectrumPlotCommand(frame, doc)) return;
    int reference = 0;
    if (!BeginAttenuation(doc, reference)) return;
    CRefCurveDlg dialog(
        doc.plotData[kAttenuationPlot], reference,
        [&dialog] { ShowHelpPageOf(&dialog); }, &frame);
    // With Cancel the default reference is used and no window opens.
    if (dialog.exec() == QDialog::Accepted) {
        OpenPlotWindow(frame, doc, 't');
        reference = dialog.Index();
    }
    FinishAttenuation(doc, reference);
    doc.UpdateAllViews('t');
}

void ReceiverTimerCommand(CMainFrame& frame, CElixDoc& doc) {
    if (!PrepareReceiverTimer(doc)) return;
    CReceiverTimerDlg dialog(doc, &frame);
    dialog.exec();
}

bool ExecutePlotCommand(CMainFrame& frame, Cmd id, CElixDoc* doc) {
    switch (id) {
        case Cmd::ReceiverPlot: if (doc) ReceiverPlotCommand(frame, *doc); return true;
        case Cmd::SpectrumPlot: if (doc) SpectrumPlotCommand(frame, *doc); return true;
        case Cmd::Attenuation: if (doc) AttenuationCommand(frame, *doc); return true;
        case Cmd::ReceiverTimer: if (doc) ReceiverTimerCommand(frame, *doc); return true;
        default: return false;
    }
}

}  // namespace elix
