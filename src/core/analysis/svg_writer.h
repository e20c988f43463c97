// Plot pictures as SVG files: the headless path's way to show a plot.
#pragma once

#include <string>

#include "analysis/plot_layout.h"

namespace elix {

class CPlotData;

// The SVG document of a laid-out picture: a white background over the
// picture's rectangle, then the lines, curves and texts. Text is escaped
// for XML, and bytes that are not UTF-8 become '?', so any legend gives a
// well-formed file.
std::string PlotSvgText(const PlotPicture& picture);

// Lays out plot in a width x height picture (as a plot window of that
// client size draws it; the plot itself is not changed) and saves it at
// path, atomically. False with "Unable to save file '%s'." in error when
// the file cannot be written, or a message about the size when width or
// height is not positive. A plot without enabled curves gives a blank
// picture.
bool WritePlotSvg(const CPlotData& plot, const std::string& path, int width, int height, std::string& error);

}  // namespace elix
