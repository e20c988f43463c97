// The geometry image commands of the model view: Create Image, Set
// Resolution, Load Geometry, Save Geometry, PCX Export, and the secondary
// PCX Import, BMP Export and BMP Import; and the geometry prompts that run
// before a model file is written. A dialog only moves values in and out:
// the conversions, questions, file choosers and messages are here, and the
// user is reached through the document's IUserInterface.
#pragma once

#include <cstdint>
#include <string>

#include "model/user_interface.h"

namespace elix {

class CElixDoc;

// Limits of the "Width (mm)", "Height (mm)" and "Pixel/mm" fields.
inline constexpr double kImageDialogMinimum = 1e-20;
inline constexpr double kImageDialogMaximum = 1e20;

// Pixel/mm shown for a resolution in dots per inch (dpi / 0.0254 / 1000),
// and the resolution for a Pixel/mm value (value x 1000 x 0.0254).
double PixelsPerMillimetre(float dotsPerInch);
float ResolutionFromPixelsPerMillimetre(double pixelsPerMillimetre);

// --- Create Image ("New Image Parameters") --------------------------------
// The dialog's values after its conversion: millimetres / 1000 = metres,
// pixels per millimetre x 1000 = pixels per metre.
struct NewImageValues {
    double widthMetres = 0.02;
    double heightMetres = 0.02;
    double pixelsPerMetre = 10000.0;
    int grayLevel = 0;
};

// Step 1: with a working image, asks "New image will replace the current
// image, continue?"; true when the command goes on.
bool ConfirmNewImage(CElixDoc& doc);

// Pixels for a length at p pixels per metre: trunc(metres x p + 0.5), at
// least 1. False when the value is not finite or too large for an image.
bool PixelsForLength(double metres, double pixelsPerMetre, int& pixels);

// Steps 3 and 4, on OK: size in pixels and resolution p x 0.0254 for both
// axes, then CElixDoc::CreateImage. Failures are shown (exclamation).
bool ApplyNewImage(CElixDoc& doc, const NewImageValues& values);

// --- Set Resolution ("Image Resolution") ------------------------------------
// Step 1: reloads the geometry from the working file (a failure shows the
// reason, exclamation), empties the display category, rebuilds and
// redraws; pixelsPerMillimetre gets the dialog's initial value.
bool BeginSetResolution(CElixDoc& doc, double& pixelsPerMillimetre);
// Step 3, on OK: both resolutions from the value; pixels stay.
bool ApplySetResolution(CElixDoc& doc, double pixelsPerMillimetre);

// --- Load Geometry ---------------------------------------------------------
inline constexpr const char* kGeometryOpenFilter = "GEO or PCX Files (*.geo,*.pcx)|*.geo;*.pcx|All Files (*.*)|*.*||";
inline constexpr const char* kGeoFileFilter = "GEO Files (*.geo)|*.geo|All Files (*.*)|*.*||";
inline constexpr const char* kPcxFileFilter = "PCX Files (*.pcx)|*.pcx|All Files (*.*)|*.*||";
inline constexpr const char* kBmpFileFilter = "Bitmap Files (*.bmp)|*.bmp|All Files (*.*)|*.*||";

// Asks for a file and loads it (LoadGeometryFromFile). False when the
// user cancelled or loading failed.
bool LoadGeometryCommand(CElixDoc& doc);
// Makes path the geometry: ImageFileName = path, the old working file is
// deleted, the image is loaded (items restored) and a working copy made
// next to it. Failures are shown and leave both names "None".
bool LoadGeometryFromFile(CElixDoc& doc, const std::string& path);

// --- Save Geometry ---------------------------------------------------------
// The warning text when storing the resolution as whole dots per inch
// would change the object's size by more than 0.1 %; empty when PCX keeps
// the resolution well enough.
std::string PcxResolutionWarning(int width, int height, float resolutionX, float resolutionY);
// Step 2: PCX without a question when the warning is empty, otherwise the
// user's choice in the "Warning" dialog.
ImageFormatChoice ChooseGeometryFormat(CElixDoc& doc);
// The whole command: reload, format, file chooser, write. True when the
// geometry was written (GeometryModified is then cleared).
bool SaveGeometryCommand(CElixDoc& doc);

// The geometry prompts before a model file is written: while the working
// image holds unsaved changes, offers to replace the geometry file or to
// save a new one, and to try again after a failure.
void RunGeometrySavePrompts(CElixDoc& doc);

// --- exports and imports ---------------------------------------------------
// PCX Export: stores what the rows hold now (geometry or frame) as PCX.
bool PcxExportCommand(CElixDoc& doc);
// PCX Import: reads a PCX into the rows without a working copy.
bool PcxImportCommand(CElixDoc& doc);
// BMP Export: writes the display block as a bitmap file.
bool BmpExportCommand(CElixDoc& doc);
// BMP Import: reads a bitmap file into the display block only.
bool BmpImportCommand(CElixDoc& doc);

// The file-level parts of the two BMP commands, given the chosen path.
bool ExportBmpFile(CElixDoc& doc, const std::string& path);
bool ImportBmpFile(CElixDoc& doc, const std::string& path);

}  // namespace elix
