// Location by side, size and centre offset on a 50 mm x 40 mm model; the
// side shown for a segment; the Advanced size; the through-receiver
// mirror; and the boundary condition editor's "cover the side" question.
#include "model/location_rules.h"

#include <gtest/gtest.h>

#include "model/boundary_editor.h"
#include "support/scripted_ui.h"

namespace elix {
namespace {

constexpr double mm = 0.001;
const ModelExtent kModel{50 * mm, 40 * mm};
constexpr double kTol = 1e-12;

void ExpectSegment(const Segment& s, double x1, double y1, double x2, double y2, double tol = kTol) {
    EXPECT_NEAR(s.x1, x1, tol);
    EXPECT_NEAR(s.y1, y1, tol);
    EXPECT_NEAR(s.x2, x2, tol);
    EXPECT_NEAR(s.y2, y2, tol);
}

TEST(LocationRulesTest, SidesPlaceTheSegmentByTheTable) {
    ExpectSegment(SideSegment(SideLocation::Left, 10 * mm, 0.0, kModel), 0, 15 * mm, 0, 25 * mm);
    ExpectSegment(SideSegment(SideLocation::Right, 10 * mm, 0.0, kModel), 50 * mm, 25 * mm, 50 * mm, 15 * mm);
    ExpectSegment(SideSegment(SideLocation::Top, 10 * mm, 0.0, kModel), 30 * mm, 0, 20 * mm, 0);
    ExpectSegment(SideSegment(SideLocation::Bottom, 10 * mm, 0.0, kModel), 20 * mm, 40 * mm, 30 * mm, 40 * mm);
    // A positive offset moves Left up, Right down, Top right and Bottom left.
    ExpectSegment(SideSegment(SideLocation::Left, 10 * mm, 5 * mm, kModel), 0, 10 * mm, 0, 20 * mm);
    ExpectSegment(SideSegment(SideLocation::Right, 10 * mm, 5 * mm, kModel), 50 * mm, 30 * mm, 50 * mm, 20 * mm);
    ExpectSegment(SideSegment(SideLocation::Top, 10 * mm, 5 * mm, kModel), 35 * mm, 0, 25 * mm, 0);
    ExpectSegment(SideSegment(SideLocation::Bottom, 10 * mm, 5 * mm, kModel), 15 * mm, 40 * mm, 25 * mm, 40 * mm);
}

TEST(LocationRulesTest, SizeIsLimitedToTwiceTheSidesLength) {
    // 100 mm on the left of a 40 mm high model: 80 mm.
    const Segment left = SideSegment(SideLocation::Left, 100 * mm, 0.0, kModel);
    EXPECT_NEAR(left.Length(), 80 * mm, kTol);
    ExpectSegment(left, 0, -20 * mm, 0, 60 * mm);
    // Top and Bottom are limited by the width: 2 x 50 mm.
    EXPECT_NEAR(SideSegment(SideLocation::Top, 150 * mm, 0.0, kModel).Length(), 100 * mm, kTol);
    EXPECT_NEAR(SideSegment(SideLocation::Bottom, 99 * mm, 0.0, kModel).Length(), 99 * mm, kTol);
}

TEST(LocationRulesTest, CoverSideRunsTheWholeSideInItsDirection) {
    ExpectSegment(CoverSide(SideLocation::Left, kModel), 0, 0, 0, 40 * mm);
    ExpectSegment(CoverSide(SideLocation::Right, kModel), 50 * mm, 40 * mm, 50 * mm, 0);
    ExpectSegment(CoverSide(SideLocation::Top, kModel), 50 * mm, 0, 0, 0);
    ExpectSegment(CoverSide(SideLocation::Bottom, kModel), 0, 40 * mm, 50 * mm, 40 * mm);
}

TEST(LocationRulesTest, ShowingASideSegmentGivesBackItsSideSizeAndOffset) {
    for (SideLocation side : {SideLocation::Left, SideLocation::Right, SideLocation::Top, SideLocation::Bottom}) {
        for (double offset : {0.0, 3 * mm, -7 * mm}) {
            SCOPED_TRACE(LocationName(side));
            // Through the records' floats, as an editor sees a stored item.
            struct {
                float x1, y1, x2, y2;
            } record{};
            SetSegment(record, SideSegment(side, 12 * mm, offset, kModel));
            const LocationFields shown = ShowLocation(SegmentOf(record), kModel);
            EXPECT_EQ(shown.location, side);
            EXPECT_NEAR(shown.sizeMm, 12.0, 1e-5);
            EXPECT_NEAR(shown.offsetMm, offset / mm, 1e-5);
            // Applying what is shown gives the same segment back.
            Segment again = SegmentOf(record);
            ASSERT_TRUE(TakeLocation(shown, again, kModel, nullptr));
            const Segment stored = SegmentOf(record);
            ExpectSegment(again, stored.x1, stored.y1, stored.x2, stored.y2, 1e-8);
        }
    }
}

TEST(LocationRulesTest, OffsetsBelowAMillionthOfTheSideShowAsZero) {
    Segment s = SideSegment(SideLocation::Left, 10 * mm, 0.0, kModel);
    s.y1 += 3e-11;  // midpoint 1.5e-11 m off centre: below 1e-6 x 40 mm
    s.y2 += 3e-11;
    EXPECT_EQ(CenterOffsetOf(s, SideLocation::Left, kModel), 0.0);
    s.y1 += 1e-7;
    s.y2 += 1e-7;
    EXPECT_NEAR(CenterOffsetOf(s, SideLocation::Left, kModel), -1e-7 - 3e-11, 1e-15);
}

TEST(LocationRulesTest, SegmentsOffTheSidesOrRunningBackwardsAreAdvanced) {
    EXPECT_EQ(LocationOfSegment({0, 25 * mm, 0, 15 * mm}, kModel), SideLocation::Advanced);  // upwards on the left
    EXPECT_EQ(LocationOfSegment({50 * mm, 15 * mm, 50 * mm, 25 * mm}, kModel), SideLocation::Advanced);
    EXPECT_EQ(LocationOfSegment({20 * mm, 0, 30 * mm, 0}, kModel), SideLocation::Advanced);
    EXPECT_EQ(LocationOfSegment({30 * mm, 40 * mm, 20 * mm, 40 * mm}, kModel), SideLocation::Advanced);
    EXPECT_EQ(LocationOfSegment({0, 0, 1 * mm, 1 * mm}, kModel), SideLocation::Advanced);  // the default item
    EXPECT_EQ(LocationOfSegment({1 * mm, 5 * mm, 1 * mm, 9 * mm}, kModel), SideLocation::Advanced);
    // A point in the bottom-right corner is on Right (tried before Bottom).
    EXPECT_EQ(LocationOfSegment({50 * mm, 40 * mm, 50 * mm, 40 * mm}, kModel), SideLocation::Right);
    const LocationFields advanced = ShowLocation({0, 0, 3 * mm, 4 * mm}, kModel);
    EXPECT_EQ(advanced.location, SideLocation::Advanced);
    EXPECT_NEAR(advanced.sizeMm, 5.0, 1e-9);
    EXPECT_EQ(advanced.offsetMm, 0.0);
}

TEST(LocationRulesTest, AdvancedScalesAboutTheMidpointOnlyWhenTheSizeChanged) {
    const Segment original{0, 0, 30 * mm, 40 * mm};  // 50 mm long, midpoint (15, 20) mm
    Segment s = original;
    LocationFields fields = ShowLocation(s, kModel);
    ASSERT_TRUE(TakeLocation(fields, s, kModel, nullptr));
    ExpectSegment(s, original.x1, original.y1, original.x2, original.y2, 0.0);

    fields.sizeMm = 100.0;
    ASSERT_TRUE(TakeLocation(fields, s, kModel, nullptr));
    ExpectSegment(s, -15 * mm, -20 * mm, 45 * mm, 60 * mm);

    // A point has no direction to scale along.
    Segment point{5 * mm, 5 * mm, 5 * mm, 5 * mm};
    fields.sizeMm = 10.0;
    ASSERT_TRUE(TakeLocation(fields, point, kModel, nullptr));
    ExpectSegment(point, 5 * mm, 5 * mm, 5 * mm, 5 * mm, 0.0);
}

TEST(LocationRulesTest, OutOfRangeLocationFieldsChangeNothing) {
    std::vector<std::string> shown;
    const FieldReport report = [&shown](const std::string& text, MessageStyle) {
        shown.push_back(text);
        return MessageAnswer::Ok;
    };
    const Segment original{1 * mm, 2 * mm, 3 * mm, 4 * mm};
    Segment s = original;
    EXPECT_FALSE(TakeLocation({SideLocation::Left, -1.0, 0.0}, s, kModel, report));
    EXPECT_FALSE(TakeLocation({SideLocation::Left, 1.0, -2e20}, s, kModel, report));
    EXPECT_FALSE(TakeEndPoints({0.0, 0.0, 3e20, 0.0}, s, report));
    ExpectSegment(s, original.x1, original.y1, original.x2, original.y2, 0.0);
    const std::vector<std::string> expected{"Please enter a number between 0 and 1e+20.",
                                            "Please enter a number between -1e+20 and 1e+20.",
                                            "Please enter a number between -1e+20 and 1e+20."};
    EXPECT_EQ(shown, expected);
    ASSERT_TRUE(TakeEndPoints({1.0, 2.0, 3.0, 4.0}, s, report));
    ExpectSegment(s, 1 * mm, 2 * mm, 3 * mm, 4 * mm);
    const EndPointFields back = ShowEndPoints(s);
    EXPECT_NEAR(back.y2Mm, 4.0, 1e-12);
}

TEST(LocationRulesTest, ThroughMirrorExchangesStartAndEndOnTheOppositeSide) {
    const Segment left = SideSegment(SideLocation::Left, 10 * mm, 5 * mm, kModel);  // (0,10)-(0,20) mm
    ExpectSegment(*MirrorSegment(left, SideLocation::Left, kModel), 50 * mm, 20 * mm, 50 * mm, 10 * mm);
    const Segment right{50 * mm, 30 * mm, 50 * mm, 20 * mm};
    ExpectSegment(*MirrorSegment(right, SideLocation::Right, kModel), 0, 20 * mm, 0, 30 * mm);
    const Segment top{35 * mm, 0, 25 * mm, 0};
    ExpectSegment(*MirrorSegment(top, SideLocation::Top, kModel), 25 * mm, 40 * mm, 35 * mm, 40 * mm);
    const Segment bottom{15 * mm, 40 * mm, 25 * mm, 40 * mm};
    ExpectSegment(*MirrorSegment(bottom, SideLocation::Bottom, kModel), 25 * mm, 0, 15 * mm, 0);
    EXPECT_FALSE(MirrorSegment(left, SideLocation::Advanced, kModel).has_value());
    // The mirror of a side segment is shown on the opposite side.
    EXPECT_EQ(LocationOfSegment(*MirrorSegment(left, SideLocation::Left, kModel), kModel), SideLocation::Right);
    EXPECT_EQ(LocationOfSegment(*MirrorSegment(top, SideLocation::Top, kModel), kModel), SideLocation::Bottom);
}

// ------------------------------------------------------ boundary condition

struct BoundaryEditorTest : ::testing::Test {
    CElixDoc doc;
    test::ScriptedUserInterface ui;
    void SetUp() override {
        doc.SetUserInterface(&ui);
        CBoundaryCondition bc;
        bc.name = "Clamp";
        ASSERT_TRUE(doc.AddItem(bc));
    }
};

TEST_F(BoundaryEditorTest, CoveringTheWholeSideOnYes) {
    CBoundaryEditor editor(doc, kModel);
    EXPECT_EQ(doc.DisplayCategory, "BoundaryConditions");
    LocationFields fields{SideLocation::Right, 10.0, 0.0};
    ui.answers = {MessageAnswer::Yes};
    ASSERT_TRUE(editor.ChangeLocation(fields));
    EXPECT_EQ(ui.LastText(), "Do you want to cover the entire side with this BC?");
    ExpectSegment(SegmentOf(editor.Buffer()), 50 * mm, 40 * mm, 50 * mm, 0, 1e-9);
    EXPECT_EQ(editor.Location().location, SideLocation::Right);
    EXPECT_NEAR(editor.Location().sizeMm, 40.0, 1e-9);

    ASSERT_TRUE(editor.Apply(editor.Location()));
    ExpectSegment(SegmentOf(doc.BoundaryConditions()[0]), 50 * mm, 40 * mm, 50 * mm, 0, 1e-9);
}

TEST_F(BoundaryEditorTest, NoAppliesTheSizeAndOffsetOnDisplay) {
    CBoundaryEditor editor(doc, kModel);
    ui.answers = {MessageAnswer::No};
    ASSERT_TRUE(editor.ChangeLocation({SideLocation::Left, 10.0, 0.0}));
    ExpectSegment(SegmentOf(editor.Buffer()), 0, 15 * mm, 0, 25 * mm, 1e-9);
    // Advanced asks nothing.
    ui.shown.clear();
    ASSERT_TRUE(editor.ChangeLocation({SideLocation::Advanced, 10.0, 0.0}));
    EXPECT_TRUE(ui.shown.empty());
    // A refused field asks nothing either and keeps the segment.
    EXPECT_FALSE(editor.ChangeLocation({SideLocation::Top, -5.0, 0.0}));
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.LastText(), "Please enter a number between 0 and 1e+20.");
    ExpectSegment(SegmentOf(editor.Buffer()), 0, 15 * mm, 0, 25 * mm, 1e-9);
}

TEST_F(BoundaryEditorTest, AdvancedFieldsAreMicrosecondsAndNeedAnItem) {
    CBoundaryEditor editor(doc, kModel);
    BoundaryAdvancedFields f = ShowBoundaryAdvanced(editor.Buffer());
    EXPECT_NEAR(f.longitudinalDurationUs, 1e6, 1e-6);  // the default 1 s
    f.longitudinalDurationUs = 2.5;
    f.shearDurationUs = 4.0;
    f.timeDelayUs = -1.0;
    f.activeInDurationOnly = true;
    f.endPoints = {0.0, 0.0, 0.0, 40.0};
    ASSERT_TRUE(editor.TakeAdvanced(f));
    EXPECT_FLOAT_EQ(editor.Buffer().longitudinalDuration, 2.5e-6f);
    EXPECT_FLOAT_EQ(editor.Buffer().shearDuration, 4e-6f);
    EXPECT_FLOAT_EQ(editor.Buffer().timeDelay, -1e-6f);
    EXPECT_EQ(editor.Buffer().activeInDurationOnly, 1);
    EXPECT_EQ(editor.Location().location, SideLocation::Left);  // the new end points lie on the left

    f.shearDurationUs = -1.0;
    EXPECT_FALSE(editor.TakeAdvanced(f));
    EXPECT_FLOAT_EQ(editor.Buffer().shearDuration, 4e-6f);

    ASSERT_TRUE(doc.DeleteItem<CBoundaryCondition>("Clamp"));
    EXPECT_FALSE(editor.OpenAdvanced());
    EXPECT_EQ(ui.LastText(), "Please add boundary contition before checking this option.");
}

}  // namespace
}  // namespace elix
