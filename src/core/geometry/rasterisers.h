// Rasterisers of the geometry editing commands: they paint shapes given in
// metres into the pixel rows of a geometry image, with a gray level, over
// pixels whose current gray level lies in a target range. They know nothing
// of documents or views; CElixDoc's Paint operations wrap them.
//
// Sampling rule shared by every shape: the shape is walked in quarter-pixel
// steps, 0.00635 / ResolutionX metres along its x parameter and
// 0.00635 / ResolutionY along its y parameter (0.00635 m is a quarter
// inch), and each sample point (x, y) falls on pixel
//   (trunc(x * ResolutionX / 0.0254 + 0.5), trunc(y * ResolutionY / 0.0254 + 0.5));
// samples outside the image are skipped. A sample paints its pixel only if
// the pixel's current gray level g satisfies lower <= g <= upper.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/geometry_image.h"

namespace elix {

// The gray level a shape paints and the target range it paints over.
struct PaintLevels {
    std::uint8_t gray = 0;
    std::uint8_t lower = 0;
    std::uint8_t upper = 255;
};

// True when Rows holds exactly ImageHeight rows of ImageWidth bytes, both
// above 0.
bool HasConsistentRows(const CGeometryImage& image);

// HasConsistentRows and both resolutions finite and above 0: the shape
// rasterisers refuse any other image.
bool IsPaintableImage(const CGeometryImage& image);

// Rectangle with its top-left corner (before rotation) at (x0, y0), turned
// by theta (radians; positive turns x towards y, clockwise on the screen)
// about that corner. Samples u = 0 .. width - p along the turned x axis and
// v = 0 .. height - p along the turned y axis (p: mean pixel size), so a
// rectangle narrower than p paints nothing. False only for an image that is
// not paintable or a value that is not finite.
bool RasterRectangle(CGeometryImage& image, double x0, double y0, double width, double height, double theta,
                     const PaintLevels& levels);

// Ellipse with half axes major (along the turned x axis) and minor, centred
// at (xc, yc) and shifted by half a pixel up and left so that the painted
// block is centred on (xc, yc). False also when major or minor is not
// above 0.
bool RasterEllipse(CGeometryImage& image, double xc, double yc, double major, double minor, double theta,
                   const PaintLevels& levels);

// Straight layer from (x1, y1) to (x2, y2), thickness wide across it. False
// also when the two points coincide.
bool RasterLayer(CGeometryImage& image, double x1, double y1, double x2, double y2, double thickness,
                 const PaintLevels& levels);

// Closed polygon: every pixel of the points' bounding box (pixel indices,
// clamped to the image) whose corner point (col * 0.0254 / ResolutionX,
// row * 0.0254 / ResolutionY) has a winding angle sum above 3.14 in
// magnitude. The orientation of the vertices does not matter. False also
// with fewer than three points.
//
// Open polyline (closed false): each segment of length L > 0 is painted
// like a layer but sampled over v = 0 .. L and u = -thickness/2 ..
// thickness/2, so a thickness of 0 draws a line one sample wide. False also
// with fewer than two points or when no segment has a length.
//
// Both fail when xs and ys differ in size or a coordinate is not finite.
bool RasterPolygon(CGeometryImage& image, const std::vector<double>& xs, const std::vector<double>& ys, bool closed,
                   double thickness, const PaintLevels& levels);

// Every pixel with lower <= g <= upper gets value. False when the rows are
// not consistent.
bool ReplacePixels(CGeometryImage& image, std::uint8_t lower, std::uint8_t upper, std::uint8_t value);

}  // namespace elix
