// Resizing the image and adding and trimming wedges.
#include "geometry/wedges.h"

#include <gtest/gtest.h>

#include "core/geometry/editing_test_support.h"
#include "model/elix_doc.h"
#include "support/scripted_ui.h"

namespace elix {
namespace {

using test::FillImage;
using test::Pixel;

constexpr double kMm = 0.001;

TEST(WedgeResize, CopiesEveryPixelToItsShiftedPlaceAndFillsTheRestWithVacuum) {
    CElixDoc doc;
    FillImage(doc, 3, 2, 0);
    doc.image.Rows = {{1, 2, 3}, {4, 5, 6}};
    ASSERT_TRUE(doc.ResizeImage(1, 2, 0, 1));
    EXPECT_EQ(doc.image.ImageWidth, 6);
    EXPECT_EQ(doc.image.ImageHeight, 3);
    const ImageRows expected{{255, 1, 2, 3, 255, 255}, {255, 4, 5, 6, 255, 255}, {255, 255, 255, 255, 255, 255}};
    EXPECT_EQ(doc.image.Rows, expected);
    EXPECT_EQ(doc.SizeText, "W=0.60(mm),H=0.30(mm)");

    ASSERT_TRUE(doc.ResizeImage(-2, -3, 0, -1));  // shrinking cuts the columns off
    EXPECT_EQ(doc.image.Rows, (ImageRows{{2}, {5}}));
}

TEST(WedgeResize, RefusesAnEmptyResultAndKeepsTheImage) {
    CElixDoc doc;
    FillImage(doc, 3, 2, 7);
    const ImageRows before = doc.image.Rows;
    EXPECT_FALSE(doc.ResizeImage(-2, -1, 0, 0));
    EXPECT_EQ(doc.MessageText(), "Unable to resize the buffer");
    EXPECT_FALSE(doc.ResizeImage(0, 0, 0, 2000000000));  // far more than any image may hold
    EXPECT_EQ(doc.image.Rows, before);
    EXPECT_EQ(doc.image.ImageWidth, 3);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.ResizeImage(0, 0, 0, 0));  // nothing to do
    EXPECT_FALSE(doc.IsModified());
}

// A 40 x 40 image at 10 pixel/mm with one item of each moving kind.
class WedgeTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillImage(doc, 40, 40, 0);
        CSource source;
        source.name = "S";
        CReceiver receiver;
        receiver.name = "R";
        CBoundaryCondition condition;
        condition.name = "B";
        ASSERT_TRUE(doc.AddItem(source));
        ASSERT_TRUE(doc.AddItem(receiver));
        ASSERT_TRUE(doc.AddItem(condition));
        doc.SetModifiedFlag(false);
        doc.SetUserInterface(&ui);
    }

    // The count of wedge pixels in a line across the strip, at position k
    // along the edge.
    int WedgeDepthAt(WedgeEdge edge, int k, std::uint8_t gray) const {
        const bool vertical = edge == WedgeEdge::Left || edge == WedgeEdge::Right;
        const int across = vertical ? doc.image.ImageWidth : doc.image.ImageHeight;
        int count = 0;
        for (int m = 0; m < across; ++m)
            if ((vertical ? Pixel(doc, m, k) : Pixel(doc, k, m)) == gray) ++count;
        return count;
    }

    CElixDoc doc;
    test::ScriptedUserInterface ui;
};

TEST_F(WedgeTest, LeftWedgeOfTwoMillimetresAt45DegreesShiftsTheItemsAndTrimTakesItAway) {
    const ImageRows before = doc.image.Rows;
    ASSERT_TRUE(doc.AddWedge("Left", 2 * kMm, 0, 45, false, 64, true));
    EXPECT_EQ(doc.image.ImageWidth, 60);
    EXPECT_EQ(doc.image.ImageHeight, 40);
    EXPECT_EQ(Pixel(doc, 20, 0), 0);  // the old image moved right by 20
    EXPECT_FLOAT_EQ(doc.Sources()[0].x1, 0.0f + 0.002f);
    EXPECT_FLOAT_EQ(doc.Receivers()[0].x2, 0.001f + 0.002f);
    EXPECT_FLOAT_EQ(doc.BoundaryConditions()[0].x1, 0.0f + 0.002f);
    EXPECT_FLOAT_EQ(doc.Sources()[0].y1, 0.0f);
    EXPECT_FLOAT_EQ(doc.originOffsetX, 0.002f);
    EXPECT_FLOAT_EQ(doc.originOffsetY, 0.0f);
    EXPECT_TRUE(doc.IsModified());

    ASSERT_TRUE(doc.TrimWedge("Left", 2 * kMm, 45, true));
    EXPECT_EQ(doc.image.Rows, before);
    EXPECT_NEAR(doc.Sources()[0].x1, 0.0f, 1e-9);
    EXPECT_NEAR(doc.originOffsetX, 0.0f, 1e-9);
    EXPECT_TRUE(ui.shown.empty());  // the strip's corners were vacuum
}

