// Where the model view puts the image on screen and on paper, how big its
// scrollable area is, and what the status bar says about the pixel under
// the mouse. The desktop view paints with these numbers; they live here so
// they are tested without a window.
#pragma once

#include <optional>
#include <string>

namespace elix {

class CElixDoc;

// Screen pixels left of and above the image.
inline constexpr int kViewLeftMargin = 150;
inline constexpr int kViewTopMargin = 25;
// The model view's background colour.
inline constexpr int kViewBackgroundRed = 64, kViewBackgroundGreen = 128, kViewBackgroundBlue = 128;

// Pixel lengths are rounded by adding 0.5 and truncating.
int RoundPixels(double value);

struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// The image's rectangle for a bitmap of width x height at zoom. On screen
// the scale factors are 1; on paper they are the device's logical pixels
// per inch along x and y divided by 60, multiplying the margins and the
// image size.
PixelRect ModelImageRect(int bitmapWidth, int bitmapHeight, double zoom, double scaleX = 1.0, double scaleY = 1.0);
// The paper scale factor for logical pixels per inch: dpi / 60.
double PrintScale(int logicalPixelsPerInch);

struct PixelSize {
    int width = 0, height = 0;
};
// The scrollable size: (left margin + 5 + width x zoom + 0.5, top margin +
// 5 + height x zoom + 0.5), truncated.
PixelSize ModelScrollExtent(int bitmapWidth, int bitmapHeight, double zoom);

// The Zoom Dialog's range, in percent.
inline constexpr int kZoomPercentMin = 1;
inline constexpr int kZoomPercentMax = 1000;
// The zoom for a percentage typed into the Zoom Dialog; none outside 1..1000.
std::optional<double> ZoomFromPercent(int percent);
// The Zoom Dialog's initial value: zoom x 100, rounded.
int ZoomPercent(double zoom);

// What a mouse move over the model view shows. positionText is
// "%d (%d,%d)(x=%.2fmm,y=%.2fmm)" (gray level, column, row, x and y in mm)
// when the mouse is over the image, empty otherwise; sizeText is the name
// of the material of that gray level ("Vacuum", the name, "Undefined") when
// the mouse is over the image and the image shows the geometry, not a frame.
// The x and y positions (metres, clamped to the image) are valid when the
// column (row) lies in 0..width (0..height); drags use them.
struct MouseReadout {
    std::string positionText;
    std::optional<std::string> sizeText;
    bool xValid = false, yValid = false;
    double x = 0.0, y = 0.0;  // metres
};
// mouseX and mouseY in the view's scrolled coordinates (screen pixels).
MouseReadout ReadMouse(const CElixDoc& doc, double mouseX, double mouseY, double zoom);

}  // namespace elix
