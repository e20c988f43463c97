#include "analysis/plot_layout.h"

#include <algorithm>
#include <cmath>

#include "analysis/plot_data.h"
#include "geometry/item_colours.h"
#include "platform/text_format.h"

namespace elix {
namespace {

// Titles sit this many text offset units off the frame.
constexpr int kTitleOffsetUnits = 4;

// The plot frame in pixels and the scaled layout constants.
struct Frame {
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

struct Builder {
    const CPlotData& plot;
    PlotLayout layout;  // already multiplied by the scale
    Frame frame;
    int scale;
    PlotPicture picture;

    void Line(PlotPoint from, PlotPoint to, int width, bool dotted = false) {
        picture.lines.push_back({from, to, PlotPen{PlotColour{}, width * scale, dotted}});
    }
    void Text(std::string text, PlotPoint topLeft, int fontSize, PlotTextRole role) {
        picture.texts.push_back({std::move(text), topLeft, fontSize, role, PlotColour{}});
    }
    // A title centred on x, its top at top.
    void CentredTitle(std::string text, int x, int top) {
        const int width = EstimatedTextWidth(text, layout.titleFontSize);
        Text(std::move(text), {x - width / 2, top}, layout.titleFontSize, PlotTextRole::Title);
    }

    void FrameAndTitles();
    void XTicks();
    void YTicks();
    void Legend();
    void Curves();
    void Curve(int index, const PlotCurve& curve);
};

// Position of tick k of n along a side of the given length.
int TickOffset(int k, int n, int length) {
    return k * length / (n - 1);
}

// Tick k of n on an axis from low to high, as the label shows it.
double TickValue(int k, int n, float low, float high, float scale) {
    return (double{low} + k * (double{high} - double{low}) / (n - 1)) / double{scale};
}

PlotLayout Scaled(PlotLayout layout, int s) {
    for (int* value : {&layout.leftMargin, &layout.rightMargin, &layout.topMargin, &layout.bottomMargin,
                       &layout.tickFontSize, &layout.titleFontSize, &layout.legendFontSize, &layout.legendLineLength,
                       &layout.legendLineSpacing, &layout.tickLength, &layout.textOffsetUnit, &layout.yLabelGap})
        *value *= s;
    return layout;
}

// A pixel coordinate, held within +-1e9 so that no conversion overflows.
int ToPixel(double value) {
    return static_cast<int>(std::clamp(value, -1e9, 1e9));
}

PlotPen CurvePen(int index, int scale) {
    const ItemColour colour = ItemColourAt(index);
    return {{colour.red, colour.green, colour.blue}, (1 + index % 2) * scale, false};
}

void Builder::FrameAndTitles() {
    const Frame& f = frame;
    Line({f.left, f.bottom}, {f.right, f.bottom}, 2);
    Line({f.left, f.bottom}, {f.left, f.top}, 2);
    const int offset = kTitleOffsetUnits * layout.textOffsetUnit;
    const int centre = (f.left + f.right) / 2;
    CentredTitle(plot.titles.main, centre, f.top - offset);
    CentredTitle(Format("%s (x %g)", plot.titles.x, plot.axes.xScale), centre, f.bottom + offset);
    CentredTitle(Format("%s (x %g)", plot.titles.y, plot.axes.yScale), f.left, f.top - offset);
}

void Builder::XTicks() {
    const PlotAxes& axes = plot.axes;
    const int n = ClampTickCount(axes.xTickCount);
    for (int k = 0; k < n; ++k) {
        const int x = frame.left + TickOffset(k, n, frame.Width());
        std::string label = TickLabelText(TickValue(k, n, axes.xMin, axes.xMax, axes.xScale));
        const int width = EstimatedTextWidth(label, layout.tickFontSize);
        Text(std::move(label), {x - width / 2, frame.bottom + layout.textOffsetUnit}, layout.tickFontSize,
             PlotTextRole::Tick);
        Line({x, frame.bottom}, {x, frame.bottom - layout.tickLength}, 1);
        if (axes.xGrid && k > 0) Line({x, frame.bottom}, {x, frame.top}, 1, true);
    }
}

void Builder::YTicks() {
    const PlotAxes& axes = plot.axes;
    const int n = ClampTickCount(axes.yTickCount);
    // The label's top sits 1.2 font heights (font size x 0.08) above its tick.
    const int rise = static_cast<int>(std::lround(1.2 * layout.tickFontSize * 0.08));
    for (int k = 0; k < n; ++k) {
        const int y = frame.bottom - TickOffset(k, n, frame.Height());
        std::string label = TickLabelText(TickValue(k, n, axes.yMin, axes.yMax, axes.yScale));
        const int width = EstimatedTextWidth(label, layout.tickFontSize);
        Text(std::move(label), {frame.left - layout.yLabelGap - width, y - rise}, layout.tickFontSize,
             PlotTextRole::Tick);
        Line({frame.left, y}, {frame.left + layout.tickLength, y}, 1);
        if (axes.yGrid && k > 0) Line({frame.left, y}, {frame.right, y}, 1, true);
    }
}

void Builder::Legend() {
    int row = 0;
    for (int c = 0; c < plot.CurveCount(); ++c) {
        const PlotCurve& curve = *plot.CurveAt(c);
        if (curve.disabled) continue;
        const int y = frame.top + row * layout.legendLineSpacing;
        const int end = frame.right + layout.legendLineLength;
        picture.lines.push_back({{frame.right, y}, {end, y}, CurvePen(c, scale)});
        Text(curve.legend, {end, y - layout.legendLineSpacing / 2}, layout.legendFontSize, PlotTextRole::Legend);
        ++row;
    }
}

void Builder::Curve(int index, const PlotCurve& curve) {
    const PlotAxes& axes = plot.axes;
    const double xSpan = double{axes.xMax} - double{axes.xMin};
    const double ySpan = double{axes.yMax} - double{axes.yMin};
    PlotPolyline run{{}, CurvePen(index, scale), index};
    auto flush = [&](bool broken) {
        if (run.points.size() >= 2) picture.curves.push_back(run);
        // A full batch goes on from its last point; a broken run starts anew.
        const PlotPoint last = run.points.empty() ? PlotPoint{} : run.points.back();
        run.points.clear();
        if (!broken) run.points.push_back(last);
    };
    const auto n = static_cast<std::size_t>(curve.PointCount());
    for (std::size_t i = 0; i < n; ++i) {
        const float x = curve.x[i];
        const float y = curve.y[i];
        const bool shown = x >= axes.xMin && x <= axes.xMax && x <= plot.latestX && y >= axes.yMin && y <= axes.yMax;
        if (!shown) {
            flush(true);
            continue;
        }
        // (x, y) -> pixels, rounded by adding 0.5 and truncating.
        const double px = frame.left + (double{x} - axes.xMin) * frame.Width() / xSpan + 0.5;
        const double py = frame.bottom - (double{y} - axes.yMin) * frame.Height() / ySpan + 0.5;
        run.points.push_back({ToPixel(px), ToPixel(py)});
        if (run.points.size() == kPlotPointBatch) flush(false);
    }
    flush(true);
}

void Builder::Curves() {
    for (int c = 0; c < plot.CurveCount(); ++c)
        if (!plot.CurveAt(c)->disabled) Curve(c, *plot.CurveAt(c));
}

}  // namespace

int EstimatedTextWidth(const std::string& text, int fontSize) {
    return static_cast<int>(static_cast<double>(text.size()) * fontSize * 0.08);
}

PlotPicture LayOutPlot(CPlotData& plot, const PlotRect& rect, int scale) {
    PlotPicture empty;
    empty.left = rect.left;
    empty.top = rect.top;
    empty.right = rect.right;
    empty.bottom = rect.bottom;
    if (!plot.ComputeAutoRanges()) return empty;
    const int s = scale < 1 ? 1 : scale;
    const PlotLayout layout = Scaled(plot.layout, s);
    const Frame frame{rect.left + layout.leftMargin, rect.top + layout.topMargin, rect.right - layout.rightMargin,
                      rect.bottom - layout.bottomMargin};
    Builder builder{plot, layout, frame, s, std::move(empty)};
    builder.picture.drawn = true;
    builder.FrameAndTitles();
    builder.XTicks();
    builder.YTicks();
    builder.Legend();
    builder.Curves();
    return std::move(builder.picture);
}

}  // namespace elix
