#include "geometry/rasterisers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace elix {
namespace {

constexpr double kInch = kMetresPerInch;  // 0.0254 m
constexpr double kQuarterInch = 0.00635;  // m
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The samples of a shape are visited only where they can land in the image:
// a shape of 1e20 m would otherwise take forever. The visited range is cut
// with this many pixels of slack on every side, far more than rounding can
// move a sample, so exactly the samples that paint are still visited.
constexpr double kClipMarginPixels = 2.0;

// The metres window around the image that the clipping keeps.
struct Window {
    double xlo, xhi, ylo, yhi;
};

// One image seen through its resolution, painting with one gray level over
// a target range.
class Canvas {
public:
    Canvas(CGeometryImage& image, const PaintLevels& levels)
        : m_image(image), m_levels(levels), m_resX(image.ResolutionX), m_resY(image.ResolutionY) {}

    double ResolutionX() const { return m_resX; }
    double ResolutionY() const { return m_resY; }
    int Width() const { return m_image.ImageWidth; }
    int Height() const { return m_image.ImageHeight; }

    // Quarter pixel along x and along y: 0.00635 / resolution (m).
    double QuarterX() const { return kQuarterInch / m_resX; }
    double QuarterY() const { return kQuarterInch / m_resY; }
    // Mean pixel size p = (0.0254 / ResolutionX + 0.0254 / ResolutionY) / 2 (m).
    double MeanPixel() const { return (kInch / m_resX + kInch / m_resY) / 2.0; }

    // The sample (x, y) in metres paints pixel
    // (trunc(x * ResolutionX / 0.0254 + 0.5), trunc(y * ResolutionY / 0.0254 + 0.5))
    // when that lies in the image. The rounding is done in double and range
    // checked before any conversion, so far-away samples are simply skipped.
    void PaintPoint(double x, double y) {
        const double col = std::trunc(x * m_resX / kInch + 0.5);
        const double row = std::trunc(y * m_resY / kInch + 0.5);
        if (!(col >= 0.0 && col < Width() && row >= 0.0 && row < Height())) return;
        PaintPixel(static_cast<int>(col), static_cast<int>(row));
    }

    void PaintPixel(int col, int row) {
        std::uint8_t& pixel = m_image.Rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
        if (pixel >= m_levels.lower && pixel <= m_levels.upper) pixel = m_levels.gray;
    }

    // Samples land inside when x * res / 0.0254 lies in (-1.5, width - 0.5);
    // the window widens that by the clip margin.
    Window ClipWindow() const {
        const double pixelX = kInch / m_resX;
        const double pixelY = kInch / m_resY;
        return {(-1.5 - kClipMarginPixels) * pixelX, (Width() - 0.5 + kClipMarginPixels) * pixelX,
                (-1.5 - kClipMarginPixels) * pixelY, (Height() - 0.5 + kClipMarginPixels) * pixelY};
    }

