// Colour maps of the wavefield display. A frame holds one gray level per
// node (0..254 the measured displacement, 255 a held or vacuum node); a
// colour map only chooses the palette that level is shown with, so frame
// values, dumps and saved PCX pictures are the same under every map.
#pragma once

#include <optional>
#include <string_view>

#include "geometry/display_bitmap.h"

namespace elix {

enum class ColourMap {
    Gray,        // the default: entry i is (i, i, i)
    Diverging,   // blue through white (mid level) to red
    Sequential,  // black through red and yellow to white ("hot")
};

// The palette of a map. Entry 255 (held and vacuum nodes) is white in
// every map, as in the gray one.
Palette256 ColourMapPalette(ColourMap map);

// The map wavefield frames are shown with, one for the whole program (a
// View option like the toolbars); Gray until set.
ColourMap FrameColourMap();
void SetFrameColourMap(ColourMap map);

// The map's menu name ("Gray", "Diverging", "Sequential") and back;
// nothing for an unknown name.
std::string_view ColourMapName(ColourMap map);
std::optional<ColourMap> ColourMapNamed(std::string_view name);

}  // namespace elix
