#include "geometry/geometry_commands.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>
#include <string_view>

#include "geometry/bmp_file.h"
#include "geometry/pcx_codec.h"
#include "geometry/working_image.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {
namespace {

// Storing whole dots per inch is accepted without a question when it
// changes the object's size by at most this fraction.
constexpr double kPcxTolerance = 0.001;
// A user interface that answers every question Yes (a terminal) would
// repeat the save prompts for ever after a failure; they stop after this
// many rounds.
constexpr int kMaxSavePromptRounds = 10;

// The file choosers of the commands: an existing file to open, or a name
// to save under with the question before overwriting. Nothing is chosen
// without a user interface or in batch mode.
FileChooserRequest ChooserRequest(const char* title, const char* filter, const char* extension,
                                  const std::string& folder) {
    FileChooserRequest request;
    request.title = title;
    request.filter = filter;
    request.defaultExtension = extension;
    request.startFolder = folder;
    return request;
}

std::optional<std::string> ChooseToOpen(CElixDoc& doc, const char* title, const char* filter, const char* extension,
                                        const std::string& folder) {
    IUserInterface* ui = doc.UserInterface();
    if (!ui || doc.BatchLog()) return std::nullopt;
    FileChooserRequest request = ChooserRequest(title, filter, extension, folder);
    request.fileMustExist = true;
    return ui->ChooseFileToOpen(request);
}

std::optional<std::string> ChooseToSave(CElixDoc& doc, const char* title, const char* filter, const char* extension,
                                        const std::string& folder) {
    IUserInterface* ui = doc.UserInterface();
    if (!ui || doc.BatchLog()) return std::nullopt;
    FileChooserRequest request = ChooserRequest(title, filter, extension, folder);
    request.confirmOverwrite = true;
    return ui->ChooseFileToSave(request);
}

bool LastThreeLowerAre(const std::string& path, std::string_view ending) {
    const auto format = ImageFormatOfPath(path);
    return format && ((ending == "pcx" && *format == ImageFileFormat::Pcx) ||
                      (ending == "geo" && *format == ImageFileFormat::Geo));
}

}  // namespace

double PixelsPerMillimetre(float dotsPerInch) {
    return dotsPerInch / kMetresPerInch / 1000.0;
}

float ResolutionFromPixelsPerMillimetre(double pixelsPerMillimetre) {
    return static_cast<float>(pixelsPerMillimetre * 1000.0 * kMetresPerInch);
}

// --- Create Image ------------------------------------------------------------

bool ConfirmNewImage(CElixDoc& doc) {
    if (doc.WorkingFileName == "None") return true;
    return doc.ReportMessage("New image will replace the current image, continue?", MessageStyle::Question) ==
           MessageAnswer::Yes;
}

bool PixelsForLength(double metres, double pixelsPerMetre, int& pixels) {
    const double value = std::trunc(metres * pixelsPerMetre + 0.5);
    if (!std::isfinite(value) || value > static_cast<double>(INT_MAX)) return false;
    pixels = value < 1.0 ? 1 : static_cast<int>(value);
    return true;
}

bool ApplyNewImage(CElixDoc& doc, const NewImageValues& values) {
    const double p = values.pixelsPerMetre;
    if (!(p > 0.0) || !std::isfinite(p)) return false;
    if (values.grayLevel < 0 || values.grayLevel > 255) {
        doc.ReportMessage("Please enter an integer between 0 and 255.", MessageStyle::Exclamation);
        return false;
    }
    int width = 0, height = 0;
    if (!PixelsForLength(values.widthMetres, p, width) || !PixelsForLength(values.heightMetres, p, height) ||
        std::int64_t{width} * height > kMaxImagePixels) {
        doc.ReportMessage(Format("An image of %g x %g mm at %g pixel/mm is too large.", values.widthMetres * 1000.0,
                                 values.heightMetres * 1000.0, p / 1000.0),
                          MessageStyle::Exclamation);
        return false;
    }
    const auto resolution = static_cast<float>(p * kMetresPerInch);
    if (!doc.CreateImage(width, height, resolution, resolution, static_cast<std::uint8_t>(values.grayLevel))) {
        doc.ReportMessage(doc.MessageText(), MessageStyle::Exclamation);
        return false;
    }
    return true;
}

// --- Set Resolution ----------------------------------------------------------

bool BeginSetResolution(CElixDoc& doc, double& pixelsPerMillimetre) {
    if (!doc.LoadWorkingImage(false, nullptr)) {
        doc.ReportMessage(doc.MessageText(), MessageStyle::Exclamation);
        return false;
    }
    doc.DisplayCategory.clear();
    doc.RebuildDisplayBitmap();
    doc.UpdateAllViews('a');
    pixelsPerMillimetre = PixelsPerMillimetre(doc.image.ResolutionX);
    return true;
}

bool ApplySetResolution(CElixDoc& doc, double pixelsPerMillimetre) {
    const float resolution = ResolutionFromPixelsPerMillimetre(pixelsPerMillimetre);
    if (!IsUsableResolution(resolution)) return false;
    if (!doc.SetImageResolution(resolution, resolution)) {
        doc.ReportMessage(doc.MessageText(), MessageStyle::Exclamation);
        return false;
    }
    return true;
}

