// The geometry commands whose dialogs live here: Create Image, the four Add
// commands, Set Resolution, Replace Pixel Value, Wedge Edit, and the PCX and
// BMP imports and exports. The protocols (reload, backup, confirmation,
// undo, working file) are the core's; these functions only show the
// dialogs. The Add dialogs and the Wedge Dialog keep their last values
// between uses.
#include <optional>

#include "app/main_frame.h"
#include "app/subsystem_commands.h"
#include "geometry/add_ellipse_dialog.h"
#include "geometry/add_line_dialog.h"
#include "geometry/add_rect_dialog.h"
#include "geometry/add_user_object_dialog.h"
#include "geometry/editing_commands.h"
#include "geometry/geometry_commands.h"
#include "geometry/image_resolution_dialog.h"
#include "geometry/new_image_dialog.h"
#include "geometry/replace_pixel_value_dialog.h"
#include "geometry/wedge_dialog.h"
#include "geometry/working_image.h"
#include "model/elix_doc.h"

namespace elix {

namespace {

inline constexpr const char* kUserObjectFilter = "User Object Files (*.txt;*.dat)|*.txt;*.dat|All Files (*.*)|*.*||";

struct LastValues {
    AddRectangleValues rectangle;
    AddEllipseValues ellipse;
    AddLayerValues layer;
    AddUserObjectValues userObject;
    ReplacePixelValues replace;
    WedgeValues wedge;
};

LastValues& Last() {
    static LastValues values;
    return values;
}

FieldReport ReportThrough(CElixDoc& doc) {
    return [&doc](const std::string& text, MessageStyle style) { return doc.ReportMessage(text, style); };
}

// Shows a dialog of type Dialog made from the remembered values; OK gives
// its values back and remembers them.
template <class Dialog, class Values, class... Extra>
EditDialog<Values> ShowRemembering(CMainFrame& frame, CElixDoc& doc, Values& remembered, Extra... extra) {
    return [&frame, &doc, &remembered, extra...]() -> std::optional<Values> {
        Dialog dialog(remembered, extra..., ReportThrough(doc), &frame);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        remembered = dialog.Values();
        return remembered;
    };
}

void CreateImage(CMainFrame& frame, CElixDoc& doc) {
    if (!ConfirmNewImage(doc)) return;
    CNewImageDlg dialog(NewImageValues{}, ReportThrough(doc), &frame);
    if (dialog.exec() != QDialog::Accepted) return;
    ApplyNewImage(doc, dialog.Values());
}

void SetResolution(CMainFrame& frame, CElixDoc& doc) {
    double pixelsPerMillimetre = 0.0;
    if (!BeginSetResolution(doc, pixelsPerMillimetre)) return;
    CImageResolutionDlg dialog(pixelsPerMillimetre, doc.image.ImageWidth, doc.image.ImageHeight, ReportThrough(doc),
                               &frame);
    if (dialog.exec() != QDialog::Accepted) return;
    ApplySetResolution(doc, dialog.PixelsPerMillimetre());
}

void AddUserObject(CMainFrame& frame, CElixDoc& doc) {
    IDesktopUserInterface* ui = &frame.UserInterface();
    const std::string folder = GeometryDirectory(doc);
    std::function<std::optional<std::string>()> choose = [ui, folder]() {
        FileChooserRequest request;
        request.title = "Object File";
        request.filter = kUserObjectFilter;
        request.startFolder = folder;
        request.fileMustExist = true;
        return ui->ChooseFileToOpen(request);
    };
    AddUserObjectCommand(doc, ShowRemembering<CAddUserObjectDlg>(frame, doc, Last().userObject, choose));
}

void WedgeEdit(CMainFrame& frame, CElixDoc& doc) {
    WedgeValues& remembered = Last().wedge;
    CWedgeDlg dialog(
        remembered, [&doc](WedgeAction action, const WedgeValues& values) { return WedgeEditCommand(doc, action, values); },
        ReportThrough(doc), &frame);
    dialog.exec();
    remembered = dialog.Values();
}

}  // namespace

bool ExecuteGeometryDialogCommand(CMainFrame& frame, Cmd id, CElixDoc* doc) {
    if (!doc) return false;
    switch (id) {
        case Cmd::CreateImage: CreateImage(frame, *doc); return true;
        case Cmd::SetResolution: SetResolution(frame, *doc); return true;
        case Cmd::AddRectangle:
            AddRectangleCommand(*doc, ShowRemembering<CAddRectDlg>(frame, *doc, Last().rectangle));
            return true;
        case Cmd::AddEllipse:
            AddEllipseCommand(*doc, ShowRemembering<CAddEllipseDlg>(frame, *doc, Last().ellipse));
            return true;
        case Cmd::AddLayer: AddLayerCommand(*doc, ShowRemembering<CAddLineDlg>(frame, *doc, Last().layer)); return true;
        case Cmd::AddUserObject: AddUserObject(frame, *doc); return true;
        case Cmd::ReplacePixelValue:
            ReplacePixelValueCommand(*doc, ShowRemembering<CReplacePixelValueDlg>(frame, *doc, Last().replace));
            return true;
        case Cmd::WedgeEdit: WedgeEdit(frame, *doc); return true;
        case Cmd::PcxImport: PcxImportCommand(*doc); return true;
        case Cmd::BmpExport: BmpExportCommand(*doc); return true;
        case Cmd::BmpImport: BmpImportCommand(*doc); return true;
        default: return false;
    }
}

}  // namespace elix
