// The model view's overlay as plain drawing primitives: the legend in the
// left margin and the items of the document's display category drawn over
// the image (boundary conditions, absorbing sides, sources, receivers), with
// the drag cross of a grabbed end point. The desktop view paints the list in
// order; the numbers are computed here so they are tested without a window.
//
// Coordinates are the view's scrolled coordinates (device pixels with the
// top-left corner of the scrollable area at 0, 0): the painter adds its
// origin. On screen the scale factors are 1; on paper they are the print
// factors of ModelImageRect, which multiply margins, legend distances, pen
// widths and marker sizes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "geometry/item_colours.h"

namespace elix {

class CElixDoc;
struct MouseEditState;

// The display categories the Show commands set.
inline constexpr const char* kCategoryMaterials = "MaterialProperties";
inline constexpr const char* kCategoryBoundaryConditions = "BoundaryConditions";
inline constexpr const char* kCategorySources = "Sources";
inline constexpr const char* kCategoryReceivers = "Receivers";
inline constexpr const char* kCategoryAll = "All";

// The fixed colours of the "All" category.
inline constexpr ItemColour kAllBoundaryConditionColour{255, 0, 0};
inline constexpr ItemColour kAllAbsorbingColour{0, 255, 0};
inline constexpr ItemColour kAllSourceColour{0, 0, 255};
inline constexpr ItemColour kAllReceiverColour{127, 0, 0};
inline constexpr ItemColour kEdgeMarkerColour{96, 96, 96};
inline constexpr ItemColour kLegendTextColour{0, 0, 0};
// A light, half-transparent stripe under every item line and direction
// tick, so that dark item colours stay visible on dark materials, on a
// wavefield frame and along the image edge.
inline constexpr ItemColour kHaloColour{255, 255, 255};
inline constexpr std::uint8_t kHaloAlpha = 110;
inline constexpr int kHaloWidth = 4;
// Item lines and ticks are two screen pixels wide (times the print factor
// on paper): one-pixel lines in the darker item colours vanish at the
// image edge and over dark materials.
inline constexpr int kItemPenWidth = 2;

// Legend layout in screen units (times the print factors on paper).
inline constexpr int kLegendLeft = 5;
inline constexpr int kLegendTop = 5;
inline constexpr int kLegendRowHeight = 20;
inline constexpr int kLegendSwatchSize = 10;
inline constexpr int kLegendTextGap = 5;
inline constexpr double kLegendFontPoints = 9.0;
// An absorbing side's band along the inside of the image edge, and the
// square that marks a source or receiver lying on an edge in "All".
inline constexpr int kAbsorbingBandThickness = 3;
inline constexpr int kEdgeMarkerSize = 5;
// The direction tick: a short stroke from an item's midpoint along the unit
// normal of its segment (the side the item faces).
inline constexpr int kDirectionTickLength = 6;

// Which list an overlay primitive belongs to, so tests and tools can pick
// out what a category shows.
enum class OverlayRole {
    LegendTitle,
    LegendSwatch,
    LegendName,
    AbsorbingBand,
    BoundaryCondition,
    Source,
    Receiver,
    DirectionTick,
    EdgeMarker,
    DragCross,
    Halo,
};

// One drawing primitive. Line: (x1, y1)-(x2, y2) with pen width. Rect: a
// filled rectangle (x1, y1) with width and height in (x2, y2). Text: text
// written from (x1, y1) as the top-left corner of a box x2 wide and y2 high,
// vertically centred in it, cut with an ellipsis when it is wider.
struct OverlayPrimitive {
    enum class Shape { Line, Rect, Text };
    Shape shape = Shape::Line;
    OverlayRole role = OverlayRole::LegendTitle;
    ItemColour colour{0, 0, 0};
    std::uint8_t alpha = 255;  // 255 opaque
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int penWidth = 1;
    int itemIndex = -1;  // the item's index in its list, -1 for legend titles and bands
    std::string text;
};

struct Overlay {
    std::vector<OverlayPrimitive> primitives;  // in painting order
    std::string fontFamily = "Arial";
    double fontPoints = kLegendFontPoints;  // times the print factor along y on paper

    // The primitives of one role, in painting order.
    std::vector<OverlayPrimitive> Of(OverlayRole role) const;
};

// A screen point of the model view.
struct ScreenPoint {
    int x = 0, y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// Where the point (x, y) in metres lies on screen: (left + x ResolutionX /
// 0.0254 z sx, top + y ResolutionY / 0.0254 z sy), each rounded by adding
// 0.5 and truncating; left and top are the margins times sx and sy.
ScreenPoint MapToScreen(const CElixDoc& doc, double x, double y, double zoom, double scaleX = 1.0, double scaleY = 1.0);

// A segment in metres clipped to the rectangle 0..width, 0..height (both
// in metres); nothing when no part of it lies inside.
struct ClippedSegment {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
};
std::optional<ClippedSegment> ClipSegment(double x1, double y1, double x2, double y2, double width, double height);

// Whether both end points of the segment lie on one edge of the model:
// each within the fraction (0.001, or 0.01 while running) of the model's
// width (for the left and right edges) or height (top and bottom) from it.
bool LiesOnOneEdge(double x1, double y1, double x2, double y2, double width, double height, double fraction);

// The overlay of the document's display category at zoom. drag, when
// given and dragging, adds the cross on the grabbed end point. Categories
// without overlay (empty, "ElectrodePairs", "Electrodes") give no
// primitives; so does a document without an image.
Overlay BuildOverlay(const CElixDoc& doc, double zoom, double scaleX = 1.0, double scaleY = 1.0,
                     const MouseEditState* drag = nullptr);

}  // namespace elix