// --- Load Geometry -------------------------------------------------------------

bool LoadGeometryCommand(CElixDoc& doc) {
    const auto path = ChooseToOpen(doc, "Load Geometry", kGeometryOpenFilter, "geo", GeometryDirectory(doc));
    if (!path) return false;
    return LoadGeometryFromFile(doc, *path);
}

bool LoadGeometryFromFile(CElixDoc& doc, const std::string& path) {
    doc.ImageFileName = path;
    doc.DeleteWorkingFile();
    if (!LoadGeometryImage(doc, path, true, nullptr)) {
        doc.ImageFileName = "None";
        doc.WorkingFileName = "None";
        doc.ReportMessage(doc.MessageText(), MessageStyle::Exclamation);
        return false;
    }
    std::string working;
    if (!CreateWorkingCopy(path, working)) {
        doc.SetMessageText(Format("Unable to create a working file '%s'.", working));
        doc.ImageFileName = "None";
        doc.WorkingFileName = "None";
        doc.ReportMessage(doc.MessageText(), MessageStyle::Exclamation);
        return false;
    }
    doc.WorkingFileName = working;
    // The working copy now equals the geometry file.
    doc.GeometryModified = false;
    doc.UpdateSizeText();
    doc.UpdateAllViews('a');
    doc.SetModifiedFlag();
    doc.image.ShowsFrame = false;
    return true;
}

// --- Save Geometry ---------------------------------------------------------------

std::string PcxResolutionWarning(int width, int height, float resolutionX, float resolutionY) {
    const double h = HeaderDpi(resolutionX);
    const double v = HeaderDpi(resolutionY);
    const double error = std::max(std::fabs(1.0 - h / resolutionX), std::fabs(1.0 - v / resolutionY));
    if (error <= kPcxTolerance) return std::string();
    const double sizeError = std::max(std::fabs(1.0 - resolutionX / h), std::fabs(1.0 - resolutionY / v));
    return Format(
        "Saving in PCX format will lead to an overall object size of %.2f (mm) x %.2f (mm) with a resolution of "
        "%.4f pixel/mm and %.1f%% maximum error in object size. Choose GEO format for higher accuracy!",
        width * kMetresPerInch / h * 1000.0, height * kMetresPerInch / v * 1000.0, h / 25.4, 100.0 * sizeError);
}

ImageFormatChoice ChooseGeometryFormat(CElixDoc& doc) {
    const CGeometryImage& image = doc.image;
    const std::string warning =
        PcxResolutionWarning(image.ImageWidth, image.ImageHeight, image.ResolutionX, image.ResolutionY);
    if (warning.empty()) return ImageFormatChoice::Pcx;
    IUserInterface* ui = doc.UserInterface();
    if (!ui || doc.BatchLog()) return ImageFormatChoice::Cancel;
    return ui->ChooseImageFormat(warning);
}

bool SaveGeometryCommand(CElixDoc& doc) {
    if (!doc.LoadWorkingImage(false, nullptr)) {
        doc.ReportMessage(doc.MessageText(), MessageStyle::Exclamation);
        return false;
    }
    const ImageFormatChoice format = ChooseGeometryFormat(doc);
    if (format == ImageFormatChoice::Cancel) return false;
    const bool geo = format == ImageFormatChoice::Geo;
    const auto path = ChooseToSave(doc, "Save Geometry", geo ? kGeoFileFilter : kPcxFileFilter, geo ? "geo" : "pcx",
                                   GeometryDirectory(doc));
    if (!path) return false;
    // The format written follows the name's ending, whatever was chosen.
    if (!doc.WriteImageFile(*path)) {
        doc.ReportMessage(Format("Unable to save file '%s'.", *path), MessageStyle::Information);
        return false;
    }
    doc.ImageFileName = *path;
    doc.GeometryModified = false;
    doc.SetModifiedFlag();
    doc.image.ShowsFrame = false;
    return true;
}

void RunGeometrySavePrompts(CElixDoc& doc) {
    constexpr const char* kNotSaved = "Current geometry has not been saved. ";
    for (int round = 0; doc.GeometryModified && round < kMaxSavePromptRounds; ++round) {
        bool askToSaveNew = true;
        if (doc.ImageFileName != "None") {
            const MessageAnswer replace =
                doc.ReportMessage(std::string(kNotSaved) + "Do you want to replace the geometry file? " +
                                      "(To save a new geometry file, click No.)",
                                  MessageStyle::Question);
            if (replace == MessageAnswer::Yes) {
                if (CopyImageFile(doc.WorkingFileName, GeometryFilePath(doc))) {
                    doc.GeometryModified = false;
                    return;
                }
                doc.ReportMessage(Format("Unable to replace file '%s'.", doc.ImageFileName), MessageStyle::Information);
                askToSaveNew = false;  // straight to the question whether to try again
            }
        }
        if (askToSaveNew) {
            const MessageAnswer save = doc.ReportMessage(
                std::string(kNotSaved) + "Do you want to save the geometry to a file?", MessageStyle::Question);
            if (save != MessageAnswer::Yes) return;
            SaveGeometryCommand(doc);
            if (!doc.GeometryModified) {
                // A PCX file holds whole dots per inch: the working copy is
                // made again from it, so that both agree.
                if (LastThreeLowerAre(doc.ImageFileName, "pcx")) {
                    doc.DeleteWorkingFile();
                    std::string working;
                    if (CreateWorkingCopy(doc.ImageFileName, working))
                        doc.WorkingFileName = working;
                    else
                        doc.ReportMessage(Format("Unable to create a working file '%s'.", working),
                                          MessageStyle::Information);
                }
                return;
            }
        }
        // Unattended, every question is answered Yes: trying again would
        // only repeat the failure.
        if (doc.BatchLog()) return;
        if (doc.ReportMessage("Geometry is not saved. Try to save again?", MessageStyle::Question) !=
            MessageAnswer::Yes)
            return;
    }
}