TEST_F(WedgeTest, StripThinsLinearlyFromTheStartOfTheSpanToItsEnd) {
    const ImageRows old = doc.image.Rows;
    ASSERT_TRUE(doc.AddWedge("Left", 2 * kMm, 0, 45, false, 64, false));
    // The span covers rows 10..30 around the middle; the wedge sits against
    // the old edge (column 20).
    EXPECT_EQ(WedgeDepthAt(WedgeEdge::Left, 9, 64), 0);
    EXPECT_EQ(WedgeDepthAt(WedgeEdge::Left, 10, 64), 20);
    EXPECT_EQ(WedgeDepthAt(WedgeEdge::Left, 20, 64), 10);
    EXPECT_EQ(Pixel(doc, 19, 20), 64);
    EXPECT_EQ(Pixel(doc, 9, 20), 255);
    EXPECT_EQ(WedgeDepthAt(WedgeEdge::Left, 30, 64), 0);
    for (int y = 0; y < 40; ++y) EXPECT_TRUE(std::equal(old[y].begin(), old[y].end(), doc.image.Rows[y].begin() + 20));
    EXPECT_FLOAT_EQ(doc.originOffsetX, 0.0f);  // no item shifting asked for
}

TEST_F(WedgeTest, FlipPutsTheThickEndAtTheEndOfTheSpan) {
    ASSERT_TRUE(doc.AddWedge("Right", 2 * kMm, 0, 45, true, 64, true));
    EXPECT_EQ(doc.image.ImageWidth, 60);
    EXPECT_EQ(WedgeDepthAt(WedgeEdge::Right, 10, 64), 0);
    EXPECT_EQ(WedgeDepthAt(WedgeEdge::Right, 30, 64), 20);
    EXPECT_EQ(Pixel(doc, 40, 25), 64);  // against the old right edge
    EXPECT_EQ(Pixel(doc, 59, 25), 255);
    EXPECT_FLOAT_EQ(doc.Sources()[0].x1, 0.0f);  // growing to the right moves nothing
    EXPECT_FLOAT_EQ(doc.originOffsetX, 0.0f);
}

TEST_F(WedgeTest, CentreOffsetMovesTheSpanTowardsTheStartOfTheEdge) {
    ASSERT_TRUE(doc.AddWedge("Top", 2 * kMm, 0.5 * kMm, 45, false, 64, true));
    EXPECT_EQ(doc.image.ImageHeight, 60);
    EXPECT_EQ(WedgeDepthAt(WedgeEdge::Top, 4, 64), 0);
    EXPECT_EQ(WedgeDepthAt(WedgeEdge::Top, 5, 64), 20);
    EXPECT_EQ(WedgeDepthAt(WedgeEdge::Top, 15, 64), 10);
    EXPECT_EQ(Pixel(doc, 15, 19), 64);  // against the old top edge
    EXPECT_FLOAT_EQ(doc.Sources()[0].y1, 0.002f);
    EXPECT_FLOAT_EQ(doc.originOffsetY, 0.002f);
}

TEST_F(WedgeTest, BottomWedgeGrowsDownwards) {
    ASSERT_TRUE(doc.AddWedge("Bottom", 1 * kMm, 0, 30, false, 64, true));
    // d = 1 mm x tan 30 = 0.577 mm: 6 rows.
    EXPECT_EQ(doc.image.ImageHeight, 46);
    EXPECT_EQ(Pixel(doc, 15, 40), 64);
    EXPECT_FLOAT_EQ(doc.originOffsetY, 0.0f);
}

TEST_F(WedgeTest, TrimAsksBeforeCuttingMaterialAtTheStripCorners) {
    ASSERT_TRUE(doc.AddWedge("Right", 2 * kMm, 0, 45, false, 64, false));
    doc.image.Rows[39][59] = 5;
    const ImageRows withWedge = doc.image.Rows;
    ui.answers = {MessageAnswer::No};
    EXPECT_FALSE(doc.TrimWedge("Right", 2 * kMm, 45, false));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Are you sure to trim on right edge?");
    EXPECT_EQ(ui.shown[0].style, MessageStyle::Question);
    EXPECT_EQ(doc.MessageText(), "");
    EXPECT_EQ(doc.image.Rows, withWedge);

    ui.answers = {MessageAnswer::Yes};
    EXPECT_TRUE(doc.TrimWedge("Right", 2 * kMm, 45, false));
    EXPECT_EQ(doc.image.ImageWidth, 40);
}

TEST_F(WedgeTest, BadValuesAreReportedAndLeaveTheImage) {
    const ImageRows before = doc.image.Rows;
    EXPECT_FALSE(doc.AddWedge("Middle", 2 * kMm, 0, 45, false, 64, true));
    EXPECT_EQ(doc.MessageText(), "Please choose an edge for wedge");
    EXPECT_FALSE(doc.TrimWedge("", 2 * kMm, 45, true));
    EXPECT_EQ(doc.MessageText(), "Please choose an edge for wedge");
    EXPECT_FALSE(doc.AddWedge("Left", 2 * kMm, 0, 90, false, 64, true));
    EXPECT_FALSE(doc.MessageText().empty());
    EXPECT_FALSE(doc.AddWedge("Left", -2 * kMm, 0, 45, false, 64, true));
    EXPECT_FALSE(doc.MessageText().empty());
    EXPECT_FALSE(doc.AddWedge("Left", 1e20, 0, 89.999, false, 64, true));
    EXPECT_EQ(doc.MessageText(), "Unable to resize the buffer");
    EXPECT_FALSE(doc.TrimWedge("Top", 5 * kMm, 45, true));  // deeper than the image
    EXPECT_EQ(doc.MessageText(), "Unable to resize the buffer");
    EXPECT_EQ(doc.image.Rows, before);
    EXPECT_FLOAT_EQ(doc.Sources()[0].x1, 0.0f);
    EXPECT_FLOAT_EQ(doc.originOffsetX, 0.0f);
    EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
}  // namespace elix