    // Upper bound on the samples of one straight run through the window: a
    // run along a unit direction crosses at most width + height of it.
    long long MaxStepsPerRun() const {
        const Window w = ClipWindow();
        const double steps = 2.0 * ((w.xhi - w.xlo) + (w.yhi - w.ylo)) / std::min(QuarterX(), QuarterY());
        return static_cast<long long>(std::min(steps, 1e15)) + 16;
    }

private:
    CGeometryImage& m_image;
    PaintLevels m_levels;
    double m_resX;  // dots per inch, taken from the float fields
    double m_resY;
};

// The samples t = start + k * step for k = 0, 1, ... while t <= limit.
struct StepAxis {
    double start;
    double limit;
    double step;
};

// Narrows [tmin, tmax] to the t for which lo <= a + b * t <= hi.
void ClipLinear(double a, double b, double lo, double hi, double& tmin, double& tmax) {
    if (b == 0.0) {
        if (!(a >= lo && a <= hi)) {
            tmin = kInfinity;
            tmax = -kInfinity;
        }
        return;
    }
    double t1 = (lo - a) / b;
    double t2 = (hi - a) / b;
    if (t1 > t2) std::swap(t1, t2);
    tmin = std::max(tmin, t1);
    tmax = std::min(tmax, t2);
}

// Visits the sample indices k of an axis whose t may lie in [lo, hi], one
// index of slack on each side, at most maxCount of them; visit(t) is called
// with t = start + k * step until t passes the axis limit.
template <class Visit>
void ForEachStepWithin(const StepAxis& axis, double lo, double hi, long long maxCount, Visit visit) {
    const double top = std::min(hi, axis.limit);
    if (!(top >= lo) || !(top >= axis.start)) return;
    const double first = std::max(0.0, std::floor((lo - axis.start) / axis.step) - 1.0);
    const double last = std::floor((top - axis.start) / axis.step) + 1.0;
    if (!std::isfinite(first) || !std::isfinite(last) || last < first) return;
    const double wanted = last - first + 1.0;
    const long long count = wanted >= static_cast<double>(maxCount) ? maxCount : static_cast<long long>(wanted);
    for (long long i = 0; i < count; ++i) {
        const double t = axis.start + (first + static_cast<double>(i)) * axis.step;
        if (t > axis.limit) break;
        visit(t);
    }
}

// How a swept shape lies in the plane, for clipping only: its samples are
// close to base + u * eu + v * ev with u within [uMin, uMax]. The painted
// points come from each shape's own formula.
struct SweepFrame {
    double bx, by;    // base point, m
    double eux, euy;  // unit direction of u
    double evx, evy;  // unit direction of v
    double uMin, uMax;
};

// The double loop of the swept shapes: v over vAxis (outer), and for each v
// u from uRange(v).first while u <= uRange(v).second in steps of uStep;
// each (u, v) paints pointAt(u, v).
template <class URange, class PointAt>
void Sweep(Canvas& canvas, const SweepFrame& f, const StepAxis& vAxis, double uStep, URange uRange, PointAt pointAt) {
    const Window w = canvas.ClipWindow();
    const long long maxSteps = canvas.MaxStepsPerRun();

    // The v whose whole u range can reach the window at all.
    const double uxLow = std::min(f.uMin * f.eux, f.uMax * f.eux), uxHigh = std::max(f.uMin * f.eux, f.uMax * f.eux);
    const double uyLow = std::min(f.uMin * f.euy, f.uMax * f.euy), uyHigh = std::max(f.uMin * f.euy, f.uMax * f.euy);
    double vLo = -kInfinity, vHi = kInfinity;
    ClipLinear(f.bx, f.evx, w.xlo - uxHigh, w.xhi - uxLow, vLo, vHi);
    ClipLinear(f.by, f.evy, w.ylo - uyHigh, w.yhi - uyLow, vLo, vHi);

    ForEachStepWithin(vAxis, vLo, vHi, maxSteps, [&](double v) {
        const std::pair<double, double> span = uRange(v);
        double uLo = -kInfinity, uHi = kInfinity;
        ClipLinear(f.bx + v * f.evx, f.eux, w.xlo, w.xhi, uLo, uHi);
        ClipLinear(f.by + v * f.evy, f.euy, w.ylo, w.yhi, uLo, uHi);
        ForEachStepWithin(StepAxis{span.first, span.second, uStep}, uLo, uHi, maxSteps, [&](double u) {
            const std::pair<double, double> point = pointAt(u, v);
            canvas.PaintPoint(point.first, point.second);
        });
    });
}

bool AllFinite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// One segment of an open polyline, or a layer: samples (v, u) paint
// (x1 + v*dx - u*dy, y1 + v*dy + u*dx) with the unit direction (dx, dy),
// v = 0 .. vLimit and u = uStart .. uLimit.
void SweepStrip(Canvas& canvas, double x1, double y1, double dx, double dy, double vLimit, double uStart,
                double uLimit) {
    const SweepFrame frame{x1, y1, -dy, dx, dx, dy, uStart, std::max(uStart, uLimit)};
    Sweep(
        canvas, frame, StepAxis{0.0, vLimit, canvas.QuarterY()}, canvas.QuarterX(),
        [&](double) {
            return std::pair{uStart, uLimit};
        },
        [&](double u, double v) {
            return std::pair{x1 + v * dx - u * dy, y1 + v * dy + u * dx};
        });
}

// Winding angle of the polygon around (x, y): the sum of the changes of
// atan2(yk - y, xk - x) from vertex to vertex, starting from the last vertex
// so that the closing edge counts, each change wrapped into -pi..pi.
double WindingAngle(const std::vector<double>& xs, const std::vector<double>& ys, double x, double y) {
    constexpr double kPi = std::numbers::pi;
    const std::size_t n = xs.size();
    double previous = std::atan2(ys[n - 1] - y, xs[n - 1] - x);
    double sum = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        const double angle = std::atan2(ys[k] - y, xs[k] - x);
        double change = angle - previous;
        if (change > kPi)
            change -= 2.0 * kPi;
        else if (change < -kPi)
            change += 2.0 * kPi;
        sum += change;
        previous = angle;
    }
    return sum;
}

