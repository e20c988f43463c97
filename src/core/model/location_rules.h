// Where an item lies, as the source, receiver and boundary condition
// editors show it: a side of the model ("Left", "Right", "Top", "Bottom")
// with a size and a centre offset, or "Advanced" with free end points.
//
// Frame: metres from the top-left corner of the image, x to the right, y
// downwards; W and H are the model's width and height. With size s and
// centre offset o, a side gives the segment (x1, y1)-(x2, y2):
//   Left    (0, (H - s)/2 - o)      - (0, (H + s)/2 - o)       downwards
//   Right   (W, (H + s)/2 + o)      - (W, (H - s)/2 + o)       upwards
//   Top     ((W + s)/2 + o, 0)      - ((W - s)/2 + o, 0)       leftwards
//   Bottom  ((W - s)/2 - o, H)      - ((W + s)/2 - o, H)       rightwards
// so a segment on a side runs anticlockwise round the model as seen on the
// screen, and a positive offset moves it clockwise (up on the left, down on
// the right, right along the top, left along the bottom).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "geometry/geometry_image.h"
#include "model/field_range.h"

namespace elix {

enum class SideLocation { Left, Right, Top, Bottom, Advanced };

// "Left", "Right", "Top", "Bottom", "Advanced".
const char* LocationName(SideLocation location);
// The location of a name; nothing for any other text.
std::optional<SideLocation> ParseLocation(std::string_view name);

// A segment in metres, computed in double and stored in the records' floats.
struct Segment {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    double Length() const;
};

template <class Record>
Segment SegmentOf(const Record& r) {
    return {r.x1, r.y1, r.x2, r.y2};
}
template <class Record>
void SetSegment(Record& r, const Segment& s) {
    r.x1 = static_cast<float>(s.x1);
    r.y1 = static_cast<float>(s.y1);
    r.x2 = static_cast<float>(s.x2);
    r.y2 = static_cast<float>(s.y2);
}

// Width and height of a model, metres.
struct ModelExtent {
    double width = 0.0;
    double height = 0.0;
};

// The image's pixel columns and rows times 0.0254 / its resolution (dots
// per inch): the extent the echo and through receivers are placed in.
ModelExtent PixelExtent(const CGeometryImage& image);

// The length of a side: H for Left and Right, W for Top and Bottom, 0 for
// Advanced.
double SideLength(SideLocation side, const ModelExtent& model);

// The segment of a side with size s and centre offset o (metres). The size
// is first limited to twice the side's length.
Segment SideSegment(SideLocation side, double size, double offset, const ModelExtent& model);

// The whole side, in the side's direction: size = its length, offset 0.
Segment CoverSide(SideLocation side, const ModelExtent& model);

// The segment scaled about its midpoint to a new length; a segment of
// length 0 has no direction and is returned as it is.
Segment ScaleAboutMidpoint(const Segment& segment, double length);

// The side a segment is shown on. A segment counts as lying on a side when
// both its end points are on that side's line (within 1e-6 of the model's
// larger dimension) and it runs in the side's direction of the table above
// (a point counts as either direction); anything else is "Advanced". This
// way a segment shown on a side comes back unchanged when the side
// conversion is applied to the size and offset shown with it; a segment on
// a side's line but running the other way is shown as "Advanced" so that
// showing it does not turn it round. Sides are tried in the order Left,
// Right, Top, Bottom (a point in a corner is on two of them).
SideLocation LocationOfSegment(const Segment& segment, const ModelExtent& model);

// The centre offset of a segment on a side, derived back from its
// midpoint; 0 when its magnitude is below 1e-6 of the side's length, and
// for "Advanced".
double CenterOffsetOf(const Segment& segment, SideLocation side, const ModelExtent& model);

// The through receiver's segment: the source's segment mirrored onto the
// opposite side with start and end exchanged. Left and Right:
// (W - x2, y2)-(W - x1, y1); Top and Bottom: (x2, H - y2)-(x1, H - y1).
// Nothing for "Advanced".
std::optional<Segment> MirrorSegment(const Segment& segment, SideLocation side, const ModelExtent& model);

// The location fields of an editor, in the units shown (mm).
struct LocationFields {
    SideLocation location = SideLocation::Advanced;
    double sizeMm = 0.0;    // "Size (mm)", 0 to 1e20
    double offsetMm = 0.0;  // "Center Offset (mm)", -1e20 to 1e20
};
// The Advanced editor's end points, mm.
struct EndPointFields {
    double x1Mm = 0.0, y1Mm = 0.0, x2Mm = 0.0, y2Mm = 0.0;  // "X Start (mm)" ... "Y End (mm)"
};

inline constexpr FieldRange kSizeRange{0.0, 1e20};
inline constexpr FieldRange kOffsetRange{-1e20, 1e20};
inline constexpr FieldRange kCoordinateRange{-1e20, 1e20};

// How a segment is shown: its side, its length as the size and the centre
// offset derived back.
LocationFields ShowLocation(const Segment& segment, const ModelExtent& model);
EndPointFields ShowEndPoints(const Segment& segment);

// Takes the location fields back into the segment. A side sets the segment
// from the table; "Advanced" keeps the end points and, when the size
// differs from the present length, scales the segment about its midpoint.
// A field out of its range is shown through report and nothing changes.
bool TakeLocation(const LocationFields& fields, Segment& segment, const ModelExtent& model, const FieldReport& report);
bool TakeEndPoints(const EndPointFields& fields, Segment& segment, const FieldReport& report);

}  // namespace elix
