#include "view/overlay.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "engine/absorbing_sides.h"
#include "engine/segment_points.h"
#include "geometry/geometry_image.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"
#include "view/model_view_geometry.h"
#include "view/mouse_editing.h"

namespace elix {

std::vector<OverlayPrimitive> Overlay::Of(OverlayRole role) const {
    std::vector<OverlayPrimitive> found;
    for (const OverlayPrimitive& p : primitives)
        if (p.role == role) found.push_back(p);
    return found;
}

ScreenPoint MapToScreen(const CElixDoc& doc, double x, double y, double zoom, double scaleX, double scaleY) {
    const double pixelsX = x * doc.image.ResolutionX / kMetresPerInch;
    const double pixelsY = y * doc.image.ResolutionY / kMetresPerInch;
    return {RoundPixels(kViewLeftMargin * scaleX + pixelsX * zoom * scaleX),
            RoundPixels(kViewTopMargin * scaleY + pixelsY * zoom * scaleY)};
}

std::optional<ClippedSegment> ClipSegment(double x1, double y1, double x2, double y2, double width, double height) {
    // Liang-Barsky: the segment is P(t) = P1 + t (P2 - P1), 0 <= t <= 1;
    // each edge of the rectangle narrows [t0, t1] where P(t) lies inside.
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0.0, t1 = 1.0;
    const std::array<double, 4> p{-dx, dx, -dy, dy};
    const std::array<double, 4> q{x1, width - x1, y1, height - y1};
    for (std::size_t i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return std::nullopt;  // parallel to this edge and outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1) return std::nullopt;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return std::nullopt;
            t1 = std::min(t1, t);
        }
    }
    return ClippedSegment{x1 + t0 * dx, y1 + t0 * dy, x1 + t1 * dx, y1 + t1 * dy};
}

bool LiesOnOneEdge(double x1, double y1, double x2, double y2, double width, double height, double fraction) {
    const double tx = fraction * width, ty = fraction * height;
    const auto near = [](double a, double b, double tolerance) { return std::abs(a - b) <= tolerance; };
    return (near(x1, 0.0, tx) && near(x2, 0.0, tx)) || (near(x1, width, tx) && near(x2, width, tx)) ||
           (near(y1, 0.0, ty) && near(y2, 0.0, ty)) || (near(y1, height, ty) && near(y2, height, ty));
}

namespace {

class OverlayBuilder {
public:
    OverlayBuilder(const CElixDoc& doc, double zoom, double sx, double sy)
        : m_doc(doc), m_zoom(zoom), m_sx(sx), m_sy(sy) {
        m_overlay.fontPoints = kLegendFontPoints * sy;
        m_pen = std::max(1, RoundPixels(kItemPenWidth * sx));
        m_haloPen = std::max(1, RoundPixels(kHaloWidth * sx));
    }

    Overlay Take() { return std::move(m_overlay); }

    int X(double units) const { return RoundPixels(units * m_sx); }
    int Y(double units) const { return RoundPixels(units * m_sy); }

    void Line(OverlayRole role, ItemColour colour, int index, ScreenPoint a, ScreenPoint b) {
        Add(OverlayPrimitive::Shape::Line, role, colour, index, a.x, a.y, b.x, b.y).penWidth = m_pen;
    }

    void Rect(OverlayRole role, ItemColour colour, int index, int left, int top, int width, int height) {
        Add(OverlayPrimitive::Shape::Rect, role, colour, index, left, top, width, height);
    }

    void Text(OverlayRole role, int index, int left, int top, int width, int height, std::string text) {
        Add(OverlayPrimitive::Shape::Text, role, kLegendTextColour, index, left, top, width, height).text =
            std::move(text);
    }

    // Appends a primitive: a line from (x1, y1) to (x2, y2), or a rectangle
    // or text box at (x1, y1) of width x2 and height y2.
    OverlayPrimitive& Add(OverlayPrimitive::Shape shape, OverlayRole role, ItemColour colour, int index, int x1,
                          int y1, int x2, int y2) {
        OverlayPrimitive& p = m_overlay.primitives.emplace_back();
        p.shape = shape;
        p.role = role;
        p.colour = colour;
        p.itemIndex = index;
        p.x1 = x1;
        p.y1 = y1;
        p.x2 = x2;
        p.y2 = y2;
        return p;
    }

    // The legend: an optional title row, then one swatch and name per row.
    void LegendTitle(const std::string& title) {
        Text(OverlayRole::LegendTitle, -1, X(kLegendLeft), Y(kLegendTop), X(kViewLeftMargin - 2 * kLegendLeft),
             Y(kLegendRowHeight), title);
        m_legendRow = 1;
    }

