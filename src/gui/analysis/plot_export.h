// Export Plot: a plot window's picture as PNG (the pixels the window
// shows), as SVG (the core's writer over the same layout) or its visible
// curves as CSV, chosen by the file's extension.
#pragma once

#include <string>

namespace elix {

class CPlotView;

// The filter of the Export Plot chooser.
inline constexpr const char* kPlotPictureFilter =
    "PNG Pictures (*.png)|*.png|SVG Pictures (*.svg)|*.svg|CSV Files (*.csv)|*.csv||";

// Writes the window's plot to path, its kind taken from the extension
// (".png", ".svg", ".csv", any case; none: PNG with ".png" added). False
// with the reason in error: "Unable to save file '%s'.", "No curve for
// export." for a plot without enabled curves, or an unknown extension.
bool ExportPlotFile(const CPlotView& view, std::string& path, std::string& error);

// The command: a save chooser starting in the receiver output folder, then
// ExportPlotFile; a failure is shown through the document.
bool ExportPlotCommand(CPlotView& view);

}  // namespace elix
