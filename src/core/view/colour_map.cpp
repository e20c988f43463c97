#include "view/colour_map.h"

#include <algorithm>
#include <cmath>

namespace elix {
namespace {

struct Rgb {
    double r, g, b;
};

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

std::uint8_t Byte(double v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0))); }

// t in [0, 1] over the levels 0..254.
Rgb Colour(ColourMap map, double t) {
    switch (map) {
        case ColourMap::Diverging: {
            const Rgb blue{59, 76, 192}, white{247, 247, 247}, red{180, 4, 38};
            return t < 0.5 ? Mix(blue, white, t / 0.5) : Mix(white, red, (t - 0.5) / 0.5);
        }
        case ColourMap::Sequential:
            // Red rises over the first third, green over the second, blue
            // over the last: brightness grows with the level throughout.
            return {255.0 * std::clamp(3.0 * t, 0.0, 1.0), 255.0 * std::clamp(3.0 * t - 1.0, 0.0, 1.0),
                    255.0 * std::clamp(3.0 * t - 2.0, 0.0, 1.0)};
        case ColourMap::Gray:
        default:
            return {254.0 * t, 254.0 * t, 254.0 * t};
    }
}

ColourMap g_frameColourMap = ColourMap::Gray;

}  // namespace

ColourMap FrameColourMap() { return g_frameColourMap; }
void SetFrameColourMap(ColourMap map) { g_frameColourMap = map; }

Palette256 ColourMapPalette(ColourMap map) {
    if (map == ColourMap::Gray) return GrayPalette();
    Palette256 palette;
    for (std::size_t i = 0; i < 255; ++i) {
        const Rgb c = Colour(map, static_cast<double>(i) / 254.0);
        palette.red[i] = Byte(c.r);
        palette.green[i] = Byte(c.g);
        palette.blue[i] = Byte(c.b);
    }
    palette.red[255] = palette.green[255] = palette.blue[255] = 255;
    return palette;
}

std::string_view ColourMapName(ColourMap map) {
    switch (map) {
        case ColourMap::Diverging: return "Diverging";
        case ColourMap::Sequential: return "Sequential";
        case ColourMap::Gray:
        default: return "Gray";
    }
}

std::optional<ColourMap> ColourMapNamed(std::string_view name) {
    for (ColourMap map : {ColourMap::Gray, ColourMap::Diverging, ColourMap::Sequential})
        if (ColourMapName(map) == name) return map;
    return std::nullopt;
}

}  // namespace elix