// A pixel index of a coordinate by the sampling rule, clamped to 0..count-1.
int ClampedPixelIndex(double metres, double resolution, int count) {
    const double index = std::trunc(metres * resolution / kInch + 0.5);
    return static_cast<int>(std::clamp(index, 0.0, static_cast<double>(count - 1)));
}

bool PaintClosedPolygon(Canvas& canvas, const std::vector<double>& xs, const std::vector<double>& ys) {
    if (xs.size() < 3) return false;
    const auto [xMin, xMax] = std::minmax_element(xs.begin(), xs.end());
    const auto [yMin, yMax] = std::minmax_element(ys.begin(), ys.end());
    const int colLo = ClampedPixelIndex(*xMin, canvas.ResolutionX(), canvas.Width());
    const int colHi = ClampedPixelIndex(*xMax, canvas.ResolutionX(), canvas.Width());
    const int rowLo = ClampedPixelIndex(*yMin, canvas.ResolutionY(), canvas.Height());
    const int rowHi = ClampedPixelIndex(*yMax, canvas.ResolutionY(), canvas.Height());
    for (int row = rowLo; row <= rowHi; ++row) {
        const double y = row * kInch / canvas.ResolutionY();
        for (int col = colLo; col <= colHi; ++col) {
            const double x = col * kInch / canvas.ResolutionX();
            if (std::fabs(WindingAngle(xs, ys, x, y)) > 3.14) canvas.PaintPixel(col, row);
        }
    }
    return true;
}

bool PaintOpenPolyline(Canvas& canvas, const std::vector<double>& xs, const std::vector<double>& ys, double thickness) {
    if (xs.size() < 2) return false;
    bool anySegment = false;
    for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
        const double ex = xs[k + 1] - xs[k];
        const double ey = ys[k + 1] - ys[k];
        const double length = std::sqrt(ex * ex + ey * ey);
        if (!(length > 0.0) || !std::isfinite(length)) continue;
        anySegment = true;
        SweepStrip(canvas, xs[k], ys[k], ex / length, ey / length, length, -thickness / 2.0, thickness / 2.0);
    }
    return anySegment;
}

}  // namespace

bool HasConsistentRows(const CGeometryImage& image) {
    if (image.ImageWidth <= 0 || image.ImageHeight <= 0) return false;
    if (image.Rows.size() != static_cast<std::size_t>(image.ImageHeight)) return false;
    return std::all_of(image.Rows.begin(), image.Rows.end(), [&](const std::vector<std::uint8_t>& row) {
        return row.size() == static_cast<std::size_t>(image.ImageWidth);
    });
}

