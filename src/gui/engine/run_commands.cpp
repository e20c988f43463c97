// Elix > Check Model, Run, Restart Model; Tools > Dump Displacements and
// Playback.
#include <QImage>
#include <QStatusBar>
#include <algorithm>
#include <cmath>
#include <optional>

#include "app/directories.h"
#include "app/main_frame.h"
#include "app/subsystem_commands.h"
#include "engine/model_check.h"
#include "engine/model_data_dlg.h"
#include "engine/qt_run_monitor.h"
#include "engine/run.h"
#include "model/elix_doc.h"
#include "view/colour_map.h"
#include "view/elix_view.h"
#include "view/frame_dump.h"
#include "view/play_control_dlg.h"

namespace elix {
namespace {

constexpr const char* kRunningText = "The Model is running. Please stop the process first.";

// Check Model: the message box on failure, the "Model Data" dialog on
// success. A frame on show gives way to the geometry the check reads.
void CheckModelCommand(CMainFrame& frame, CElixDoc& doc) {
    const bool showedFrame = doc.image.ShowsFrame;
    const CheckModelResult result = CheckModel(doc);
    if (!result.performed) return;
    if (showedFrame && !doc.image.ShowsFrame) {
        doc.RebuildDisplayBitmap();
        doc.UpdateAllViews('a');
    }
    if (!result.ok) {
        doc.ReportMessage(result.message, MessageStyle::Exclamation);
        return;
    }
    CModelDataDlg dialog(result.data, &frame);
    dialog.exec();
}

// Run and Restart Model: the rigid-body warning first, then the core's run
// with the window's monitor. One run at a time: a run started from inside
// another's event handling could not end before it.
void RunCommand(CMainFrame& frame, CElixDoc& doc, bool restart) {
    if (CQtRunMonitor::Active()) {
        frame.UserInterface().ShowMessage(kRunningText, MessageStyle::Exclamation, "");
        return;
    }
    const std::string warning = RigidBodyWarning(doc);
    if (!warning.empty()) doc.ReportMessage(warning, MessageStyle::Exclamation);

    frame.statusBar()->showMessage(QStringLiteral("Begin Process"));
    CQtRunMonitor monitor(doc, &frame);
    frame.UpdateCommandUI();
    monitor.HoldWaitCursor();
    const RunOutcome outcome = Run(doc, monitor, restart);
    switch (outcome) {
        case RunOutcome::Finished: frame.statusBar()->showMessage(QStringLiteral("Process completed")); break;
        case RunOutcome::Stopped: frame.statusBar()->showMessage(QStringLiteral("Process stopped")); break;
        case RunOutcome::Declined:
        case RunOutcome::Failed: frame.statusBar()->showMessage(QStringLiteral("Ready")); break;
    }
}

void PlaybackCommand(CMainFrame& frame, CElixDoc& doc) {
    PlaybackSetup setup;
    if (!PreparePlayback(doc, setup)) {
        doc.ReportMessage(doc.MessageText(), MessageStyle::Exclamation);
        return;
    }
    doc.RebuildDisplayBitmap();
    doc.UpdateAllViews('a');
    CPlayControlDlg dialog(doc, frame.Directories()[DirectoryKind::Pcx], setup, &frame);
    dialog.exec();
}

// View > Colour Map: the program's frame palette; every model showing a
// frame (live or played back) is repainted with it at once.
void ColourMapCommand(CMainFrame& frame, ColourMap map) {
    SetFrameColourMap(map);
    for (CChildFrame* child : frame.Frames()) {
        CElixDoc& doc = child->Document();
        if (!doc.image.ShowsFrame) continue;
        doc.RebuildDisplayBitmap();
        doc.UpdateAllViews('a');
    }
    frame.UpdateCommandUI();
}

// File > Save Frame As PNG: the active view's picture at its zoom, in the
// colours it is shown with.
void SaveFramePngCommand(CMainFrame& frame, CElixDoc& doc) {
    CChildFrame* child = frame.ActiveFrame();
    if (!child) return;
    const QImage& picture = child->View()->Picture();
    if (picture.isNull()) {
        doc.ReportMessage("There is no picture to save.", MessageStyle::Exclamation);
        return;
    }
    FileChooserRequest request;
    request.title = "Save Frame As PNG";
    request.filter = "PNG Files (*.png)|*.png|All Files (*.*)|*.*||";
    request.defaultExtension = "png";
    request.startFolder = frame.Directories()[DirectoryKind::Pcx];
    request.proposedName = TitleStem(doc.Title()) + ".png";
    request.confirmOverwrite = true;
    const std::optional<std::string> path = frame.UserInterface().ChooseFileToSave(request);
    if (!path) return;
    const int width = std::max(1, static_cast<int>(std::lround(static_cast<double>(doc.zoom) * picture.width())));
    const int height = std::max(1, static_cast<int>(std::lround(static_cast<double>(doc.zoom) * picture.height())));
    const QImage shown = picture.convertToFormat(QImage::Format_RGB32)
                             .scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!shown.save(QString::fromStdString(*path), "PNG"))
        doc.ReportMessage("Unable to save the file \"" + *path + "\".", MessageStyle::Exclamation);
}

}  // namespace

bool ExecuteRunCommand(CMainFrame& frame, Cmd id, CElixDoc* doc) {
    switch (id) {
        case Cmd::ColourMapGray: ColourMapCommand(frame, ColourMap::Gray); return true;
        case Cmd::ColourMapDiverging: ColourMapCommand(frame, ColourMap::Diverging); return true;
        case Cmd::ColourMapSequential: ColourMapCommand(frame, ColourMap::Sequential); return true;
        default: break;
    }
    if (!doc) return false;
    switch (id) {
        case Cmd::SaveFramePng: SaveFramePngCommand(frame, *doc); return true;
        case Cmd::CheckModel: CheckModelCommand(frame, *doc); return true;
        case Cmd::RunModel: RunCommand(frame, *doc, false); return true;
        case Cmd::RestartModel: RunCommand(frame, *doc, true); return true;
        case Cmd::DumpDisplacements:
            if (CQtRunMonitor* monitor = CQtRunMonitor::Of(doc))
                monitor->DumpDisplacements(frame.Directories()[DirectoryKind::DumpFrame]);
            return true;
        case Cmd::Playback: PlaybackCommand(frame, *doc); return true;
        default: return false;
    }
}

}  // namespace elix
