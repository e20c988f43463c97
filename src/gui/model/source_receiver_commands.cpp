// Source Configuration and Receiver Configuration: each reloads the
// geometry from the working file, then opens its editor on the model.
#include <QDialog>

#include "app/main_frame.h"
#include "app/subsystem_commands.h"
#include "model/elix_doc.h"
#include "model/receiver_configuration_dlg.h"
#include "model/source_configuration_dlg.h"

namespace elix {
namespace {

// The item editors do nothing while the model runs or has no geometry; a
// geometry that cannot be reloaded keeps the editor closed.
bool EditorMayOpen(CMainFrame& frame, CElixDoc* doc) {
    if (!doc || doc->IsRunning() || doc->WorkingFileName == "None") return false;
    if (!doc->LoadWorkingImage(true, nullptr)) {
        frame.UserInterface().ShowMessage(doc->MessageText(), MessageStyle::Exclamation, "");
        return false;
    }
    return true;
}

void Redraw(CElixDoc& doc) {
    doc.RebuildDisplayBitmap();
    doc.UpdateAllViews('a');
}

}  // namespace

bool ExecuteSourceReceiverCommand(CMainFrame& frame, Cmd id, CElixDoc* doc) {
    switch (id) {
        case Cmd::SourceConfiguration: {
            if (!EditorMayOpen(frame, doc)) return true;
            CSourceConfigurationDlg dialog(*doc, frame.Directories()[DirectoryKind::SourceWaveform], &frame);
            dialog.exec();
            Redraw(*doc);
            return true;
        }
        case Cmd::ReceiverConfiguration: {
            if (!EditorMayOpen(frame, doc)) return true;
            CReceiverConfigurationDlg dialog(*doc, frame.Directories()[DirectoryKind::ReceiverOutput], &frame);
            dialog.exec();
            Redraw(*doc);
            return true;
        }
        default: return false;
    }
}

}  // namespace elix