bool IsPaintableImage(const CGeometryImage& image) {
    return HasConsistentRows(image) && std::isfinite(image.ResolutionX) && image.ResolutionX > 0.0f &&
           std::isfinite(image.ResolutionY) && image.ResolutionY > 0.0f;
}

bool RasterRectangle(CGeometryImage& image, double x0, double y0, double width, double height, double theta,
                     const PaintLevels& levels) {
    if (!IsPaintableImage(image) || !AllFinite({x0, y0, width, height, theta})) return false;
    Canvas canvas(image, levels);
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const double p = canvas.MeanPixel();
    const double uLimit = width - p;
    const SweepFrame frame{x0, y0, c, s, -s, c, 0.0, std::max(0.0, uLimit)};
    Sweep(
        canvas, frame, StepAxis{0.0, height - p, canvas.QuarterY()}, canvas.QuarterX(),
        [&](double) {
            return std::pair{0.0, uLimit};
        },
        [&](double u, double v) {
            return std::pair{x0 + u * c - v * s, y0 + u * s + v * c};
        });
    return true;
}

bool RasterEllipse(CGeometryImage& image, double xc, double yc, double major, double minor, double theta,
                   const PaintLevels& levels) {
    if (!IsPaintableImage(image) || !AllFinite({xc, yc, major, minor, theta})) return false;
    if (!(major > 0.0) || !(minor > 0.0)) return false;
    Canvas canvas(image, levels);
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const double p = canvas.MeanPixel();
    const SweepFrame frame{xc - p / 2.0, yc - p / 2.0, c, s, -s, c, -major, major};
    Sweep(
        canvas, frame, StepAxis{-minor, minor, canvas.QuarterY()}, canvas.QuarterX(),
        [&](double v) {
            // h = major * sqrt(1 - (v / minor)^2); v never leaves -minor..minor.
            const double r = v / minor;
            const double h = major * std::sqrt(std::max(0.0, 1.0 - r * r));
            return std::pair{-h, h};
        },
        [&](double u, double v) {
            return std::pair{xc + u * c - v * s - p / 2.0, yc + u * s + v * c - p / 2.0};
        });
    return true;
}

bool RasterLayer(CGeometryImage& image, double x1, double y1, double x2, double y2, double thickness,
                 const PaintLevels& levels) {
    if (!IsPaintableImage(image) || !AllFinite({x1, y1, x2, y2, thickness})) return false;
    const double ex = x2 - x1;
    const double ey = y2 - y1;
    const double length = std::sqrt(ex * ex + ey * ey);
    if (!(length > 0.0) || !std::isfinite(length)) return false;
    Canvas canvas(image, levels);
    const double p = canvas.MeanPixel();
    SweepStrip(canvas, x1, y1, ex / length, ey / length, length - p, -thickness / 2.0, thickness / 2.0 - p);
    return true;
}

bool RasterPolygon(CGeometryImage& image, const std::vector<double>& xs, const std::vector<double>& ys, bool closed,
                   double thickness, const PaintLevels& levels) {
    if (!IsPaintableImage(image) || xs.size() != ys.size() || !std::isfinite(thickness)) return false;
    const auto finite = [](double v) { return std::isfinite(v); };
    if (!std::all_of(xs.begin(), xs.end(), finite) || !std::all_of(ys.begin(), ys.end(), finite)) return false;
    Canvas canvas(image, levels);
    return closed ? PaintClosedPolygon(canvas, xs, ys) : PaintOpenPolyline(canvas, xs, ys, thickness);
}

bool ReplacePixels(CGeometryImage& image, std::uint8_t lower, std::uint8_t upper, std::uint8_t value) {
    if (!HasConsistentRows(image)) return false;
    for (std::vector<std::uint8_t>& row : image.Rows)
        for (std::uint8_t& pixel : row)
            if (pixel >= lower && pixel <= upper) pixel = value;
    return true;
}

}  // namespace elix
