// Mouse editing: the hit test within 1 mm, dragging end points with the
// status texts, the echo receiver following its source, direction changes,
// clamping at the image, and the end of a drag.
#include "view/mouse_editing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/segment_points.h"
#include "item_model_support.h"
#include "model/source_editor.h"
#include "view/overlay.h"

namespace elix {
namespace {

using test::ItemModel;

struct MouseEditing : ItemModel {
    MouseEditState state;
    double zoom = 2.0;

    bool Press(double x, double y) { return PressLeftButton(doc, state, ScreenX(x, zoom), ScreenY(y, zoom), zoom); }
    MouseMoveResult Move(double x, double y, bool held = true) {
        return MoveMouse(doc, state, ScreenX(x, zoom), ScreenY(y, zoom), zoom, held);
    }
};

TEST_F(MouseEditing, HitTestGrabsWithinOneMillimetre) {
    Add<CReceiver>("Probe", 0.004, 0.005, 0.010, 0.005);
    doc.DisplayCategory = "Receivers";
    doc.SetModifiedFlag(false);
    // 0.8 mm from the second end point grabs it; 1.2 mm grabs nothing.
    for (double z : {1.0, 2.5}) {
        zoom = z;
        EXPECT_TRUE(Press(0.010 + 0.00048, 0.005 + 0.00064)) << z;
        EXPECT_TRUE(state.dragging);
        EXPECT_EQ(state.selectedIndex, 0);
        EXPECT_EQ(state.selectedEnd, 1);
        EXPECT_EQ(state.selectedKind, "");
        EXPECT_FALSE(Press(0.010 + 0.00072, 0.005 + 0.00096)) << z;
        EXPECT_FALSE(state.dragging);
        EXPECT_EQ(state.selectedEnd, -1);
    }
    // The first end point grabbed from just outside the image: positions
    // are not clamped for the hit test, so the distance is the true one.
    Add<CReceiver>("Edge", 0.0, 0.002, 0.0, 0.003);
    doc.SetModifiedFlag(false);
    EXPECT_TRUE(Press(-0.0005, 0.002));
    EXPECT_EQ(state.selectedIndex, 1);
    EXPECT_EQ(state.selectedEnd, 0);
    EXPECT_FALSE(Press(-0.0011, 0.002));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(hints.empty());  // a press edits nothing
}

TEST_F(MouseEditing, NearestEndWinsAndTiesGoToTheFirstMet) {
    Add<CBoundaryCondition>("Clamp", 0.003, 0.002, 0.003, 0.008);
    Add<CSource>("Probe", 0.007, 0.002, 0.005, 0.002);
    Add<CReceiver>("Echo", 0.005, 0.002, 0.004, 0.002);
    doc.DisplayCategory = "All";

    // (4 mm, 2 mm) is 1 mm from the clamp's first end (not below 1 mm)...
    EXPECT_TRUE(Press(0.004, 0.002));
    // ...but 0 from the receiver's second end.
    EXPECT_EQ(state.selectedKind, "Receiver");
    EXPECT_EQ(state.selectedEnd, 1);
    // The source's second end and the receiver's first end coincide: the
    // source comes first in "All".
    EXPECT_TRUE(Press(0.005, 0.002));
    EXPECT_EQ(state.selectedKind, "Source");
    EXPECT_EQ(state.selectedIndex, 0);
    EXPECT_EQ(state.selectedEnd, 1);
    // Within one list a zero-length item's first end comes before its second.
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

    // Moving to (5 mm, 6 mm): the segment from (2, 2) is 5 mm long.
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

    // Past the right edge (within the column after the last) the end stops
    // at the image width.
    Move(0.02005, 0.006);
    EXPECT_FLOAT_EQ(bc.x2, static_cast<float>(kWidth));
    EXPECT_EQ(doc.SizeText, "BC Size = 18.44mm");

    // Far outside, the invalid coordinate keeps its value.
    Move(0.050, 0.001);
    EXPECT_FLOAT_EQ(bc.x2, static_cast<float>(kWidth));
    EXPECT_NEAR(bc.y2, 0.001, 1e-9);

    // A move without the left button ends the drag and changes nothing;
    // the size pane then names the material under the mouse.
    const auto before = hints.size();
    EXPECT_FALSE(Move(0.003, 0.003, false).moved);
    EXPECT_FALSE(state.dragging);
    EXPECT_NEAR(bc.y2, 0.001, 1e-9);
    EXPECT_EQ(doc.SizeText, "Steel");
    EXPECT_EQ(hints.size(), before);
}

TEST_F(MouseEditing, PulseEchoSourceTakesItsEchoReceiverAlong) {
    Add<CSource>("Probe", 0.012, 0.0, 0.008, 0.0);
    Add<CSource>("Other", 0.004, kHeight, 0.006, kHeight);
    doc.Sources()[0].pulseEcho = 1;
    doc.Sources()[1].pulseEcho = 0;
    Add<CReceiver>(EchoReceiverName("Probe"), 0.012, 0.0, 0.008, 0.0);
    Add<CReceiver>(EchoReceiverName("Other"), 0.004, kHeight, 0.006, kHeight);
    Add<CReceiver>("Probe", 0.001, 0.001, 0.002, 0.002);  // the same name without " Echo"
    doc.DisplayCategory = "Sources";

    ASSERT_TRUE(Press(0.0121, 0.0001));
    Move(0.015, 0.0);
    const CReceiver& echo = doc.Receivers()[0];
    EXPECT_FLOAT_EQ(echo.x1, 0.015f);
    EXPECT_FLOAT_EQ(echo.y1, 0.0f);
    EXPECT_FLOAT_EQ(echo.x2, 0.008f);
    EXPECT_EQ(doc.SizeText, "Source Size = 7.00mm");

    // Dragging the source without pulse echo leaves its receiver alone, and
    // the other receivers never move.
    ASSERT_TRUE(ReleaseLeftButton(doc, state));
    ASSERT_TRUE(Press(0.006, kHeight));
    Move(0.009, kHeight);
    EXPECT_FLOAT_EQ(doc.Sources()[1].x2, 0.009f);
    EXPECT_FLOAT_EQ(doc.Receivers()[1].x2, 0.006f);
    EXPECT_FLOAT_EQ(doc.Receivers()[2].x1, 0.001f);
    EXPECT_FLOAT_EQ(doc.Receivers()[0].x1, 0.015f);
}

TEST_F(MouseEditing, DraggingOntoAnotherSideTurnsTheDirection) {
    // A source on the top side faces down into the model.
    const Segment top = SideSegment(SideLocation::Top, 0.004, 0.0, Extent());
    Add<CSource>("Probe", top.x1, top.y1, top.x2, top.y2);
    doc.DisplayCategory = "All";
    const CSource& source = doc.Sources()[0];
    SegmentDirection d = DirectionOf(source.x1, source.y1, source.x2, source.y2);
    EXPECT_EQ(d.orientationClass, 2);
    EXPECT_DOUBLE_EQ(d.s, 1.0);

    // Both ends dragged onto the left side, the first above the second.
    ASSERT_TRUE(Press(top.x1, top.y1));
    EXPECT_EQ(state.selectedKind, "Source");
    Move(-0.00005, 0.002);  // half a pixel left of the image: x clamps to 0
    ASSERT_TRUE(ReleaseLeftButton(doc, state));
    ASSERT_TRUE(Press(top.x2, top.y2));
    Move(0.0, 0.008);
    EXPECT_EQ(doc.SizeText, "Source Size = 6.00mm");
    EXPECT_EQ(hints.back(), 'a');  // "All" redraws with erasing

    // It now lies on the left side and faces right: class 1, normal (1, 0).
    EXPECT_EQ(LocationOfSegment(SegmentOf(source), Extent()), SideLocation::Left);
    d = DirectionOf(source.x1, source.y1, source.x2, source.y2);
    EXPECT_EQ(d.orientationClass, 1);
    EXPECT_DOUBLE_EQ(d.c, 1.0);
    // The overlay's tick shows it: from the midpoint (0, 5 mm) to the right.
    const Overlay overlay = BuildOverlay(doc, zoom, 1.0, 1.0, &state);
    const auto ticks = overlay.Of(OverlayRole::DirectionTick);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0].x1, 150);
    EXPECT_EQ(ticks[0].y1, 125);
    EXPECT_EQ(ticks[0].x2, 150 + kDirectionTickLength);
    EXPECT_EQ(ticks[0].y2, 125);
    // The cross sits on the grabbed second end (0, 8 mm) in the source colour.
    const auto cross = overlay.Of(OverlayRole::DragCross);
    ASSERT_EQ(cross.size(), 2u);
    EXPECT_EQ(cross[1].x1, 150);
    EXPECT_EQ(cross[1].y1, 25 + 160 - 3);
    EXPECT_EQ(cross[1].colour.blue, 255);
}

TEST_F(MouseEditing, ReleaseEndsTheDragAndRedrawsEverything) {
    EXPECT_FALSE(ReleaseLeftButton(doc, state));
    EXPECT_TRUE(hints.empty());
    Add<CReceiver>("Probe", 0.004, 0.005, 0.010, 0.005);
    doc.DisplayCategory = "Receivers";
    ASSERT_TRUE(Press(0.004, 0.005));
    EXPECT_TRUE(ReleaseLeftButton(doc, state));
    EXPECT_FALSE(state.dragging);
    EXPECT_EQ(hints, std::vector<char>{'a'});
    // After the release a held-button move drags nothing.
    EXPECT_FALSE(Move(0.006, 0.006).moved);
    EXPECT_FLOAT_EQ(doc.Receivers()[0].x1, 0.004f);

    // A grabbed item that vanished (deleted by an editor) ends the move
    // without change.
    ASSERT_TRUE(Press(0.004, 0.005));
    ASSERT_TRUE(doc.DeleteItem<CReceiver>("Probe"));
    doc.SetModifiedFlag(false);
    EXPECT_FALSE(Move(0.006, 0.006).moved);
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace elix
