#include "geometry/editing_commands.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "geometry/user_object_file.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"

namespace elix {
namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

// The start of every editing command: reload the geometry from the
// working file (a shown wavefield frame gives way to it), show the plain
// model and keep a backup for undo.
bool BeginEdit(CElixDoc& doc) {
    if (!doc.LoadWorkingImage(false, nullptr)) {
        doc.ReportMessage(doc.MessageText(), MessageStyle::Exclamation);
        return false;
    }
    doc.DisplayCategory.clear();
    doc.RebuildDisplayBitmap();
    doc.UpdateAllViews('a');
    if (!doc.MakeBackup()) {
        doc.ReportMessage("Not enough memory to keep a copy of the image for undo.", MessageStyle::Exclamation);
        return false;
    }
    return true;
}

// The last step: the user sees the result and confirms it. Yes rewrites the
// working file; No puts the backup back.
EditOutcome ConfirmEdit(CElixDoc& doc, const char* question) {
    if (doc.ReportMessage(question, MessageStyle::Question) != MessageAnswer::Yes) {
        doc.RestoreBackup();
        return EditOutcome::Undone;
    }
    doc.DropBackup();
    if (!doc.CommitWorkingFile()) {
        // The change stays on display but would be lost with the next reload.
        doc.ReportMessage(Format("Unable to save file '%s'.", doc.WorkingFileName), MessageStyle::Information);
        return EditOutcome::Failed;
    }
    return EditOutcome::Committed;
}

EditOutcome PaintFailed(CElixDoc& doc, const char* message) {
    doc.DropBackup();
    doc.ReportMessage(message, MessageStyle::Exclamation);
    return EditOutcome::Failed;
}

// The common protocol of the Add commands. paintCopy(values, dx, dy)
// paints one copy of the shape shifted by (dx, dy); prepare(values) runs
// once before the copies and may fail with its own message shown.
template <class Values, class Prepare, class PaintCopy>
EditOutcome RunAddCommand(CElixDoc& doc, const EditDialog<Values>& dialog, const char* failure, Prepare prepare,
                          PaintCopy paintCopy) {
    if (doc.IsRunning() || !BeginEdit(doc)) return EditOutcome::Failed;
    const std::optional<Values> values = dialog ? dialog() : std::nullopt;
    if (!values) {
        doc.DropBackup();
        return EditOutcome::Cancelled;
    }
    if (!prepare(*values)) {
        doc.DropBackup();
        return EditOutcome::Failed;
    }
    const bool painted =
        ForEachRepeatShift(values->repeat, [&](double dx, double dy) { return paintCopy(*values, dx, dy); });
    if (!painted) return PaintFailed(doc, failure);
    return ConfirmEdit(doc, "Image Will Be Changed, Continue?");
}

template <class Values>
bool NothingToPrepare(const Values&) {
    return true;
}

}  // namespace

bool ForEachRepeatShift(const RepeatValues& repeat, const std::function<bool(double dx, double dy)>& paint) {
    if (repeat.rows < 1 || repeat.columns < 1) return false;
    const double a = repeat.angleDegrees * kRadiansPerDegree;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double sc = repeat.spaceInColumn;
    const double sr = repeat.spaceInRow;
    for (int i = 0; i < repeat.columns; ++i)
        for (int j = 0; j < repeat.rows; ++j)
            if (!paint(i * sc * c - j * sr * s, i * sc * s + j * sr * c)) return false;
    return true;
}

bool CanEditGeometry(const CElixDoc& doc) {
    return !doc.IsRunning() && doc.image.HasRows();
}

EditOutcome AddRectangleCommand(CElixDoc& doc, const EditDialog<AddRectangleValues>& dialog) {
    return RunAddCommand(doc, dialog, "Unable to add rectangle.", NothingToPrepare<AddRectangleValues>,
                         [&](const AddRectangleValues& v, double dx, double dy) {
                             return doc.PaintRectangle(v.x + dx, v.y + dy, v.width, v.height,
                                                       v.thetaDegrees * kRadiansPerDegree, v.target.gray,
                                                       v.target.lower, v.target.upper);
                         });
}

