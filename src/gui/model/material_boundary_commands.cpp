// Elix > Material Property, Boundary Condition and Job Parameters: each
// opens its modal editor on the active model; afterwards the model's
// display image is rebuilt and its views redrawn.
#include "app/main_frame.h"
#include "app/subsystem_commands.h"
#include "engine/job_parameters_dlg.h"
#include "model/boundary_condition_dlg.h"
#include "model/elix_doc.h"
#include "model/material_property_dlg.h"

namespace elix {

namespace {

// The item editors reload the geometry from the working file first; when
// that fails the error is shown and the editor does not open. Nothing
// opens while the model runs or has no geometry.
bool PrepareItemEditor(CMainFrame& frame, CElixDoc& doc) {
    if (doc.IsRunning() || doc.WorkingFileName == "None") return false;
    if (!doc.LoadWorkingImage(true, nullptr)) {
        frame.UserInterface().ShowMessage(doc.MessageText(), MessageStyle::Exclamation, "");
        return false;
    }
    return true;
}

void RedrawAfterEditor(CElixDoc& doc) {
    doc.RebuildDisplayBitmap();
    doc.UpdateAllViews('a');
}

}  // namespace

bool ExecuteMaterialBoundaryJobCommand(CMainFrame& frame, Cmd id, CElixDoc* doc) {
    if (id != Cmd::MaterialProperty && id != Cmd::BoundaryCondition && id != Cmd::JobParameters) return false;
    if (!doc) return true;
    switch (id) {
        case Cmd::MaterialProperty: {
            if (!PrepareItemEditor(frame, *doc)) return true;
            CMaterialEditor editor = CMaterialEditor::ForDocument(*doc);
            CMaterialPropertyDlg dialog(
                editor, &frame, doc,
                [doc](const std::string& text, MessageStyle style) { return doc->ReportMessage(text, style); },
                &frame);
            dialog.exec();
            break;
        }
        case Cmd::BoundaryCondition: {
            if (!PrepareItemEditor(frame, *doc)) return true;
            CBoundaryEditor editor(*doc, PixelExtent(doc->image));
            CBoundaryConditionDlg dialog(editor, *doc, &frame);
            dialog.exec();
            break;
        }
        default: {
            if (doc->IsRunning()) return true;
            CJobParametersDlg dialog(*doc, &frame);
            dialog.exec();
            break;
        }
    }
    RedrawAfterEditor(*doc);
    return true;
}

}  // namespace elix