    void LegendRow(ItemColour colour, int index, const std::string& name) {
        const double rowTop = kLegendTop + kLegendRowHeight * m_legendRow;
        Rect(OverlayRole::LegendSwatch, colour, index, X(kLegendLeft),
             Y(rowTop + (kLegendRowHeight - kLegendSwatchSize) / 2.0), X(kLegendSwatchSize), Y(kLegendSwatchSize));
        const double textLeft = kLegendLeft + kLegendSwatchSize + kLegendTextGap;
        Text(OverlayRole::LegendName, index, X(textLeft), Y(rowTop), X(kViewLeftMargin - textLeft - kLegendLeft),
             Y(kLegendRowHeight), name);
        ++m_legendRow;
    }

    // A filled band along the inside of each absorbing side of the image.
    void AbsorbingBands(ItemColour colour) {
        const std::uint8_t sides = m_doc.job.InfiniteBCIndex;
        const PixelRect r = ModelImageRect(m_doc.image.ImageWidth, m_doc.image.ImageHeight, m_zoom, m_sx, m_sy);
        const int across = std::min(X(kAbsorbingBandThickness), r.width);
        const int down = std::min(Y(kAbsorbingBandThickness), r.height);
        if (sides & kAbsorbTop) Rect(OverlayRole::AbsorbingBand, colour, -1, r.left, r.top, r.width, down);
        if (sides & kAbsorbBottom)
            Rect(OverlayRole::AbsorbingBand, colour, -1, r.left, r.top + r.height - down, r.width, down);
        if (sides & kAbsorbLeft) Rect(OverlayRole::AbsorbingBand, colour, -1, r.left, r.top, across, r.height);
        if (sides & kAbsorbRight)
            Rect(OverlayRole::AbsorbingBand, colour, -1, r.left + r.width - across, r.top, across, r.height);
    }

    // Each item as a line clipped to the image, with its direction tick.
    template <class List>
    void Items(const List& list, OverlayRole role, std::optional<ItemColour> fixedColour, bool edgeMarkers) {
        const double width = m_doc.ImageWidthMeters(), height = m_doc.ImageHeightMeters();
        const double edgeFraction = m_doc.IsRunning() ? 0.01 : 0.001;
        for (int k = 0; k < list.Count(); ++k) {
            const auto& item = list[k];
            const ItemColour colour = fixedColour ? *fixedColour : ItemColourAt(k);
            const auto clipped = ClipSegment(item.x1, item.y1, item.x2, item.y2, width, height);
            if (!clipped) continue;
            HaloedLine(role, colour, k, Map(clipped->x1, clipped->y1), Map(clipped->x2, clipped->y2));
            DirectionTick(item.x1, item.y1, item.x2, item.y2, *clipped, colour, k);
            if (edgeMarkers && LiesOnOneEdge(item.x1, item.y1, item.x2, item.y2, width, height, edgeFraction)) {
                const ScreenPoint mid = Map((item.x1 + item.x2) / 2.0, (item.y1 + item.y2) / 2.0);
                const int w = X(kEdgeMarkerSize), h = Y(kEdgeMarkerSize);
                Rect(OverlayRole::EdgeMarker, kEdgeMarkerColour, k, mid.x - w / 2, mid.y - h / 2, w, h);
            }
        }
    }

    // A line with the halo under it.
    void HaloedLine(OverlayRole role, ItemColour colour, int index, ScreenPoint a, ScreenPoint b) {
        Line(OverlayRole::Halo, kHaloColour, index, a, b);
        m_overlay.primitives.back().alpha = kHaloAlpha;
        m_overlay.primitives.back().penWidth = m_haloPen;
        Line(role, colour, index, a, b);
    }

    // The cross on a grabbed end point: from 3 pixels before to 4 after it
    // across and down.
    void DragCross(ScreenPoint at, ItemColour colour, int index) {
        Line(OverlayRole::DragCross, colour, index, {at.x - X(3), at.y}, {at.x + X(4), at.y});
        Line(OverlayRole::DragCross, colour, index, {at.x, at.y - Y(3)}, {at.x, at.y + Y(4)});
    }

