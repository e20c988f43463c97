// The document's geometry editing operations: painting shapes into the
// image, replacing pixel values, and the backup that lets an editing
// command be undone. Image size changes and wedges are in wedges.cpp.
#include <new>
#include <utility>

#include "geometry/rasterisers.h"
#include "model/elix_doc.h"

namespace elix {
namespace {

// What follows every change of the pixel rows: a new display bitmap, a
// redraw of every view, and the document marked modified.
void PixelsChanged(CElixDoc& doc) {
    doc.RebuildDisplayBitmap();
    doc.UpdateAllViews(0);
    doc.SetModifiedFlag();
}

bool AfterPaint(CElixDoc& doc, bool painted) {
    if (painted) PixelsChanged(doc);
    return painted;
}

}  // namespace

bool CElixDoc::PaintRectangle(double x0, double y0, double width, double height, double theta, std::uint8_t gray,
                              std::uint8_t lower, std::uint8_t upper) {
    return AfterPaint(*this, RasterRectangle(image, x0, y0, width, height, theta, {gray, lower, upper}));
}

bool CElixDoc::PaintEllipse(double xc, double yc, double major, double minor, double theta, std::uint8_t gray,
                            std::uint8_t lower, std::uint8_t upper) {
    return AfterPaint(*this, RasterEllipse(image, xc, yc, major, minor, theta, {gray, lower, upper}));
}

bool CElixDoc::PaintLayer(double x1, double y1, double x2, double y2, double thickness, std::uint8_t gray,
                          std::uint8_t lower, std::uint8_t upper) {
    return AfterPaint(*this, RasterLayer(image, x1, y1, x2, y2, thickness, {gray, lower, upper}));
}

bool CElixDoc::PaintPolygon(const std::vector<double>& xs, const std::vector<double>& ys, bool closed, double thickness,
                            std::uint8_t gray, std::uint8_t lower, std::uint8_t upper) {
    return AfterPaint(*this, RasterPolygon(image, xs, ys, closed, thickness, {gray, lower, upper}));
}

bool CElixDoc::ReplacePixelRange(std::uint8_t lower, std::uint8_t upper, std::uint8_t value) {
    return AfterPaint(*this, ReplacePixels(image, lower, upper, value));
}

bool CElixDoc::MakeBackup() {
    if (!HasConsistentRows(image)) return false;
    try {
        image.BackupRows = image.Rows;
    } catch (const std::bad_alloc&) {
        ImageRows().swap(image.BackupRows);
        return false;
    }
    return true;
}

void CElixDoc::DropBackup() {
    ImageRows().swap(image.BackupRows);
}

void CElixDoc::RestoreBackup() {
    if (image.BackupRows.empty()) return;
    const bool sizeChanged = image.BackupRows.size() != image.Rows.size() ||
                             image.BackupRows.front().size() != static_cast<std::size_t>(image.ImageWidth);
    image.Rows = std::move(image.BackupRows);
    ImageRows().swap(image.BackupRows);
    image.ImageHeight = static_cast<std::int32_t>(image.Rows.size());
    image.ImageWidth = static_cast<std::int32_t>(image.Rows.front().size());
    RebuildDisplayBitmap();
    if (sizeChanged) UpdateSizeText();
    UpdateAllViews('a');
}

bool CElixDoc::CommitWorkingFile() {
    if (WorkingFileName == "None") return false;
    if (!WriteImageFile(WorkingFileName)) return false;
    GeometryModified = true;
    return true;
}

}  // namespace elix
