#include "model/location_rules.h"

#include <algorithm>
#include <cmath>

namespace elix {
namespace {

constexpr double kMetresPerMm = 0.001;
// Relative tolerance of "on a side" and of a centre offset shown as 0.
constexpr double kTolerance = 1e-6;

bool Near(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

}  // namespace

const char* LocationName(SideLocation location) {
    switch (location) {
        case SideLocation::Left: return "Left";
        case SideLocation::Right: return "Right";
        case SideLocation::Top: return "Top";
        case SideLocation::Bottom: return "Bottom";
        case SideLocation::Advanced: break;
    }
    return "Advanced";
}

std::optional<SideLocation> ParseLocation(std::string_view name) {
    for (SideLocation side : {SideLocation::Left, SideLocation::Right, SideLocation::Top, SideLocation::Bottom,
                              SideLocation::Advanced})
        if (name == LocationName(side)) return side;
    return std::nullopt;
}

double Segment::Length() const { return std::hypot(x2 - x1, y2 - y1); }

ModelExtent PixelExtent(const CGeometryImage& image) {
    ModelExtent extent;
    if (image.ResolutionX > 0.0f) extent.width = image.ImageWidth * kMetresPerInch / image.ResolutionX;
    if (image.ResolutionY > 0.0f) extent.height = image.ImageHeight * kMetresPerInch / image.ResolutionY;
    return extent;
}

double SideLength(SideLocation side, const ModelExtent& model) {
    switch (side) {
        case SideLocation::Left:
        case SideLocation::Right: return model.height;
        case SideLocation::Top:
        case SideLocation::Bottom: return model.width;
        case SideLocation::Advanced: break;
    }
    return 0.0;
}

Segment SideSegment(SideLocation side, double size, double offset, const ModelExtent& model) {
    const double w = model.width;
    const double h = model.height;
    const double s = std::min(size, 2.0 * SideLength(side, model));
    switch (side) {
        case SideLocation::Left: return {0.0, (h - s) / 2.0 - offset, 0.0, (h + s) / 2.0 - offset};
        case SideLocation::Right: return {w, (h + s) / 2.0 + offset, w, (h - s) / 2.0 + offset};
        case SideLocation::Top: return {(w + s) / 2.0 + offset, 0.0, (w - s) / 2.0 + offset, 0.0};
        case SideLocation::Bottom: return {(w - s) / 2.0 - offset, h, (w + s) / 2.0 - offset, h};
        case SideLocation::Advanced: break;
    }
    return {};
}

Segment CoverSide(SideLocation side, const ModelExtent& model) {
    return SideSegment(side, SideLength(side, model), 0.0, model);
}

Segment ScaleAboutMidpoint(const Segment& segment, double length) {
    const double present = segment.Length();
    if (present == 0.0) return segment;
    const double xm = (segment.x1 + segment.x2) / 2.0;
    const double ym = (segment.y1 + segment.y2) / 2.0;
    const double factor = length / present;
    return {xm + (segment.x1 - xm) * factor, ym + (segment.y1 - ym) * factor, xm + (segment.x2 - xm) * factor,
            ym + (segment.y2 - ym) * factor};
}

SideLocation LocationOfSegment(const Segment& s, const ModelExtent& model) {
    const double tol = kTolerance * std::max(model.width, model.height);
    const double w = model.width;
    const double h = model.height;
    if (Near(s.x1, 0.0, tol) && Near(s.x2, 0.0, tol) && s.y2 >= s.y1) return SideLocation::Left;
    if (Near(s.x1, w, tol) && Near(s.x2, w, tol) && s.y2 <= s.y1) return SideLocation::Right;
    if (Near(s.y1, 0.0, tol) && Near(s.y2, 0.0, tol) && s.x2 <= s.x1) return SideLocation::Top;
    if (Near(s.y1, h, tol) && Near(s.y2, h, tol) && s.x2 >= s.x1) return SideLocation::Bottom;
    return SideLocation::Advanced;
}

double CenterOffsetOf(const Segment& s, SideLocation side, const ModelExtent& model) {
    const double xm = (s.x1 + s.x2) / 2.0;
    const double ym = (s.y1 + s.y2) / 2.0;
    double offset = 0.0;
    // The midpoint of a side's segment lies at half the side's length minus
    // (Left, Bottom) or plus (Right, Top) the offset.
    switch (side) {
        case SideLocation::Left: offset = model.height / 2.0 - ym; break;
        case SideLocation::Right: offset = ym - model.height / 2.0; break;
        case SideLocation::Top: offset = xm - model.width / 2.0; break;
        case SideLocation::Bottom: offset = model.width / 2.0 - xm; break;
        case SideLocation::Advanced: return 0.0;
    }
    return std::fabs(offset) < kTolerance * SideLength(side, model) ? 0.0 : offset;
}

std::optional<Segment> MirrorSegment(const Segment& s, SideLocation side, const ModelExtent& model) {
    switch (side) {
        case SideLocation::Left:
        case SideLocation::Right: return Segment{model.width - s.x2, s.y2, model.width - s.x1, s.y1};
        case SideLocation::Top:
        case SideLocation::Bottom: return Segment{s.x2, model.height - s.y2, s.x1, model.height - s.y1};
        case SideLocation::Advanced: break;
    }
    return std::nullopt;
}

LocationFields ShowLocation(const Segment& segment, const ModelExtent& model) {
    LocationFields fields;
    fields.location = LocationOfSegment(segment, model);
    fields.sizeMm = segment.Length() / kMetresPerMm;
    fields.offsetMm = CenterOffsetOf(segment, fields.location, model) / kMetresPerMm;
    return fields;
}

EndPointFields ShowEndPoints(const Segment& s) {
    return {s.x1 / kMetresPerMm, s.y1 / kMetresPerMm, s.x2 / kMetresPerMm, s.y2 / kMetresPerMm};
}

bool TakeLocation(const LocationFields& fields, Segment& segment, const ModelExtent& model, const FieldReport& report) {
    if (!CheckFieldRange(fields.sizeMm, kSizeRange, report)) return false;
    if (!CheckFieldRange(fields.offsetMm, kOffsetRange, report)) return false;
    const double size = fields.sizeMm * kMetresPerMm;
    if (fields.location == SideLocation::Advanced) {
        // The end points come from the Advanced editor; only a changed size
        // acts here.
        if (size != segment.Length()) segment = ScaleAboutMidpoint(segment, size);
        return true;
    }
    segment = SideSegment(fields.location, size, fields.offsetMm * kMetresPerMm, model);
    return true;
}

bool TakeEndPoints(const EndPointFields& fields, Segment& segment, const FieldReport& report) {
    for (double value : {fields.x1Mm, fields.y1Mm, fields.x2Mm, fields.y2Mm})
        if (!CheckFieldRange(value, kCoordinateRange, report)) return false;
    segment = {fields.x1Mm * kMetresPerMm, fields.y1Mm * kMetresPerMm, fields.x2Mm * kMetresPerMm,
               fields.y2Mm * kMetresPerMm};
    return true;
}

}  // namespace elix
