// A plot laid out as drawing primitives: the frame, titles, ticks, grid,
// legend and curves of one CPlotData placed in a rectangle of pixels. The
// desktop view paints these with its painter and the SVG writer turns them
// into a picture file, so both draw the same thing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace elix {

class CPlotData;

struct PlotColour {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const PlotColour&) const = default;
};

struct PlotPen {
    PlotColour colour;
    int width = 1;        // pixels
    bool dotted = false;  // grid lines
    bool operator==(const PlotPen&) const = default;
};

struct PlotPoint {
    int x = 0, y = 0;
    bool operator==(const PlotPoint&) const = default;
};

struct PlotLine {
    PlotPoint from, to;
    PlotPen pen;
};

// Connected segments through points (at least two).
struct PlotPolyline {
    std::vector<PlotPoint> points;
    PlotPen pen;
    int curve = 0;  // index of the curve it belongs to
};

// What a text is in the picture; tells the painters which font to use.
enum class PlotTextRole { Title, Tick, Legend };

// A text placed by its top-left corner. Its width was estimated as
// characters x font size x 0.08 pixels when it was placed.
struct PlotText {
    std::string text;
    PlotPoint topLeft;
    int fontSize = 60;  // tenths of a point, face "Arial"
    PlotTextRole role = PlotTextRole::Tick;
    PlotColour colour;
};

struct PlotPicture {
    int left = 0, top = 0, right = 0, bottom = 0;  // the rectangle, background white
    std::vector<PlotLine> lines;                   // frame, tick marks, grid, legend lines
    std::vector<PlotText> texts;
    std::vector<PlotPolyline> curves;
    // False when no curve is enabled: nothing is drawn, not even the frame.
    bool drawn = false;
};

struct PlotRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The estimated width of a text: characters x font size x 0.08 pixels.
int EstimatedTextWidth(const std::string& text, int fontSize);

// The largest number of points one curve primitive carries; a longer run
// continues in the next primitive, which starts with the last point of the
// one before.
inline constexpr std::size_t kPlotPointBatch = 1024;

// Lays out plot in rect. The automatic limits are found first
// (CPlotData::ComputeAutoRanges, which stores them in the plot); with no
// enabled curve the picture is empty. scale multiplies every pixel
// constant, pen width and font size (a printer page: the smaller ratio of
// page to window size, rounded; 1 on screen).
PlotPicture LayOutPlot(CPlotData& plot, const PlotRect& rect, int scale = 1);

}  // namespace elix