EditOutcome AddEllipseCommand(CElixDoc& doc, const EditDialog<AddEllipseValues>& dialog) {
    return RunAddCommand(doc, dialog, "Unable to add ellipse.", NothingToPrepare<AddEllipseValues>,
                         [&](const AddEllipseValues& v, double dx, double dy) {
                             return doc.PaintEllipse(v.xc + dx, v.yc + dy, v.major, v.minor,
                                                     v.thetaDegrees * kRadiansPerDegree, v.target.gray, v.target.lower,
                                                     v.target.upper);
                         });
}

EditOutcome AddLayerCommand(CElixDoc& doc, const EditDialog<AddLayerValues>& dialog) {
    return RunAddCommand(doc, dialog, "Unable to add layer.", NothingToPrepare<AddLayerValues>,
                         [&](const AddLayerValues& v, double dx, double dy) {
                             return doc.PaintLayer(v.x1 + dx, v.y1 + dy, v.x2 + dx, v.y2 + dy, v.thickness,
                                                   v.target.gray, v.target.lower, v.target.upper);
                         });
}

EditOutcome AddUserObjectCommand(CElixDoc& doc, const EditDialog<AddUserObjectValues>& dialog) {
    UserObjectPoints placed;
    const auto readAndPlace = [&](const AddUserObjectValues& v) {
        UserObjectPoints points;
        std::string message;
        if (!ReadUserObjectFile(v.objectFile, points, message)) {
            doc.ReportMessage(message, MessageStyle::Exclamation);
            return false;
        }
        placed =
            TransformUserObject(points, {v.thetaDegrees * kRadiansPerDegree, v.xScale, v.yScale, v.xOffset, v.yOffset});
        return true;
    };
    const auto paintCopy = [&](const AddUserObjectValues& v, double dx, double dy) {
        std::vector<double> xs = placed.xs;
        std::vector<double> ys = placed.ys;
        for (double& x : xs) x += dx;
        for (double& y : ys) y += dy;
        return doc.PaintPolygon(xs, ys, v.closedArea, v.thickness, v.target.gray, v.target.lower, v.target.upper);
    };
    return RunAddCommand(doc, dialog, "Unable to add user object.", readAndPlace, paintCopy);
}

EditOutcome ReplacePixelValueCommand(CElixDoc& doc, const EditDialog<ReplacePixelValues>& dialog) {
    if (doc.IsRunning() || !BeginEdit(doc)) return EditOutcome::Failed;
    const std::optional<ReplacePixelValues> values = dialog ? dialog() : std::nullopt;
    if (!values) {
        doc.DropBackup();
        return EditOutcome::Cancelled;
    }
    const std::uint8_t from = values->from;
    const std::uint8_t to = values->to < from ? from : values->to;
    if (!doc.ReplacePixelRange(from, to, values->newValue)) return PaintFailed(doc, "Unable to replace pixel values.");
    return ConfirmEdit(doc, "Pixel values will be changed, Continue?");
}

bool WedgeEditCommand(CElixDoc& doc, WedgeAction action, const WedgeValues& values) {
    if (doc.IsRunning()) return false;
    if (!doc.LoadWorkingImage(false, nullptr)) {
        doc.ReportMessage(doc.MessageText(), MessageStyle::Exclamation);
        return false;
    }
    const bool done = action == WedgeAction::Add
                          ? doc.AddWedge(values.location, values.size, values.centerOffset, values.thetaDegrees,
                                         values.flip, values.gray, false)
                          : doc.TrimWedge(values.location, values.size, values.thetaDegrees, false);
    if (!done) {
        // A trim the user declined leaves no message to show.
        if (!doc.MessageText().empty()) doc.ReportMessage(doc.MessageText(), MessageStyle::Information);
        return false;
    }
    doc.ImageFileName = "None";
    if (!doc.CommitWorkingFile())
        doc.ReportMessage(Format("Unable to save file '%s'.", doc.WorkingFileName), MessageStyle::Information);
    return true;
}

}  // namespace elix
