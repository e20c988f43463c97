// Painting a laid-out plot (the core's PlotPicture) with a QPainter: the
// same primitives the SVG writer turns into a file, so a window, a printed
// page, a PNG and an SVG of one plot show the same frame, ticks and curves.
#pragma once

#include <QFont>

#include "analysis/plot_layout.h"

class QPainter;
class QImage;

namespace elix {

class CPlotData;

// The plot's font for a size in tenths of a point: face "Arial", its pixel
// height the size at 96 dots per inch (60 -> 8 pixels). Sizes that the
// layout scaled for a printer page give device pixels of that page.
QFont PlotFont(int fontSize);

// Paints every primitive of the picture; a picture that is not drawn (no
// enabled curve) leaves the device as it is.
void PaintPlotPicture(QPainter& painter, const PlotPicture& picture);

// The plot as a picture of width x height pixels on white, as a window of
// that client size shows it (the plot's automatic limits are refreshed).
QImage RenderPlotImage(CPlotData& plot, int width, int height);

}  // namespace elix
