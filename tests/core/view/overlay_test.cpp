// The overlay's primitives: screen mapping and clipping of items, legends
// per category, absorbing-side bands and the edge marker of "All".
#include "view/overlay.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/absorbing_sides.h"
#include "item_model_support.h"

namespace elix {
namespace {

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

using Overlays = test::ItemModel;

TEST_F(Overlays, TopSourceMapsToItsScreenSegmentAtAnyZoom) {
    // 8 mm centred on the top side runs leftwards from x = 14 mm to 6 mm.
    const Segment top = SideSegment(SideLocation::Top, 0.008, 0.0, Extent());
    Add<CSource>("Top", top.x1, top.y1, top.x2, top.y2);
    doc.DisplayCategory = "Sources";
    // x: 150 + 140 px x zoom and 150 + 60 px x zoom, on the top margin; the
    // tick leaves the midpoint downwards, into the model the source faces.
    for (auto [zoom, line] : {std::pair{1.0, Box{290, 25, 210, 25}}, std::pair{2.5, Box{500, 25, 300, 25}}}) {
        const Overlay overlay = BuildOverlay(doc, zoom);
        ASSERT_EQ(Boxes(overlay.Of(OverlayRole::Source)), std::vector<Box>{line}) << zoom;
        EXPECT_TRUE(SameColour(overlay.Of(OverlayRole::Source)[0].colour, ItemColourAt(0)));
        const int mid = (line.x1 + line.x2) / 2;
        EXPECT_EQ(Boxes(overlay.Of(OverlayRole::DirectionTick)),
                  (std::vector<Box>{{mid, 25, mid, 25 + kDirectionTickLength}}));
    }
    // On paper (600 dpi: factor 10) margins, positions, pen and font grow.
    const Overlay paper = BuildOverlay(doc, 1.0, 10.0, 10.0);
    EXPECT_EQ(Boxes(paper.Of(OverlayRole::Source)), (std::vector<Box>{{2900, 250, 2100, 250}}));
    EXPECT_EQ(paper.Of(OverlayRole::Source)[0].penWidth, 10 * kItemPenWidth);
    EXPECT_DOUBLE_EQ(paper.fontPoints, 90.0);
}

TEST_F(Overlays, SegmentsAreClippedToTheImage) {
    Add<CReceiver>("Across the left edge", -0.005, 0.002, 0.005, 0.002);
    Add<CReceiver>("Outside", 0.021, 0.001, 0.030, 0.009);
    Add<CReceiver>("Corner to corner", -0.020, -0.010, 0.040, 0.020);
    Add<CReceiver>("Backwards over the right edge", 0.030, 0.005, 0.010, 0.005);
    doc.DisplayCategory = "Receivers";
    const auto lines = BuildOverlay(doc, 1.0).Of(OverlayRole::Receiver);
    EXPECT_EQ(Boxes(lines), (std::vector<Box>{{150, 45, 200, 45}, {150, 25, 350, 125}, {350, 75, 250, 75}}));
    EXPECT_EQ(lines[1].itemIndex, 2);  // the one outside is not drawn
    EXPECT_TRUE(SameColour(lines[2].colour, ItemColourAt(3)));
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
    for (const Case& c : std::vector<Case>{
             {"MaterialProperties", {"Material Properties"}, {"Steel", "Water"}},
             {"BoundaryConditions", {"Boundary Conditions"}, {"Clamp", "Roller", "Infinite BC"}},
             {"Sources", {"Sources"}, {"Probe"}},
             {"Receivers", {"Receivers"}, {"Near", "Far"}},
             {"All", {}, {" 2 BC(s)", " 2 Infinite BC(s)", " 1 Source(s)", " 2 Receiver(s)"}},
         }) {
        doc.DisplayCategory = c.category;
        const Overlay overlay = BuildOverlay(doc, 1.5);
        EXPECT_EQ(Texts(overlay.Of(OverlayRole::LegendTitle)), c.title) << c.category;
        const auto names = overlay.Of(OverlayRole::LegendName);
        const auto swatches = overlay.Of(OverlayRole::LegendSwatch);
        EXPECT_EQ(Texts(names), c.names) << c.category;
        ASSERT_EQ(swatches.size(), c.names.size()) << c.category;
        // Rows 20 apart from (5, 5), after the title row when there is one:
        // a 10-unit swatch, then the name to its right within the margin.
        const int first = c.title.empty() ? 5 : 25;
        for (std::size_t k = 0; k < names.size(); ++k) {
            const int top = first + 20 * static_cast<int>(k);
            EXPECT_EQ(Boxes({swatches[k]})[0], (Box{5, top + 5, 10, 10})) << c.category << k;
            EXPECT_EQ(Boxes({names[k]})[0], (Box{20, top, 125, 20})) << c.category << k;
            const ItemColour expected = std::string(c.category) != "All"
                                            ? ItemColourAt(static_cast<int>(k))
                                            : std::vector<ItemColour>{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {127, 0, 0}}[k];
            EXPECT_TRUE(SameColour(swatches[k].colour, expected)) << c.category << k;
        }
    }
    // The model, the electrode categories and a document without an image
    // draw nothing.
    for (const char* category : {"", "ElectrodePairs", "Electrodes"}) {
        doc.DisplayCategory = category;
        EXPECT_TRUE(BuildOverlay(doc, 1.0).primitives.empty()) << category;
    }
    CElixDoc empty;
    empty.DisplayCategory = "All";
    EXPECT_TRUE(BuildOverlay(empty, 1.0).primitives.empty());
}

TEST_F(Overlays, AbsorbingSidesDrawTheirBands) {
    Add<CBoundaryCondition>("Clamp", 0.0, 0.0, 0.0, kHeight);
    doc.DisplayCategory = "BoundaryConditions";
    EXPECT_TRUE(BuildOverlay(doc, 2.0).Of(OverlayRole::AbsorbingBand).empty());

    // At 200 % the image covers (150, 25) to (550, 225); 3-pixel bands lie
    // inside its edges, under the items, in the colour after the last
    // condition's.
    doc.job.InfiniteBCIndex = kAbsorbTop | kAbsorbBottom | kAbsorbLeft | kAbsorbRight;
    const Overlay overlay = BuildOverlay(doc, 2.0);
    const auto bands = overlay.Of(OverlayRole::AbsorbingBand);
    EXPECT_EQ(Boxes(bands),
              (std::vector<Box>{{150, 25, 400, 3}, {150, 222, 400, 3}, {150, 25, 3, 200}, {547, 25, 3, 200}}));
    for (const OverlayPrimitive& band : bands) EXPECT_TRUE(SameColour(band.colour, ItemColourAt(1)));
    EXPECT_EQ(overlay.primitives.front().role, OverlayRole::AbsorbingBand);

    // "All" shows them in green; the source and receiver views not at all.
    doc.job.InfiniteBCIndex = kAbsorbRight;
    doc.DisplayCategory = "All";
    const auto green = BuildOverlay(doc, 2.0).Of(OverlayRole::AbsorbingBand);
    EXPECT_EQ(Boxes(green), (std::vector<Box>{{547, 25, 3, 200}}));
    EXPECT_TRUE(SameColour(green[0].colour, {0, 255, 0}));
    doc.DisplayCategory = "Sources";
    EXPECT_TRUE(BuildOverlay(doc, 2.0).Of(OverlayRole::AbsorbingBand).empty());
}

TEST_F(Overlays, AllDrawsFixedColoursAndMarksItemsOnAnEdge) {
    Add<CBoundaryCondition>("Clamp", 0.0, 0.0, 0.0, kHeight);
    Add<CSource>("On top", 0.012, 0.0, 0.008, 0.0);
    Add<CSource>("Just below the top", 0.012, 0.00005, 0.008, 0.00005);  // 0.5 % of the height
    Add<CReceiver>("On the bottom", 0.004, kHeight, 0.008, kHeight);
    Add<CReceiver>("Across", 0.0, 0.001, kWidth, 0.001);  // from one edge to another
    doc.DisplayCategory = "All";

    const Overlay overlay = BuildOverlay(doc, 1.0);
    EXPECT_TRUE(SameColour(overlay.Of(OverlayRole::BoundaryCondition)[0].colour, {255, 0, 0}));
    for (const auto& p : overlay.Of(OverlayRole::Source)) EXPECT_TRUE(SameColour(p.colour, {0, 0, 255}));
    for (const auto& p : overlay.Of(OverlayRole::Receiver)) EXPECT_TRUE(SameColour(p.colour, {127, 0, 0}));
    // 5 x 5 gray squares centred on the midpoints of the two on an edge.
    const auto markers = overlay.Of(OverlayRole::EdgeMarker);
    EXPECT_EQ(Boxes(markers), (std::vector<Box>{{248, 23, 5, 5}, {208, 123, 5, 5}}));
    EXPECT_TRUE(SameColour(markers[0].colour, {96, 96, 96}));

    // While running, 1 % of the height counts as on the edge.
    doc.SetRunning(true);
    EXPECT_EQ(BuildOverlay(doc, 1.0).Of(OverlayRole::EdgeMarker).size(), 3u);
    doc.SetRunning(false);
    // The per-list views draw no markers.
    doc.DisplayCategory = "Receivers";
    EXPECT_TRUE(BuildOverlay(doc, 1.0).Of(OverlayRole::EdgeMarker).empty());
}

}  // namespace
}  // namespace elix