    ScreenPoint Map(double x, double y) const { return MapToScreen(m_doc, x, y, m_zoom, m_sx, m_sy); }

private:
    void DirectionTick(double x1, double y1, double x2, double y2, const ClippedSegment& clipped, ItemColour colour,
                       int index) {
        if (x1 == x2 && y1 == y2) return;  // a point has no direction to show
        const SegmentDirection d = DirectionOf(x1, y1, x2, y2);
        const ScreenPoint mid = Map((clipped.x1 + clipped.x2) / 2.0, (clipped.y1 + clipped.y2) / 2.0);
        const ScreenPoint tip{mid.x + static_cast<int>(std::lround(d.c * kDirectionTickLength * m_sx)),
                              mid.y + static_cast<int>(std::lround(d.s * kDirectionTickLength * m_sy))};
        HaloedLine(OverlayRole::DirectionTick, colour, index, mid, tip);
    }

    const CElixDoc& m_doc;
    double m_zoom, m_sx, m_sy;
    int m_pen = 1;
    int m_haloPen = kHaloWidth;
    int m_legendRow = 0;
    Overlay m_overlay;
};

int AbsorbingSideCount(const CElixDoc& doc) {
    return std::popcount(static_cast<unsigned>(doc.job.InfiniteBCIndex & 0x0F));
}

}  // namespace

Overlay BuildOverlay(const CElixDoc& doc, double zoom, double scaleX, double scaleY, const MouseEditState* drag) {
    OverlayBuilder b(doc, zoom, scaleX, scaleY);
    if (!doc.image.HasRows() || !(zoom > 0.0)) return b.Take();
    const std::string& category = doc.DisplayCategory;
    const auto& bcs = doc.BoundaryConditions();
    const auto& sources = doc.Sources();
    const auto& receivers = doc.Receivers();
    const bool anyAbsorbing = AbsorbingSideCount(doc) > 0;

    if (category == kCategoryMaterials) {
        const auto& materials = doc.Materials();
        b.LegendTitle("Material Properties");
        const int rows = std::min<int>(materials.Count(), materials.Capacity());
        for (int k = 0; k < rows; ++k) b.LegendRow(ItemColourAt(k), k, materials[k].name);
    } else if (category == kCategoryBoundaryConditions) {
        // The absorbing sides take the colour after the last condition's.
        const ItemColour bandColour = ItemColourAt(bcs.Count());
        if (anyAbsorbing) b.AbsorbingBands(bandColour);
        b.Items(bcs, OverlayRole::BoundaryCondition, std::nullopt, false);
        b.LegendTitle("Boundary Conditions");
        for (int k = 0; k < bcs.Count(); ++k) b.LegendRow(ItemColourAt(k), k, bcs[k].name);
        if (anyAbsorbing) b.LegendRow(bandColour, bcs.Count(), "Infinite BC");
    } else if (category == kCategorySources) {
        b.Items(sources, OverlayRole::Source, std::nullopt, false);
        b.LegendTitle("Sources");
        for (int k = 0; k < sources.Count(); ++k) b.LegendRow(ItemColourAt(k), k, sources[k].name);
    } else if (category == kCategoryReceivers) {
        b.Items(receivers, OverlayRole::Receiver, std::nullopt, false);
        b.LegendTitle("Receivers");
        for (int k = 0; k < receivers.Count(); ++k) b.LegendRow(ItemColourAt(k), k, receivers[k].name);
    } else if (category == kCategoryAll) {
        if (anyAbsorbing) b.AbsorbingBands(kAllAbsorbingColour);
        b.Items(bcs, OverlayRole::BoundaryCondition, kAllBoundaryConditionColour, false);
        b.Items(sources, OverlayRole::Source, kAllSourceColour, true);
        b.Items(receivers, OverlayRole::Receiver, kAllReceiverColour, true);
        b.LegendRow(kAllBoundaryConditionColour, 0, Format(" %d BC(s)", bcs.Count()));
        b.LegendRow(kAllAbsorbingColour, 1, Format(" %d Infinite BC(s)", AbsorbingSideCount(doc)));
        b.LegendRow(kAllSourceColour, 2, Format(" %d Source(s)", sources.Count()));
        b.LegendRow(kAllReceiverColour, 3, Format(" %d Receiver(s)", receivers.Count()));
    } else {
        return b.Take();
    }

    double x = 0.0, y = 0.0;
    if (drag && GrabbedEndPoint(doc, *drag, x, y)) {
        const std::string kind = DraggedKind(category, *drag);
        ItemColour colour = ItemColourAt(drag->selectedIndex);
        if (category == kCategoryAll)
            colour = kind == kKindBoundaryCondition ? kAllBoundaryConditionColour
                     : kind == kKindSource          ? kAllSourceColour
                                                    : kAllReceiverColour;
        b.DragCross(b.Map(x, y), colour, drag->selectedIndex);
    }
    return b.Take();
}

}  // namespace elix
