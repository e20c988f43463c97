#include "analysis/plot_view_rules.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/plot_data.h"
#include "platform/text_format.h"

namespace elix {
namespace {

// A CSV cell: quoted, with quotes doubled, when it holds a comma, a quote
// or a line break.
std::string CsvCell(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

int PlotIndexOfKind(char kind) {
    switch (kind) {
        case 'r': return 0;
        case 'f': return 1;
        case 't': return 2;
        case 'g': return 3;
        default: return -1;
    }
}

PlotRect PlotFrameRect(const CPlotData& plot, const PlotRect& rect, int scale) {
    const int s = scale < 1 ? 1 : scale;
    const PlotLayout& l = plot.layout;
    return {rect.left + l.leftMargin * s, rect.top + l.topMargin * s, rect.right - l.rightMargin * s,
            rect.bottom - l.bottomMargin * s};
}

std::optional<PlotValue> PlotValueAt(const PlotAxes& axes, const PlotRect& frame, int px, int py) {
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0) return std::nullopt;
    if (px < frame.left || px > frame.right || py < frame.top || py > frame.bottom) return std::nullopt;
    PlotValue value;
    value.x = axes.xMin + (px - frame.left) * (double{axes.xMax} - axes.xMin) / width;
    value.y = axes.yMin + (frame.bottom - py) * (double{axes.yMax} - axes.yMin) / height;
    return value;
}

std::string PlotReadoutText(const CPlotData& plot, const PlotValue& value) {
    const double scale = plot.axes.xScale > 0.0f ? double{plot.axes.xScale} : 1.0;
    std::string yTitle = plot.titles.y;
    while (!yTitle.empty() && yTitle.back() == ' ') yTitle.pop_back();
    return Format("%s (x %g) = %.4f   %s = %.4g", plot.titles.x, plot.axes.xScale, value.x / scale, yTitle, value.y);
}

bool ZoomAxesToDrag(PlotAxes& axes, const PlotRect& frame, PlotPoint from, PlotPoint to) {
    if (std::abs(to.x - from.x) < kMinimumZoomDrag || std::abs(to.y - from.y) < kMinimumZoomDrag) return false;
    const auto clipX = [&](int x) { return std::clamp(x, frame.left, frame.right); };
    const auto clipY = [&](int y) { return std::clamp(y, frame.top, frame.bottom); };
    const auto low = PlotValueAt(axes, frame, clipX(std::min(from.x, to.x)), clipY(std::max(from.y, to.y)));
    const auto high = PlotValueAt(axes, frame, clipX(std::max(from.x, to.x)), clipY(std::min(from.y, to.y)));
    if (!low || !high || !(low->x < high->x) || !(low->y < high->y)) return false;
    axes.xMin = static_cast<float>(low->x);
    axes.xMax = static_cast<float>(high->x);
    axes.yMin = static_cast<float>(low->y);
    axes.yMax = static_cast<float>(high->y);
    axes.xMinAuto = axes.xMaxAuto = axes.yMinAuto = axes.yMaxAuto = false;
    return true;
}

PlotLimits LimitsOf(const PlotAxes& axes) {
    return {axes.xMin, axes.xMax, axes.yMin, axes.yMax, axes.xMinAuto, axes.xMaxAuto, axes.yMinAuto, axes.yMaxAuto};
}

void RestoreLimits(PlotAxes& axes, const PlotLimits& limits) {
    axes.xMin = limits.xMin;
    axes.xMax = limits.xMax;
    axes.yMin = limits.yMin;
    axes.yMax = limits.yMax;
    axes.xMinAuto = limits.xMinAuto;
    axes.xMaxAuto = limits.xMaxAuto;
    axes.yMinAuto = limits.yMinAuto;
    axes.yMaxAuto = limits.yMaxAuto;
}

std::string PlotCsvText(const CPlotData& plot) {
    std::vector<const PlotCurve*> curves;
    for (const PlotCurve& curve : plot.Curves())
        if (!curve.disabled) curves.push_back(&curve);
    if (curves.empty()) return {};

    // The points of each curve up to the latest recorded x.
    std::vector<std::size_t> counts;
    std::size_t rows = 0;
    for (const PlotCurve* curve : curves) {
        std::size_t n = 0;
        const auto points = static_cast<std::size_t>(curve->PointCount());
        while (n < points && curve->x[n] <= plot.latestX) ++n;
        counts.push_back(n);
        rows = std::max(rows, n);
    }

    std::string text;
    for (std::size_t c = 0; c < curves.size(); ++c) {
        if (c > 0) text += ',';
        text += CsvCell(curves[c]->legend + " x") + ',' + CsvCell(curves[c]->legend + " y");
    }
    text += '\n';
    for (std::size_t i = 0; i < rows; ++i) {
        for (std::size_t c = 0; c < curves.size(); ++c) {
            if (c > 0) text += ',';
            if (i < counts[c]) text += Format("%g,%g", curves[c]->x[i], curves[c]->y[i]);
            else text += ',';
        }
        text += '\n';
    }
    return text;
}

}  // namespace elix
