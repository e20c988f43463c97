// The overlay's primitives: screen mapping and clipping of items, legends
// per category, absorbing-side bands, the edge marker of "All", direction
// ticks and the drag cross.
#include "view/overlay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/absorbing_sides.h"
#include "item_model_support.h"
#include "view/mouse_editing.h"

namespace elix {
namespace {

using test::ItemModel;

struct Box {
    int x1, y1, x2, y2;
    bool operator==(const Box&) const = default;
};
std::vector<Box> Boxes(const std::vector<OverlayPrimitive>& primitives) {
    std::vector<Box> boxes;
    for (const OverlayPrimitive& p : primitives) boxes.push_back({p.x1, p.y1, p.x2, p.y2});
    return boxes;
}
std::vector<std::string> Texts(const std::vector<OverlayPrimitive>& primitives) {
    std::vector<std::string> texts;
    for (const OverlayPrimitive& p : primitives) texts.push_back(p.text);
    return texts;
}
bool SameColour(ItemColour a, ItemColour b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

using Overlays = ItemModel;

TEST_F(Overlays, TopSourceMapsToItsScreenSegmentAtAnyZoom) {
    // 8 mm centred on the top side runs leftwards from x = 14 mm to 6 mm.
    const Segment top = SideSegment(SideLocation::Top, 0.008, 0.0, Extent());
    Add<CSource>("Top", top.x1, top.y1, top.x2, top.y2);
    doc.DisplayCategory = "Sources";

    struct Case {
        double zoom;
        Box line;
    };
    // x: 150 + 140 px x zoom and 150 + 60 px x zoom; y on the top margin.
    for (const Case& c : {Case{1.0, {290, 25, 210, 25}}, Case{2.5, {500, 25, 300, 25}}}) {
        const Overlay overlay = BuildOverlay(doc, c.zoom);
        const auto lines = overlay.Of(OverlayRole::Source);
        ASSERT_EQ(lines.size(), 1u) << c.zoom;
        EXPECT_EQ(Boxes(lines)[0], c.line) << c.zoom;
        EXPECT_TRUE(SameColour(lines[0].colour, ItemColourAt(0)));
        EXPECT_EQ(lines[0].penWidth, kItemPenWidth);
        // The source faces down into the model: the tick leaves the midpoint
        // along +y.
        const auto ticks = overlay.Of(OverlayRole::DirectionTick);
        ASSERT_EQ(ticks.size(), 1u);
        const int mid = (c.line.x1 + c.line.x2) / 2;
        EXPECT_EQ(Boxes(ticks)[0], (Box{mid, 25, mid, 25 + kDirectionTickLength}));
    }

    // On paper (600 dpi: factor 10) margins, positions and the pen grow.
    const Overlay paper = BuildOverlay(doc, 1.0, 10.0, 10.0);
    const auto lines = paper.Of(OverlayRole::Source);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(Boxes(lines)[0], (Box{2900, 250, 2100, 250}));
    EXPECT_EQ(lines[0].penWidth, 10 * kItemPenWidth);
    EXPECT_DOUBLE_EQ(paper.fontPoints, 90.0);
}

TEST_F(Overlays, SegmentsAreClippedToTheImage) {
    Add<CReceiver>("Across the left edge", -0.005, 0.002, 0.005, 0.002);
    Add<CReceiver>("Outside", 0.021, 0.001, 0.030, 0.009);
    Add<CReceiver>("Corner to corner", -0.020, -0.010, 0.040, 0.020);
    Add<CReceiver>("Inside", 0.001, 0.001, 0.002, 0.002);
    doc.DisplayCategory = "Receivers";
    const auto lines = BuildOverlay(doc, 1.0).Of(OverlayRole::Receiver);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].itemIndex, 0);
    EXPECT_EQ(Boxes(lines)[0], (Box{150, 45, 200, 45}));
    EXPECT_EQ(lines[1].itemIndex, 2);  // the one outside is not drawn
    EXPECT_EQ(Boxes(lines)[1], (Box{150, 25, 350, 125}));
    EXPECT_EQ(Boxes(lines)[2], (Box{160, 35, 170, 45}));
    EXPECT_TRUE(SameColour(lines[2].colour, ItemColourAt(3)));

