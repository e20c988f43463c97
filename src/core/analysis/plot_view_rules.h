// What a plot window does with the mouse and with Export Plot, without the
// window: the plot kinds and their letters, the frame of a laid-out plot,
// pixel <-> plot value mapping for the status-bar readout, zooming to a
// dragged rectangle, and the CSV text of the visible curves.
#pragma once

#include <optional>
#include <string>

#include "analysis/plot_layout.h"

namespace elix {

class CPlotData;
struct PlotAxes;

// The document's plot index for a window kind letter: 'r' receiver plot 0,
// 'f' spectrum 1, 't' attenuation 2, 'g' gain 3; -1 for any other letter.
int PlotIndexOfKind(char kind);

// The plot frame inside rect: the rectangle less the layout's margins
// (times scale), as LayOutPlot places it.
PlotRect PlotFrameRect(const CPlotData& plot, const PlotRect& rect, int scale = 1);

struct PlotValue {
    double x = 0.0;
    double y = 0.0;
};

// The plot value under pixel (px, py) of a frame, by the inverse of the
// drawing's mapping x = x min + (px - left) (x max - x min) / width and
// y = y min + (bottom - py) (y max - y min) / height. None when the pixel
// lies outside the frame or the frame has no area.
std::optional<PlotValue> PlotValueAt(const PlotAxes& axes, const PlotRect& frame, int px, int py);

// The status-bar text for a plot value: the abscissa divided by the x
// scale with the x title, the ordinate as it is with the y title
// ("Time [sec] (x 1e-06) = 6.7400   Amp. = 0.01234").
std::string PlotReadoutText(const CPlotData& plot, const PlotValue& value);

// The smallest drag, in pixels each way, that zooms; a shorter one is a
// click.
inline constexpr int kMinimumZoomDrag = 4;

// Zooms the axes to the rectangle dragged from (x0, y0) to (x1, y1) in the
// frame: the four limits become the plot values at its corners (clipped to
// the frame) and stop being automatic. False, axes unchanged, when the drag
// is shorter than kMinimumZoomDrag either way or the frame has no area.
bool ZoomAxesToDrag(PlotAxes& axes, const PlotRect& frame, PlotPoint from, PlotPoint to);

// The limits of a zoom step, to go back to the view before it.
struct PlotLimits {
    float xMin = 0.0f, xMax = 0.0f, yMin = 0.0f, yMax = 0.0f;
    bool xMinAuto = true, xMaxAuto = true, yMinAuto = true, yMaxAuto = true;
};
PlotLimits LimitsOf(const PlotAxes& axes);
void RestoreLimits(PlotAxes& axes, const PlotLimits& limits);

// The visible curves as comma-separated values: two columns per enabled
// curve, headed "<legend> x" and "<legend> y" (quoted where the text holds
// a comma or a quote), then one row per point index with "%g" values; a
// curve with fewer points leaves its cells empty. Points beyond the latest
// recorded x (a run in progress) are left out, as in the drawing. Empty
// when no curve is enabled.
std::string PlotCsvText(const CPlotData& plot);

}  // namespace elix
