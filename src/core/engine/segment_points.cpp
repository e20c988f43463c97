#include "engine/segment_points.h"

#include <cmath>

namespace elix {

SegmentDirection DirectionOf(double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    const double len = std::sqrt(dx * dx + dy * dy);
    SegmentDirection d;
    if (!(len > 0.0)) return d;
    d.c = dy / len;
    d.s = -dx / len;
    d.orientationClass = std::fabs(d.c) >= 0.9999 ? 1 : std::fabs(d.s) >= 0.9999 ? 2 : 0;
    return d;
}

double ApertureWeight(const std::string& window, double x) {
    constexpr double pi = 3.14159265358979323846;
    const double u = 2.0 * x - 1.0;
    if (window == "Sine") return std::sin(pi * x);
    if (window == "Bartlett") return 1.0 - std::fabs(u);
    if (window == "Hanning") return std::pow(std::cos(pi * u / 2.0), 2);
    if (window == "Hamming") return 0.92 * std::pow(std::cos(pi * u / 2.0), 2) + 0.08;
    if (window == "Blackmann") return 0.5 * std::cos(pi * u) + 0.42 + 0.08 * std::cos(2.0 * pi * u);
    if (window == "Gaussian") return std::exp(-pi * u * u);
    return 1.0;  // "Uniform", "Dirichlet" and any other name
}

std::vector<GridPoint> SegmentPoints(double x1, double y1, double x2, double y2, double hx, double hy, int nx, int ny,
                                     const std::string& windowL, const std::string& windowT) {
    std::vector<GridPoint> points;
    const double dx = x2 - x1, dy = y2 - y1;
    const double len = std::sqrt(dx * dx + dy * dy);
    const double ux = len > 0.0 ? dx / len : 0.0, uy = len > 0.0 ? dy / len : 0.0;
    double h = std::sqrt((hx * ux) * (hx * ux) + (hy * uy) * (hy * uy)) * 0.9;
    double gx0 = x1 / hx + 0.5, gy0 = y1 / hy + 0.5;
    // A start just past the last node (by rounding) is taken as the last node.
    if (gx0 > nx && gx0 < nx + 1.5) gx0 = nx;
    if (gy0 > ny && gy0 < ny + 1.5) gy0 = ny;
    if (!(h > 0.0)) h = 1.0;  // zero length: one sample at the start
    int lastX = -1, lastY = -1;
    // A segment reaching far outside the grid is not walked beyond a sane
    // number of samples.
    constexpr long kMaxSamples = 20000000;
    long samples = 0;
    for (double s = 0.0; s <= len + h / 0.9 && samples < kMaxSamples; s += h, ++samples) {
        const double fx = std::trunc(s * ux / hx + gx0), fy = std::trunc(s * uy / hy + gy0);
        if (!(fx >= 0.0 && fx <= nx && fy >= 0.0 && fy <= ny)) continue;
        const int x = static_cast<int>(fx), y = static_cast<int>(fy);
        if (x == lastX && y == lastY) continue;
        lastX = x;
        lastY = y;
        const double at = len > 0.0 ? s / len : 0.0;
        points.push_back({x, y, static_cast<float>(ApertureWeight(windowL, at)),
                          static_cast<float>(ApertureWeight(windowT, at)), s});
    }
    return points;
}

}  // namespace elix
