// Mouse editing: the hit test within 1 mm, dragging end points with the
// size texts, the echo receiver following its source, the direction turning
// with the segment, clamping at the image, and the end of a drag.
#include "view/mouse_editing.h"

#include <gtest/gtest.h>

#include "engine/segment_points.h"
#include "item_model_support.h"
#include "model/source_editor.h"
#include "view/overlay.h"

namespace elix {
namespace {

struct MouseEditing : test::ItemModel {
    MouseEditState state;
    double zoom = 2.0;

    bool Press(double x, double y) { return PressLeftButton(doc, state, ScreenX(x, zoom), ScreenY(y, zoom), zoom); }
    MouseMoveResult Move(double x, double y, bool held = true) {
        return MoveMouse(doc, state, ScreenX(x, zoom), ScreenY(y, zoom), zoom, held);
    }
};

TEST_F(MouseEditing, HitTestGrabsWithinOneMillimetre) {
    Add<CReceiver>("Probe", 0.004, 0.005, 0.010, 0.005);
    Add<CReceiver>("Edge", 0.0, 0.002, 0.0, 0.003);
    doc.DisplayCategory = "Receivers";
    doc.SetModifiedFlag(false);
    // 0.8 mm from the second end point grabs it, 1.2 mm grabs nothing, at
    // any zoom.
    for (double z : {1.0, 2.5}) {
        zoom = z;
        EXPECT_TRUE(Press(0.010 + 0.00048, 0.005 + 0.00064)) << z;
        EXPECT_EQ(state.selectedIndex, 0);
        EXPECT_EQ(state.selectedEnd, 1);
        EXPECT_FALSE(Press(0.010 + 0.00072, 0.005 + 0.00096)) << z;
        EXPECT_FALSE(state.dragging);
        EXPECT_EQ(state.selectedEnd, -1);
    }
    // Outside the image the distance is the true one, not clamped.
    EXPECT_TRUE(Press(-0.0005, 0.002));
    EXPECT_EQ(state.selectedIndex, 1);
    EXPECT_EQ(state.selectedEnd, 0);
    EXPECT_FALSE(Press(-0.0011, 0.002));
    EXPECT_FALSE(doc.IsModified());  // a press edits nothing
    EXPECT_TRUE(hints.empty());
}

TEST_F(MouseEditing, NearestEndWinsAndTiesGoToTheFirstMet) {
    Add<CBoundaryCondition>("Clamp", 0.003, 0.002, 0.003, 0.008);
    Add<CSource>("Probe", 0.007, 0.002, 0.005, 0.002);
    Add<CReceiver>("Gate", 0.005, 0.002, 0.004, 0.002);
    doc.DisplayCategory = "All";
    // (4 mm, 2 mm) is 1 mm from the clamp but on the receiver's second end.
    EXPECT_TRUE(Press(0.004, 0.002));
    EXPECT_EQ(state.selectedKind, "Receiver");
    EXPECT_EQ(state.selectedEnd, 1);
    // The source's second end and the receiver's first coincide: sources
    // come first.
    EXPECT_TRUE(Press(0.005, 0.002));
    EXPECT_EQ(state.selectedKind, "Source");
    EXPECT_EQ(state.selectedEnd, 1);
    // In one list a zero-length item's first end comes before its second.
    doc.DisplayCategory = "Receivers";
    Add<CReceiver>("Point", 0.015, 0.005, 0.015, 0.005);
    EXPECT_TRUE(Press(0.0152, 0.005));
    EXPECT_EQ(state.selectedIndex, 1);
    EXPECT_EQ(state.selectedEnd, 0);
    EXPECT_EQ(state.selectedKind, "");
    // Categories without items to drag never start one.
    for (const char* category : {"", "MaterialProperties", "Electrodes", "ElectrodePairs"}) {
        doc.DisplayCategory = category;
        EXPECT_FALSE(Press(0.015, 0.005)) << category;
    }
}

TEST_F(MouseEditing, DragMovesTheEndPointAndShowsTheSize) {
    Add<CBoundaryCondition>("Clamp", 0.002, 0.002, 0.002, 0.008);
    doc.DisplayCategory = "BoundaryConditions";
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(Press(0.002, 0.008));
    // To (5 mm, 6 mm): 5 mm from the first end at (2 mm, 2 mm).
    const MouseMoveResult moved = Move(0.005, 0.006);
    EXPECT_TRUE(moved.moved);
    const CBoundaryCondition& bc = doc.BoundaryConditions()[0];
    EXPECT_NEAR(bc.x2, 0.005, 1e-9);
    EXPECT_NEAR(bc.y2, 0.006, 1e-9);
    EXPECT_NEAR(bc.x1, 0.002, 1e-9);
    EXPECT_EQ(doc.SizeText, "BC Size = 5.00mm");
    EXPECT_EQ(moved.readout.positionText, "100 (50,60)(x=5.00mm,y=6.00mm)");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(hints, std::vector<char>{'\0'});  // redrawn without erasing

    // Past the right edge (in the column after the last) the end stops at
    // the image width; further out the invalid coordinate keeps its value.
    Move(0.02005, 0.006);
    EXPECT_FLOAT_EQ(bc.x2, static_cast<float>(kWidth));
    EXPECT_EQ(doc.SizeText, "BC Size = 18.44mm");
    Move(0.050, 0.001);
    EXPECT_FLOAT_EQ(bc.x2, static_cast<float>(kWidth));
    EXPECT_NEAR(bc.y2, 0.001, 1e-9);

    // A move without the left button ends the drag and edits nothing; the
    // size pane names the material under the mouse again.
    EXPECT_FALSE(Move(0.003, 0.003, false).moved);
    EXPECT_FALSE(state.dragging);
    EXPECT_NEAR(bc.y2, 0.001, 1e-9);
    EXPECT_EQ(doc.SizeText, "Steel");
}

TEST_F(MouseEditing, PulseEchoSourceTakesItsEchoReceiverAlong) {
    Add<CSource>("Probe", 0.012, 0.0, 0.008, 0.0);
    Add<CSource>("Other", 0.004, kHeight, 0.006, kHeight);
    doc.Sources()[0].pulseEcho = 1;
    Add<CReceiver>(EchoReceiverName("Probe"), 0.012, 0.0, 0.008, 0.0);
    Add<CReceiver>(EchoReceiverName("Other"), 0.004, kHeight, 0.006, kHeight);  // "Other" is not pulse-echo
    Add<CReceiver>("Probe", 0.001, 0.001, 0.002, 0.002);
    doc.DisplayCategory = "Sources";

    ASSERT_TRUE(Press(0.0121, 0.0001));
    Move(0.015, 0.0);
    const CReceiver& echo = doc.Receivers()[0];
    EXPECT_FLOAT_EQ(echo.x1, 0.015f);
    EXPECT_FLOAT_EQ(echo.y1, 0.0f);
    EXPECT_FLOAT_EQ(echo.x2, 0.008f);
    EXPECT_EQ(doc.SizeText, "Source Size = 7.00mm");
    EXPECT_FLOAT_EQ(doc.Receivers()[2].x1, 0.001f);

    ASSERT_TRUE(ReleaseLeftButton(doc, state));
    ASSERT_TRUE(Press(0.006, kHeight));
    Move(0.009, kHeight);
    EXPECT_FLOAT_EQ(doc.Sources()[1].x2, 0.009f);
    EXPECT_FLOAT_EQ(doc.Receivers()[1].x2, 0.006f);
}

TEST_F(MouseEditing, DraggingOntoAnotherSideTurnsTheDirection) {
    // A source on the top side faces down into the model.
    const Segment top = SideSegment(SideLocation::Top, 0.004, 0.0, Extent());
    Add<CSource>("Probe", top.x1, top.y1, top.x2, top.y2);
    doc.DisplayCategory = "All";
    const CSource& source = doc.Sources()[0];
    EXPECT_EQ(DirectionOf(source.x1, source.y1, source.x2, source.y2).orientationClass, 2);

    // Both ends dragged onto the left side, the first above the second.
    ASSERT_TRUE(Press(top.x1, top.y1));
    EXPECT_EQ(state.selectedKind, "Source");
    Move(-0.00005, 0.002);  // half a pixel left of the image: x clamps to 0
    ASSERT_TRUE(ReleaseLeftButton(doc, state));
    ASSERT_TRUE(Press(top.x2, top.y2));
    Move(0.0, 0.008);
    EXPECT_EQ(doc.SizeText, "Source Size = 6.00mm");
    EXPECT_EQ(hints.back(), 'a');  // "All" redraws with erasing

    // It lies on the left side now and faces right: class 1, normal (1, 0),
    // and the overlay's tick leaves the midpoint (0, 5 mm) to the right.
    EXPECT_EQ(LocationOfSegment(SegmentOf(source), Extent()), SideLocation::Left);
    const SegmentDirection d = DirectionOf(source.x1, source.y1, source.x2, source.y2);
    EXPECT_EQ(d.orientationClass, 1);
    EXPECT_DOUBLE_EQ(d.c, 1.0);
    const Overlay overlay = BuildOverlay(doc, zoom, 1.0, 1.0, &state);
    const auto tick = overlay.Of(OverlayRole::DirectionTick).at(0);
    EXPECT_EQ(std::vector<int>({tick.x1, tick.y1, tick.x2, tick.y2}),
              std::vector<int>({150, 125, 150 + kDirectionTickLength, 125}));
    // The cross sits on the grabbed end (0, 8 mm): 3 before to 4 after it,
    // in the source colour of "All".
    const auto cross = overlay.Of(OverlayRole::DragCross);
    ASSERT_EQ(cross.size(), 2u);
    EXPECT_EQ(std::vector<int>({cross[0].x1, cross[0].x2, cross[1].y1, cross[1].y2}),
              std::vector<int>({147, 154, 182, 189}));
    EXPECT_EQ(cross[0].colour.blue, 255);
}

TEST_F(MouseEditing, ReleaseEndsTheDragAndRedrawsEverything) {
    EXPECT_FALSE(ReleaseLeftButton(doc, state));
    EXPECT_TRUE(hints.empty());
    Add<CReceiver>("Probe", 0.004, 0.005, 0.010, 0.005);
    doc.DisplayCategory = "Receivers";
    ASSERT_TRUE(Press(0.004, 0.005));
    EXPECT_TRUE(ReleaseLeftButton(doc, state));
    EXPECT_EQ(hints, std::vector<char>{'a'});
    EXPECT_TRUE(BuildOverlay(doc, zoom, 1.0, 1.0, &state).Of(OverlayRole::DragCross).empty());
    // After the release a held-button move drags nothing.
    EXPECT_FALSE(Move(0.006, 0.006).moved);
    EXPECT_FLOAT_EQ(doc.Receivers()[0].x1, 0.004f);

    // A grabbed item deleted meanwhile ends the move without change and
    // draws no cross.
    ASSERT_TRUE(Press(0.004, 0.005));
    ASSERT_TRUE(doc.DeleteItem<CReceiver>("Probe"));
    doc.SetModifiedFlag(false);
    EXPECT_TRUE(BuildOverlay(doc, zoom, 1.0, 1.0, &state).Of(OverlayRole::DragCross).empty());
    EXPECT_FALSE(Move(0.006, 0.006).moved);
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace elix
