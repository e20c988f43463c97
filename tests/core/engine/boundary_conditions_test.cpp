#include "engine/boundary_conditions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/boundary_condition.h"

namespace elix {
namespace {

// A 21 x 21 node grid of 0.1 mm cells, every node a material node.
CNodeGrid MakeGrid() {
    CNodeGrid grid;
    grid.nx = grid.ny = 20;
    grid.materialCount = 1;
    grid.flags.assign(grid.NodeCount(), 0);
    grid.index.assign(grid.NodeCount(), 0);
    for (auto* f : {&grid.fields.U, &grid.fields.V, &grid.fields.Uold, &grid.fields.Vold, &grid.fields.Unew,
                    &grid.fields.Vnew, &grid.fields.W})
        f->assign(grid.NodeCount(), 0.0f);
    return grid;
}

constexpr double kH = 1e-4;
constexpr double kDt = 1e-8;

CBoundaryCondition Vertical() {
    CBoundaryCondition bc;
    bc.name = "Driven";
    bc.x1 = bc.x2 = 0.001f;  // column 10
    bc.y1 = 0.0005f;
    bc.y2 = 0.0015f;
    bc.longitudinalSignalName = "Sine Continuous,2,2,1e+06";
    bc.shearSignalName = "Square Pulse,3,0.5,0,1";
    bc.longitudinalFixed = 1;
    bc.shearFixed = 1;
    return bc;
}

TEST(BoundaryConditionTest, VerticalSegmentDrivesUWithItsLongitudinalValue) {
    CNodeGrid grid = MakeGrid();
    std::vector<CBoundaryRun> runs{MakeBoundaryRun(Vertical(), kH, kH, grid.nx, grid.ny)};
    ASSERT_EQ(runs[0].direction.orientationClass, 1);
    ASSERT_DOUBLE_EQ(runs[0].direction.c, 1.0);
    ASSERT_FALSE(runs[0].points.empty());
    const int step = 25;
    ASSERT_TRUE(ApplyBoundaryConditions(grid, runs, step, kDt, {}));
    // t = 25 dt = 0.25 us: L = 2 sin(2 pi 1e6 t), T = 0.5 (square pulse).
    const float t = static_cast<float>(step) * static_cast<float>(kDt);
    const double expectedL = 2.0 * std::sin(6.2831855f * 1e6 * static_cast<double>(t));
    for (const GridPoint& p : runs[0].points) {
        EXPECT_EQ(p.x, 10);
        EXPECT_NEAR(grid.fields.Unew[grid.Offset(p.x, p.y)], expectedL, 1e-6);
        EXPECT_FLOAT_EQ(grid.fields.Vnew[grid.Offset(p.x, p.y)], 0.5f);
    }
    // Drawn upwards the normal turns round: c = -1 flips both.
    CBoundaryCondition up = Vertical();
    std::swap(up.y1, up.y2);
    runs = {MakeBoundaryRun(up, kH, kH, grid.nx, grid.ny)};
    ASSERT_TRUE(ApplyBoundaryConditions(grid, runs, step, kDt, {}));
    EXPECT_NEAR(grid.fields.Unew[grid.Offset(10, 10)], -expectedL, 1e-6);
    EXPECT_FLOAT_EQ(grid.fields.Vnew[grid.Offset(10, 10)], -0.5f);
}

TEST(BoundaryConditionTest, ModesDecideWhatIsWrittenAndHeld) {
    CNodeGrid grid = MakeGrid();
    CBoundaryCondition bc;  // a new condition: longitudinal fixed only
    bc.name = "Clamp";
    bc.x1 = 0.0f;
    bc.y1 = 0.002f;
    bc.x2 = 0.002f;
    bc.y2 = 0.002f;  // horizontal: class 2, the longitudinal value goes to V
    bc.longitudinalSignalName = "Fixed";
    std::vector<CBoundaryRun> runs{MakeBoundaryRun(bc, kH, kH, grid.nx, grid.ny)};
    ASSERT_EQ(runs[0].direction.orientationClass, 2);
    std::fill(grid.fields.Unew.begin(), grid.fields.Unew.end(), 9.0f);
    std::fill(grid.fields.Vnew.begin(), grid.fields.Vnew.end(), 9.0f);
    ASSERT_TRUE(SetBoundaryHeldNodes(grid, runs));
    ASSERT_TRUE(ApplyBoundaryConditions(grid, runs, 3, kDt, {}));
    const std::size_t node = grid.Offset(5, 20);
    EXPECT_EQ(grid.fields.Vnew[node], 0.0f);  // "Fixed" clamps to zero
    EXPECT_EQ(grid.fields.Unew[node], 9.0f);  // shear off: U untouched
    EXPECT_EQ(grid.flags[node] & (FLAG_FIX_U | FLAG_FIX_V), FLAG_FIX_V);
    EXPECT_EQ(grid.flags[grid.Offset(5, 5)] & (FLAG_FIX_U | FLAG_FIX_V), 0);
    // Oblique segments hold and write both components.
    bc.y2 = 0.0f;
    runs = {MakeBoundaryRun(bc, kH, kH, grid.nx, grid.ny)};
    ASSERT_EQ(runs[0].direction.orientationClass, 0);
    ASSERT_TRUE(SetBoundaryHeldNodes(grid, runs));
    const GridPoint p = runs[0].points[3];
    EXPECT_EQ(grid.flags[grid.Offset(p.x, p.y)] & (FLAG_FIX_U | FLAG_FIX_V), FLAG_FIX_U | FLAG_FIX_V);
    // The earlier condition's nodes were freed.
    EXPECT_EQ(grid.flags[node] & (FLAG_FIX_U | FLAG_FIX_V), 0);
}

TEST(BoundaryConditionTest, ReleaseFromTheFirstStepAfterTheExcitation) {
    CNodeGrid grid = MakeGrid();
    CBoundaryCondition bc = Vertical();
    bc.activeInDurationOnly = 1;
    bc.timeDelay = 2e-8f;
    bc.longitudinalDuration = 5e-8f;
    bc.shearDuration = 3e-8f;
    std::vector<CBoundaryRun> runs{MakeBoundaryRun(bc, kH, kH, grid.nx, grid.ny)};
    // Over when t > 2e-8 + 5e-8 = 7e-8, that is from step 8 on (class 1:
    // every mode that is on must be over).
    for (int step = 0; step <= 7; ++step) {
        ASSERT_TRUE(ApplyBoundaryConditions(grid, runs, step, kDt, {}));
        EXPECT_TRUE(runs[0].active) << step;
    }
    ASSERT_TRUE(ApplyBoundaryConditions(grid, runs, 8, kDt, {}));
    EXPECT_FALSE(runs[0].active);
    ASSERT_TRUE(SetBoundaryHeldNodes(grid, runs));
    for (const GridPoint& p : runs[0].points) EXPECT_EQ(grid.flags[grid.Offset(p.x, p.y)] & FLAG_FIX_U, 0);
}

TEST(BoundaryConditionTest, ExcitationEndPerClass) {
    // Class 0 waits for both durations, on or not.
    EXPECT_FALSE(ExcitationOver(0, true, false, 5.0, 0.0, 4.0, 6.0));
    EXPECT_TRUE(ExcitationOver(0, true, false, 7.0, 0.0, 4.0, 6.0));
    // Classes 1 and 2 only for the modes that are on.
    EXPECT_TRUE(ExcitationOver(1, true, false, 5.0, 0.0, 4.0, 6.0));
    EXPECT_FALSE(ExcitationOver(2, true, true, 5.0, 0.0, 4.0, 6.0));
    // No mode on: over at once.
    EXPECT_TRUE(ExcitationOver(0, false, false, 0.0, 0.0, 4.0, 6.0));
    EXPECT_TRUE(ExcitationOver(1, false, false, 0.0, 0.0, 4.0, 6.0));
    bool u = false, v = false;
    EXPECT_FALSE(HeldComponents(3, true, true, u, v));
}

}  // namespace
}  // namespace elix
