#include "view/model_view_geometry.h"

#include <algorithm>
#include <cmath>

#include "model/elix_doc.h"
#include "model/material_property.h"
#include "platform/text_format.h"

namespace elix {

int RoundPixels(double value) {
    return static_cast<int>(value + 0.5);
}

PixelRect ModelImageRect(int bitmapWidth, int bitmapHeight, double zoom, double scaleX, double scaleY) {
    PixelRect rect;
    rect.left = RoundPixels(kViewLeftMargin * scaleX);
    rect.top = RoundPixels(kViewTopMargin * scaleY);
    rect.width = RoundPixels(bitmapWidth * zoom * scaleX);
    rect.height = RoundPixels(bitmapHeight * zoom * scaleY);
    return rect;
}

double PrintScale(int logicalPixelsPerInch) {
    return logicalPixelsPerInch / 60.0;
}

PixelSize ModelScrollExtent(int bitmapWidth, int bitmapHeight, double zoom) {
    return {static_cast<int>(kViewLeftMargin + 5 + bitmapWidth * zoom + 0.5),
            static_cast<int>(kViewTopMargin + 5 + bitmapHeight * zoom + 0.5)};
}

std::optional<double> ZoomFromPercent(int percent) {
    if (percent < kZoomPercentMin || percent > kZoomPercentMax) return std::nullopt;
    return percent * 0.01;
}

int ZoomPercent(double zoom) {
    return static_cast<int>(std::lround(zoom * 100.0));
}

MouseReadout ReadMouse(const CElixDoc& doc, double mouseX, double mouseY, double zoom) {
    MouseReadout readout;
    const CGeometryImage& image = doc.image;
    if (!image.HasRows() || !(zoom > 0.0)) return readout;

    // Image pixels from the image's top-left corner; column and row are
    // these truncated toward zero, so the strip just left of (above) the
    // image still reads column (row) 0.
    const double px = (mouseX - kViewLeftMargin) / zoom;
    const double py = (mouseY - kViewTopMargin) / zoom;
    const double column = std::trunc(px), row = std::trunc(py);
    readout.xValid = column >= 0.0 && column <= image.ImageWidth;
    readout.yValid = row >= 0.0 && row <= image.ImageHeight;
    if (readout.xValid) readout.x = std::clamp(px * kMetresPerInch / image.ResolutionX, 0.0, doc.ImageWidthMeters());
    if (readout.yValid) readout.y = std::clamp(py * kMetresPerInch / image.ResolutionY, 0.0, doc.ImageHeightMeters());
    if (!readout.xValid || !readout.yValid || column >= image.ImageWidth || row >= image.ImageHeight)
        return readout;

    const int c = static_cast<int>(column), r = static_cast<int>(row);
    if (static_cast<std::size_t>(r) >= image.Rows.size() || static_cast<std::size_t>(c) >= image.Rows[r].size())
        return readout;
    const int gray = image.Rows[r][c];
    readout.positionText =
        Format("%d (%d,%d)(x=%.2fmm,y=%.2fmm)", gray, c, r, readout.x * 1000.0, readout.y * 1000.0);
    if (!image.ShowsFrame) readout.sizeText = NameOfGrayLevel(doc.Materials(), gray);
    return readout;
}

}  // namespace elix
