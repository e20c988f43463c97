// How a drawn segment meets the grid: its direction and orientation class,
// the aperture windows that weight its points, and the list of grid nodes
// it covers. Sources, receivers and boundary conditions share these rules.
#pragma once

#include <string>
#include <vector>

namespace elix {

// The unit normal of a segment, c = dy/len and s = -dx/len, and its class:
// 1 when the normal lies along x (|c| >= 0.9999), 2 along y (|s| >=
// 0.9999), 0 oblique. A zero-length segment gets c = 1, s = 0, class 1.
struct SegmentDirection {
    double c = 1.0;
    double s = 0.0;
    int orientationClass = 1;
};
SegmentDirection DirectionOf(double x1, double y1, double x2, double y2);

// Weight of a point at relative position x = s/L (0..1) along a segment,
// u = 2x - 1: "Uniform" and "Dirichlet" 1, "Sine" sin(pi x), "Bartlett"
// 1 - |u|, "Hanning" cos^2(pi u/2), "Hamming" 0.92 cos^2(pi u/2) + 0.08,
// "Blackmann" 0.5 cos(pi u) + 0.42 + 0.08 cos(2 pi u), "Gaussian"
// exp(-pi u^2); any other name 1.
double ApertureWeight(const std::string& window, double x);

struct GridPoint {
    int x = 0;  // node column
    int y = 0;  // node row
    float weightL = 1.0f;
    float weightT = 1.0f;
    double s = 0.0;  // distance along the segment, m
};

// The nodes a segment covers: samples every h = 0.9 sqrt((hx ux)^2 + (hy uy)^2)
// from the start point while s <= L + h/0.9, each rounded to the nearest
// node, kept when inside the grid and different from the previous kept
// node; weights from the two windows at s/L. A segment of length 0 gives
// its start node (weights at x = 0).
std::vector<GridPoint> SegmentPoints(double x1, double y1, double x2, double y2, double hx, double hy, int nx, int ny,
                                     const std::string& windowL, const std::string& windowT);

}  // namespace elix
