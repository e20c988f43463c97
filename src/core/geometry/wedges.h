// Wedges: a strip added along one edge of the geometry image that holds a
// right-angled wedge of material, D pixels thick at one end of its span and
// thinning linearly to nothing at the other. CElixDoc::AddWedge and
// TrimWedge (wedges.cpp) grow and shrink the image with them; source
// wedges use the same operation with item shifting.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "geometry/geometry_image.h"

namespace elix {

enum class WedgeEdge { Left, Right, Top, Bottom };

// "Left", "Right", "Top" or "Bottom" (exactly); nothing for any other text.
std::optional<WedgeEdge> WedgeEdgeFromName(const std::string& name);

// The depth of a wedge across its edge: d = S * tan(theta) metres and
// D = trunc(d * resolution / 0.0254 + 0.5) pixels, with the resolution
// (dots per inch) of the axis across the edge: x for Left and Right, y for
// Top and Bottom.
struct WedgeDepth {
    double metres = 0.0;
    std::int64_t pixels = 0;
};

// Nothing when the size is negative or not finite, theta is outside
// 0 <= theta < 90 degrees, or the resolution is not finite and above 0.
// The pixel count is not limited here: growing the image by it may still
// fail.
std::optional<WedgeDepth> ComputeWedgeDepth(double size, double thetaDegrees, double resolutionAcross);

// Fills the wedge into a strip of depth pixels that the image has just
// grown by on that edge (the strip holds vacuum). Along the edge the span
// runs over the pixels trunc(c - S'/2 + 0.5) .. trunc(c + S'/2 + 0.5),
// clamped to the image, where S' is size in pixels along the edge and
// c = extent / 2 - offset in pixels. At span position k with
// f = (k - c) / S' + 0.5 (1 - f with flip), the wedge covers the strip from
// the old image edge outwards over depth - trunc(depth * f + 0.5) pixels,
// clamped to 0..depth.
void PaintWedgeStrip(CGeometryImage& image, WedgeEdge edge, int depth, double size, double offset, bool flip,
                     std::uint8_t gray);

}  // namespace elix