    // The clip itself keeps the part inside, in the segment's direction.
    const auto reversed = ClipSegment(0.030, 0.005, 0.010, 0.005, kWidth, kHeight);
    ASSERT_TRUE(reversed);
    EXPECT_DOUBLE_EQ(reversed->x1, kWidth);
    EXPECT_DOUBLE_EQ(reversed->x2, 0.010);
    EXPECT_FALSE(ClipSegment(-0.002, -0.001, 0.001, -0.001, kWidth, kHeight));  // above the image
    EXPECT_TRUE(ClipSegment(0.0, 0.0, kWidth, 0.0, kWidth, kHeight));            // on the top edge
}

TEST_F(Overlays, LegendsPerCategory) {
    Add<CBoundaryCondition>("Clamp", 0.0, 0.0, 0.0, kHeight);
    Add<CBoundaryCondition>("Roller", kWidth, kHeight, kWidth, 0.0);
    Add<CSource>("Probe", 0.012, 0.0, 0.008, 0.0);
    Add<CReceiver>("Near", 0.001, 0.005, 0.002, 0.005);
    Add<CReceiver>("Far", 0.018, 0.005, 0.019, 0.005);
    ASSERT_TRUE(doc.AddItem(IsotropicMaterial("Water", 0, 1000.0, 1480.0, 0.0)));
    doc.job.InfiniteBCIndex = kAbsorbTop | kAbsorbBottom;

    struct Case {
        const char* category;
        std::vector<std::string> title, names;
    };
    const std::vector<Case> cases{
        {"MaterialProperties", {"Material Properties"}, {"Steel", "Water"}},
        {"BoundaryConditions", {"Boundary Conditions"}, {"Clamp", "Roller", "Infinite BC"}},
        {"Sources", {"Sources"}, {"Probe"}},
        {"Receivers", {"Receivers"}, {"Near", "Far"}},
        {"All", {}, {" 2 BC(s)", " 2 Infinite BC(s)", " 1 Source(s)", " 2 Receiver(s)"}},
    };
    for (const Case& c : cases) {
        doc.DisplayCategory = c.category;
        const Overlay overlay = BuildOverlay(doc, 1.5);
        EXPECT_EQ(overlay.fontFamily, "Arial");
        EXPECT_DOUBLE_EQ(overlay.fontPoints, 9.0);
        EXPECT_EQ(Texts(overlay.Of(OverlayRole::LegendTitle)), c.title) << c.category;
        const auto names = overlay.Of(OverlayRole::LegendName);
        const auto swatches = overlay.Of(OverlayRole::LegendSwatch);
        EXPECT_EQ(Texts(names), c.names) << c.category;
        ASSERT_EQ(swatches.size(), c.names.size()) << c.category;
        // Rows are 20 units apart from (5, 5), after the title row when there
        // is one; a 10-unit swatch, then the name to its right.
        const int first = c.title.empty() ? 5 : 25;
        for (std::size_t k = 0; k < names.size(); ++k) {
            const int top = first + 20 * static_cast<int>(k);
            EXPECT_EQ(Boxes({swatches[k]})[0], (Box{5, top + 5, 10, 10})) << c.category << k;
            EXPECT_EQ(names[k].y1, top);
            EXPECT_EQ(names[k].x1, 20);
            EXPECT_LE(names[k].x1 + names[k].x2, 150);  // the name stays in the margin
        }
        if (std::string(c.category) != "All") {
            for (std::size_t k = 0; k < swatches.size(); ++k)
                EXPECT_TRUE(SameColour(swatches[k].colour, ItemColourAt(static_cast<int>(k)))) << c.category << k;
        }
    }
    doc.DisplayCategory = "All";
    const auto swatches = BuildOverlay(doc, 1.0).Of(OverlayRole::LegendSwatch);
    EXPECT_TRUE(SameColour(swatches[0].colour, {255, 0, 0}));
    EXPECT_TRUE(SameColour(swatches[1].colour, {0, 255, 0}));
    EXPECT_TRUE(SameColour(swatches[2].colour, {0, 0, 255}));
    EXPECT_TRUE(SameColour(swatches[3].colour, {127, 0, 0}));

    // The model, the electrode categories and an unknown name draw nothing.
    for (const char* category : {"", "ElectrodePairs", "Electrodes", "Other"}) {
        doc.DisplayCategory = category;
        EXPECT_TRUE(BuildOverlay(doc, 1.0).primitives.empty()) << category;
    }
    // Nor does a document without an image.
    CElixDoc empty;
    empty.DisplayCategory = "All";
    EXPECT_TRUE(BuildOverlay(empty, 1.0).primitives.empty());
}

TEST_F(Overlays, AbsorbingSidesDrawTheirBands) {
    Add<CBoundaryCondition>("Clamp", 0.0, 0.0, 0.0, kHeight);
    doc.DisplayCategory = "BoundaryConditions";
    EXPECT_TRUE(BuildOverlay(doc, 2.0).Of(OverlayRole::AbsorbingBand).empty());

    // At 200 % the image covers (150, 25) to (550, 225); 3-pixel bands lie
    // inside its edges.
    doc.job.InfiniteBCIndex = kAbsorbTop | kAbsorbBottom | kAbsorbLeft | kAbsorbRight;
    auto bands = BuildOverlay(doc, 2.0).Of(OverlayRole::AbsorbingBand);
    EXPECT_EQ(Boxes(bands), (std::vector<Box>{{150, 25, 400, 3}, {150, 222, 400, 3}, {150, 25, 3, 200}, {547, 25, 3, 200}}));
    // Their colour follows the last condition's: colour 1 after one condition.
    for (const OverlayPrimitive& band : bands) EXPECT_TRUE(SameColour(band.colour, ItemColourAt(1)));
    // Bands go under the items: painted first.
    const Overlay overlay = BuildOverlay(doc, 2.0);
    EXPECT_EQ(overlay.primitives.front().role, OverlayRole::AbsorbingBand);

    doc.job.InfiniteBCIndex = kAbsorbRight;
    doc.DisplayCategory = "All";
    bands = BuildOverlay(doc, 2.0).Of(OverlayRole::AbsorbingBand);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(Boxes(bands)[0], (Box{547, 25, 3, 200}));
    EXPECT_TRUE(SameColour(bands[0].colour, {0, 255, 0}));
    // Only the Boundary Conditions and All views show them.
    doc.DisplayCategory = "Sources";
    EXPECT_TRUE(BuildOverlay(doc, 2.0).Of(OverlayRole::AbsorbingBand).empty());
}

TEST_F(Overlays, AllDrawsFixedColoursAndMarksItemsOnAnEdge) {
    Add<CBoundaryCondition>("Clamp", 0.0, 0.0, 0.0, kHeight);
    Add<CSource>("On top", 0.012, 0.0, 0.008, 0.0);
    Add<CSource>("Just below the top", 0.012, 0.00005, 0.008, 0.00005);  // 0.5 % of the height
    Add<CReceiver>("On the bottom", 0.004, kHeight, 0.008, kHeight);
    Add<CReceiver>("Oblique", 0.0, 0.0, 0.004, kHeight);
    doc.DisplayCategory = "All";

    Overlay overlay = BuildOverlay(doc, 1.0);
    ASSERT_EQ(overlay.Of(OverlayRole::BoundaryCondition).size(), 1u);
    EXPECT_TRUE(SameColour(overlay.Of(OverlayRole::BoundaryCondition)[0].colour, {255, 0, 0}));
    for (const auto& p : overlay.Of(OverlayRole::Source)) EXPECT_TRUE(SameColour(p.colour, {0, 0, 255}));
    for (const auto& p : overlay.Of(OverlayRole::Receiver)) EXPECT_TRUE(SameColour(p.colour, {127, 0, 0}));

    // 5 x 5 gray squares centred on the midpoints of the two on an edge.
    auto markers = overlay.Of(OverlayRole::EdgeMarker);
    ASSERT_EQ(markers.size(), 2u);
    EXPECT_EQ(Boxes(markers), (std::vector<Box>{{248, 23, 5, 5}, {208, 123, 5, 5}}));
    EXPECT_TRUE(SameColour(markers[0].colour, {96, 96, 96}));
    // A marker is painted over its line.
    const auto& all = overlay.primitives;
    const auto line = std::find_if(all.begin(), all.end(), [](const OverlayPrimitive& p) {
        return p.role == OverlayRole::Receiver && p.itemIndex == 0;
    });
    const auto marker = std::find_if(all.begin(), all.end(), [](const OverlayPrimitive& p) {
        return p.role == OverlayRole::EdgeMarker && p.itemIndex == 0 && p.y1 > 100;
    });
    EXPECT_LT(line - all.begin(), marker - all.begin());

    // While running, 1 % of the height counts as on the edge.
    doc.SetRunning(true);
    markers = BuildOverlay(doc, 1.0).Of(OverlayRole::EdgeMarker);
    ASSERT_EQ(markers.size(), 3u);
    EXPECT_EQ(markers[1].itemIndex, 1);
    doc.SetRunning(false);

    // The per-list views draw no markers.
    doc.DisplayCategory = "Receivers";
    EXPECT_TRUE(BuildOverlay(doc, 1.0).Of(OverlayRole::EdgeMarker).empty());

    // 0.1 % of the 20 mm width is 0.02 mm.
    EXPECT_TRUE(LiesOnOneEdge(kWidth, 0.001, kWidth - 0.000019, 0.009, kWidth, kHeight, 0.001));
    EXPECT_FALSE(LiesOnOneEdge(kWidth, 0.001, kWidth - 0.000021, 0.009, kWidth, kHeight, 0.001));
    EXPECT_FALSE(LiesOnOneEdge(0.0, 0.001, kWidth, 0.001, kWidth, kHeight, 0.001));  // two different edges
}

TEST_F(Overlays, DragCrossMarksTheGrabbedEndPoint) {
    Add<CReceiver>("Near", 0.001, 0.005, 0.002, 0.005);
    Add<CReceiver>("Far", 0.012, 0.004, 0.016, 0.004);
    doc.DisplayCategory = "Receivers";
    MouseEditState drag;
    EXPECT_TRUE(BuildOverlay(doc, 2.0, 1.0, 1.0, &drag).Of(OverlayRole::DragCross).empty());

    // The second end of "Far" at 200 %: (150 + 320, 25 + 80).
    drag.dragging = true;
    drag.selectedIndex = 1;
    drag.selectedEnd = 1;
    auto cross = BuildOverlay(doc, 2.0, 1.0, 1.0, &drag).Of(OverlayRole::DragCross);
    EXPECT_EQ(Boxes(cross), (std::vector<Box>{{467, 105, 474, 105}, {470, 102, 470, 109}}));
    EXPECT_TRUE(SameColour(cross[0].colour, ItemColourAt(1)));

    // In "All" it takes the kind's colour; a stale index draws nothing.
    doc.DisplayCategory = "All";
    drag.selectedKind = "Receiver";
    cross = BuildOverlay(doc, 2.0, 1.0, 1.0, &drag).Of(OverlayRole::DragCross);
    ASSERT_EQ(cross.size(), 2u);
    EXPECT_TRUE(SameColour(cross[0].colour, {127, 0, 0}));
    drag.selectedIndex = 2;
    EXPECT_TRUE(BuildOverlay(doc, 2.0, 1.0, 1.0, &drag).Of(OverlayRole::DragCross).empty());
}

}  // namespace
}  // namespace elix
