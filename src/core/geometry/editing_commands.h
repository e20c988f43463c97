// The geometry editing commands of the model view (Add Rectangle, Add
// Ellipse, Add Layer, Add User Object, Replace Pixel Value, Wedge Edit) as
// plain functions over the document. The dialogs only fill the value
// structs below: lengths in metres, angles in degrees, as the dialogs hold
// them after OK (they show millimetres and divide by 1000).
//
// Every command works on an undoable copy: it reloads the geometry from the
// working file, keeps a backup, paints, shows the result and asks; only Yes
// rewrites the working file, No gives back the image as it was.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace elix {

class CElixDoc;

// The "Repeat" grid of every Add dialog: copy (column i, row j) is painted
// shifted by (i * spaceInColumn, j * spaceInRow) turned by angleDegrees
// (positive turns x towards y).
struct RepeatValues {
    int rows = 1;                // 1..99999
    int columns = 1;             // 1..99999
    double spaceInRow = 0.0;     // m
    double spaceInColumn = 0.0;  // m
    double angleDegrees = 0.0;
};

// Calls paint(dx, dy) with the shift of every copy in the painting order:
// columns i = 0 .. columns-1 outside, rows j = 0 .. rows-1 inside, shift
// (i*Sc*cos a - j*Sr*sin a, i*Sc*sin a + j*Sr*cos a). Stops and returns
// false as soon as paint returns false; a grid without rows or columns
// paints nothing and returns false.
bool ForEachRepeatShift(const RepeatValues& repeat, const std::function<bool(double dx, double dy)>& paint);

// Gray level and target range of the Add dialogs.
struct PaintTarget {
    std::uint8_t gray = 0;
    std::uint8_t lower = 0;
    std::uint8_t upper = 255;
};

struct AddRectangleValues {
    double x = 0.0, y = 0.0;           // start point (top-left corner before rotation), m
    double width = 0.0, height = 0.0;  // m
    double thetaDegrees = 0.0;
    PaintTarget target;
    RepeatValues repeat;
};

struct AddEllipseValues {
    double xc = 0.0, yc = 0.0;        // centre, m
    double major = 0.0, minor = 0.0;  // half axes, m
    double thetaDegrees = 0.0;
    PaintTarget target;
    RepeatValues repeat;
};

struct AddLayerValues {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;  // m
    double thickness = 0.0;                         // m
    PaintTarget target;
    RepeatValues repeat;
};

struct AddUserObjectValues {
    std::string objectFile;
    bool closedArea = true;
    double thickness = 0.0;  // m, for an open polyline
    double thetaDegrees = 0.0;
    double xOffset = 0.0, yOffset = 0.0;  // m
    double xScale = 1.0, yScale = 1.0;
    PaintTarget target;
    RepeatValues repeat;
};

struct ReplacePixelValues {
    std::uint8_t from = 0;
    std::uint8_t to = 0;
    std::uint8_t newValue = 0;
};

// How an editing command ended.
enum class EditOutcome {
    Failed,     // a message was shown; a paint failure keeps what was painted
    Cancelled,  // the dialog was cancelled; nothing changed
    Undone,     // the user answered No; the image is as before
    Committed,  // the user answered Yes; the working file holds the change
};

// Shows the command's dialog: the values confirmed with OK, or nothing on
// Cancel. It runs after the geometry was reloaded and backed up.
template <class Values>
using EditDialog = std::function<std::optional<Values>()>;

// Whether the editing commands are offered: no run going on and an image
// with rows. While a run goes on the commands below refuse (Failed) without
// a message, as they are not offered then.
bool CanEditGeometry(const CElixDoc& doc);

EditOutcome AddRectangleCommand(CElixDoc& doc, const EditDialog<AddRectangleValues>& dialog);
EditOutcome AddEllipseCommand(CElixDoc& doc, const EditDialog<AddEllipseValues>& dialog);
EditOutcome AddLayerCommand(CElixDoc& doc, const EditDialog<AddLayerValues>& dialog);
EditOutcome AddUserObjectCommand(CElixDoc& doc, const EditDialog<AddUserObjectValues>& dialog);
EditOutcome ReplacePixelValueCommand(CElixDoc& doc, const EditDialog<ReplacePixelValues>& dialog);

// The values of the Wedge Dialog.
struct WedgeValues {
    std::string location = "Left";  // "Left", "Right", "Top" or "Bottom"
    double size = 0.0;              // m, along the edge
    double centerOffset = 0.0;      // m, from the middle of the edge towards its start
    double thetaDegrees = 0.0;      // 0..89.999
    std::uint8_t gray = 0;
    bool flip = false;
};

enum class WedgeAction { Add, Delete };

// The "&Add" and "&Delete" buttons of the Wedge Dialog: AddWedge or
// TrimWedge without item shifting, on the geometry reloaded from the
// working file. On success the image no longer matches any geometry file
// (ImageFileName becomes "None"), the working file is rewritten and true
// tells the dialog to close; on failure the message is shown with an
// information icon and the dialog stays.
bool WedgeEditCommand(CElixDoc& doc, WedgeAction action, const WedgeValues& values);

}  // namespace elix