// --- exports and imports -----------------------------------------------------

bool PcxExportCommand(CElixDoc& doc) {
    const CGeometryImage& image = doc.image;
    if (!image.HasRows()) return false;
    const auto path = ChooseToSave(doc, "PCX Export", kPcxFileFilter, "pcx", PcxDirectory(doc));
    if (!path) return false;
    if (!WritePcx(*path, image.ImageWidth, image.ImageHeight, image.Rows, image.ResolutionX, image.ResolutionY)) {
        doc.ReportMessage(Format("Unable to save file '%s'.", *path), MessageStyle::Information);
        return false;
    }
    return true;
}

bool PcxImportCommand(CElixDoc& doc) {
    const auto path = ChooseToOpen(doc, "PCX Import", kPcxFileFilter, "pcx", PcxDirectory(doc));
    if (!path) return false;
    CGeometryImage& image = doc.image;
    DecodedImage decoded;
    if (!ReadPcx(*path, decoded)) {
        FreeRows(image.Rows);
        image.ImageWidth = 0;
        image.ImageHeight = 0;
        image.displayBitmap.clear();
        doc.ReportMessage(Format("Unable to load '%s'.", *path), MessageStyle::Information);
        return false;
    }
    image.Rows = std::move(decoded.rows);
    image.ImageWidth = decoded.width;
    image.ImageHeight = decoded.height;
    image.ResolutionX = decoded.resolutionX;
    image.ResolutionY = decoded.resolutionY;
    image.ShowsFrame = false;
    doc.RebuildDisplayBitmap();
    doc.UpdateSizeText();
    doc.UpdateAllViews('a');
    doc.ImageFileName = *path;
    doc.SetModifiedFlag();
    return true;
}

bool BmpExportCommand(CElixDoc& doc) {
    std::error_code ec;
    const std::string current = std::filesystem::current_path(ec).string();
    if (ec || current.empty()) {
        doc.ReportMessage("Unable to get the current path", MessageStyle::Information);
        return false;
    }
    const auto path = ChooseToSave(doc, "BMP Export", kBmpFileFilter, "bmp", current);
    if (!path) return false;
    return ExportBmpFile(doc, *path);
}

bool ExportBmpFile(CElixDoc& doc, const std::string& path) {
    if (doc.image.displayBitmap.empty()) doc.RebuildDisplayBitmap();
    // A file that cannot be made at all: no such folder, no right to write
    // there, or a folder by that name.
    std::string folder = DirectoryOf(path);
    if (folder.empty()) folder = ".";
    std::error_code ec;
    if (path.empty() || std::filesystem::is_directory(path, ec) || access(folder.c_str(), W_OK) != 0) {
        doc.ReportMessage("Invalid filename.", MessageStyle::Information);
        return false;
    }
    const std::vector<std::uint8_t> file = BmpFileBytes(doc.image.displayBitmap);
    if (file.empty() ||
        !WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(file.data()), file.size()))) {
        doc.ReportMessage("Couldn't save DIB", MessageStyle::Information);
        return false;
    }
    return true;
}

bool BmpImportCommand(CElixDoc& doc) {
    std::error_code ec;
    const auto path = ChooseToOpen(doc, "BMP Import", kBmpFileFilter, "bmp", std::filesystem::current_path(ec).string());
    if (!path) return false;
    return ImportBmpFile(doc, *path);
}

bool ImportBmpFile(CElixDoc& doc, const std::string& path) {
    std::vector<std::uint8_t> block;
    switch (ReadBmpFile(path, block)) {
        case BmpReadResult::CannotOpen:
            doc.ReportMessage("Failed to open document.", MessageStyle::Information);
            return false;
        case BmpReadResult::NotABitmap:
            doc.ReportMessage("Couldn't load DIB", MessageStyle::Information);
            return false;
        case BmpReadResult::Ok:
            break;
    }
    // The picture replaces what the view shows; the rows stay. The model
    // keeps its own path and modified mark: taking the bitmap's path would
    // make the next Save write the model over the bitmap, and clearing the
    // mark would let unsaved edits go without a question.
    doc.image.displayBitmap = std::move(block);
    doc.image.materialPalette = false;
    doc.UpdateAllViews('a');
    return true;
}

}  // namespace elix
