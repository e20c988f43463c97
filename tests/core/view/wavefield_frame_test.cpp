// Wavefield frames: the gray level of each node from the displacement
// fields, the contrast curve, automatic scaling across frames, held and
// vacuum nodes, interfaces, and what a frame does to the image.
#include "view/wavefield_frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/node_grid.h"
#include "model/elix_doc.h"
#include "view_test_support.h"

namespace elix {
namespace {

CNodeGrid Grid(int nx, int ny) {
    return test::RestingGrid(nx, ny);
}

FrameSettings Plain(const char* dispType = "U and V", float scale = 1.0f) {
    FrameSettings s;
    s.quantity = DisplayQuantityOf(dispType);
    s.DispScale = scale;
    s.contrast = false;
    return s;
}

// Every test starts as the first frame of a process does.
struct FrameTest : ::testing::Test {
    void SetUp() override { SetPreviousFrameMaximum(kInitialPreviousMaximum); }
    void TearDown() override { SetPreviousFrameMaximum(kInitialPreviousMaximum); }

    // Makes a frame of a 1 x 1-cell grid whose node (0, 0) has (u, v) and
    // gives that node's gray level.
    static int GrayOfSingleNode(float u, float v, const FrameSettings& settings, std::uint32_t index = 0,
                                std::uint8_t flags = 0) {
        CNodeGrid grid = Grid(1, 1);
        grid.fields.U[0] = u;
        grid.fields.V[0] = v;
        grid.index[0] = index;
        grid.flags[0] = flags;
        CGeometryImage image;
        EXPECT_TRUE(MakeWavefieldFrame(image, grid, settings, 0, 0.0, 0.0));
        return image.Rows.at(0).at(0);
    }
};

TEST(ContrastCurveTest, EndpointsAndKnownEntries) {
    const auto& curve = ContrastCurve();
    EXPECT_EQ(curve[0], 0);
    EXPECT_EQ(curve[255], 255);
    // trunc(255 ln(1 + 50 i / 255) / ln 51), worked out by hand.
    EXPECT_EQ(curve[1], 11);
    EXPECT_EQ(curve[2], 21);
    EXPECT_EQ(curve[50], 154);
    EXPECT_EQ(curve[100], 196);
    EXPECT_EQ(curve[128], 211);
    EXPECT_EQ(curve[254], 254);
    for (int i = 1; i < 256; ++i) EXPECT_GE(curve[i], curve[i - 1]) << i;
}

TEST(DisplayQuantityTest, OnlyTheThreeExactTextsSelectAQuantity) {
    EXPECT_EQ(DisplayQuantityOf("U and V"), DisplayQuantity::Magnitude);
    EXPECT_EQ(DisplayQuantityOf("U only"), DisplayQuantity::UOnly);
    EXPECT_EQ(DisplayQuantityOf("V only"), DisplayQuantity::VOnly);
    EXPECT_EQ(DisplayQuantityOf("u only"), DisplayQuantity::Nothing);
    EXPECT_EQ(DisplayQuantityOf("U and V "), DisplayQuantity::Nothing);
    EXPECT_EQ(DisplayQuantityOf(""), DisplayQuantity::Nothing);
}

TEST_F(FrameTest, DisplayTypesMeasureTheirQuantity) {
    // (U, V) = (-0.3, 0.4): magnitude 0.5, so d = 100; |U| 60; |V| 80.
    EXPECT_EQ(GrayOfSingleNode(-0.3f, 0.4f, Plain("U and V")), 100);
    EXPECT_EQ(GrayOfSingleNode(-0.3f, 0.4f, Plain("U only")), 60);
    EXPECT_EQ(GrayOfSingleNode(-0.3f, -0.4f, Plain("V only")), 80);
    // Any other display type leaves material nodes black...
    EXPECT_EQ(GrayOfSingleNode(-0.3f, 0.4f, Plain("Energy")), 0);
    // ...before interface brightening, which still applies.
    EXPECT_EQ(GrayOfSingleNode(-0.3f, 0.4f, Plain("Energy"), 1), 63);
}

TEST_F(FrameTest, ContrastCurveAppliesAfterScaling) {
    FrameSettings s = Plain();
    EXPECT_EQ(GrayOfSingleNode(0.5f, 0.0f, s), 100);
    s.contrast = true;
    EXPECT_EQ(GrayOfSingleNode(0.5f, 0.0f, s), 196);
    // DispScale 2 doubles s before the curve: 200 -> curve[200] = 239.
    s.DispScale = 2.0f;
    EXPECT_EQ(GrayOfSingleNode(0.5f, 0.0f, s), 239);
}

TEST_F(FrameTest, ScaledValuesTruncateAndSaturate) {
    // d = 200 * 0.5049 = 100.98 -> 100 (truncated, not rounded).
    EXPECT_EQ(GrayOfSingleNode(0.5049f, 0.0f, Plain()), 100);
    // d x DispScale = 1000 gives 255, with or without the curve.
    EXPECT_EQ(GrayOfSingleNode(5.0f, 0.0f, Plain()), 255);
    FrameSettings s = Plain();
    s.contrast = true;
    EXPECT_EQ(GrayOfSingleNode(5.0f, 0.0f, s), 255);
    // 254.9 stays 254; exactly 255 is 255 (automatic scaling with the
    // previous maximum equal to d gives 255 exactly).
    EXPECT_EQ(GrayOfSingleNode(1.2745f, 0.0f, Plain()), 254);
    SetPreviousFrameMaximum(100.0);
    EXPECT_EQ(GrayOfSingleNode(0.5f, 0.0f, Plain("U and V", 0.0f)), 255);
    // A field that blew up shows white, not some arbitrary level.
    EXPECT_EQ(GrayOfSingleNode(std::numeric_limits<float>::quiet_NaN(), 0.0f, Plain()), 255);
    EXPECT_EQ(GrayOfSingleNode(std::numeric_limits<float>::infinity(), 0.0f, Plain()), 255);
}

TEST_F(FrameTest, NegativeDispScaleGivesBlack) {
    EXPECT_EQ(GrayOfSingleNode(0.5f, 0.0f, Plain("U and V", -1.0f)), 0);
    EXPECT_EQ(GrayOfSingleNode(5.0f, 0.0f, Plain("U only", -3.0f)), 0);
    FrameSettings s = Plain("U and V", -1.0f);
    s.contrast = true;
    EXPECT_EQ(GrayOfSingleNode(0.5f, 0.0f, s), 0);
    EXPECT_EQ(GrayOfSingleNode(0.5f, 0.0f, s, 1), 63);  // interface still added
}

TEST_F(FrameTest, InterfaceBrightnessIsAddedAndCapped) {
    // Gray 100 + 63 = 163; gray 220 (d = 220) + 63 caps at 255.
    EXPECT_EQ(GrayOfSingleNode(0.5f, 0.0f, Plain(), 1), 163);
    EXPECT_EQ(GrayOfSingleNode(1.1f, 0.0f, Plain(), 1), 255);
    // A pure-set node is not brightened.
    EXPECT_EQ(GrayOfSingleNode(0.5f, 0.0f, Plain(), 0), 100);
    // With the curve, the brightness is added after it: 196 + 63 -> 255;
    // d = 2.02 -> curve[2] = 21, + 63 = 84.
    FrameSettings s = Plain();
    s.contrast = true;
    EXPECT_EQ(GrayOfSingleNode(0.5f, 0.0f, s, 1), 255);
    EXPECT_EQ(GrayOfSingleNode(0.0101f, 0.0f, s, 1), 84);
    s.InterfaceBright = 0;
    EXPECT_EQ(GrayOfSingleNode(0.5f, 0.0f, s, 1), 196);
}

TEST_F(FrameTest, HeldAndVacuumNodesAreWhite) {
    FrameSettings s = Plain();
    EXPECT_EQ(GrayOfSingleNode(0.0f, 0.0f, s, 0, FLAG_FIX_U), 255);
    EXPECT_EQ(GrayOfSingleNode(0.0f, 0.0f, s, 0, FLAG_FIX_V), 255);
    EXPECT_EQ(GrayOfSingleNode(0.0f, 0.0f, s, 0, 0x20), 255);  // any flag byte above 31
    EXPECT_EQ(GrayOfSingleNode(0.0f, 0.0f, s, VACUUM_INDEX), 255);
    // The low flags never change the gray level: 31 is every one of them.
    EXPECT_EQ(GrayOfSingleNode(0.5f, 0.0f, s, 0, 31), 100);
    EXPECT_EQ(GrayOfSingleNode(0.5f, 0.0f, s, 0, FLAG_DAMPED | FLAG_HIGH_ORDER), 100);
    // White survives the curve and a negative scale.
    s.contrast = true;
    s.DispScale = -1.0f;
    EXPECT_EQ(GrayOfSingleNode(0.3f, 0.0f, s, VACUUM_INDEX), 255);
    EXPECT_EQ(GrayOfSingleNode(0.3f, 0.0f, s, 0, FLAG_FIX_U | FLAG_FIX_V), 255);
}

TEST_F(FrameTest, AutomaticScalingUsesThePreviousFramesMaximum) {
    CNodeGrid grid = Grid(2, 0);
    FrameSettings s = Plain("U only", 0.0f);
    // First frame of the process: divided by 255, so s = d.
    grid.fields.U = {0.25f, 0.125f, 0.0f};  // d = 50, 25, 0
    CGeometryImage image;
    ASSERT_TRUE(MakeWavefieldFrame(image, grid, s, 0, 0.0, 0.0));
    EXPECT_EQ(image.Rows[0], (std::vector<std::uint8_t>{50, 25, 0}));
    EXPECT_DOUBLE_EQ(PreviousFrameMaximum(), 50.0);
    // Second frame: divided by the first frame's largest d, 50.
    // d = 25 -> 127.5 -> 127; d = 50 -> 255; d = 100 -> 510 -> 255.
    grid.fields.U = {0.125f, 0.25f, 0.5f};
    ASSERT_TRUE(MakeWavefieldFrame(image, grid, s, 1, 0.0, 0.0));
    EXPECT_EQ(image.Rows[0], (std::vector<std::uint8_t>{127, 255, 255}));
    EXPECT_DOUBLE_EQ(PreviousFrameMaximum(), 100.0);
}

TEST_F(FrameTest, HeldAndVacuumNodesDoNotCountTowardsTheMaximum) {
    CNodeGrid grid = Grid(2, 0);
    grid.fields.U = {9.0f, 8.0f, 0.1f};
    grid.flags[0] = FLAG_FIX_U;  // a source node moving a lot
    grid.index[1] = VACUUM_INDEX;
    CGeometryImage image;
    ASSERT_TRUE(MakeWavefieldFrame(image, grid, Plain("U only", 0.0f), 0, 0.0, 0.0));
    EXPECT_NEAR(PreviousFrameMaximum(), 20.0, 1e-4);
    // Interface nodes do count.
    grid.index[1] = 1;
    ASSERT_TRUE(MakeWavefieldFrame(image, grid, Plain("U only", 0.0f), 0, 0.0, 0.0));
    EXPECT_NEAR(PreviousFrameMaximum(), 1600.0, 1e-3);
    // A fixed scale updates the maximum as well.
    grid.fields.U = {0.0f, -0.7f, 0.1f};  // d = 0, 140, 20
    ASSERT_TRUE(MakeWavefieldFrame(image, grid, Plain("U only", 3.0f), 0, 0.0, 0.0));
    EXPECT_NEAR(PreviousFrameMaximum(), 140.0, 1e-4);
}

TEST_F(FrameTest, AStillFrameLeavesTheNextAutomaticFrameUsable) {
    CNodeGrid grid = Grid(1, 0);
    CGeometryImage image;
    ASSERT_TRUE(MakeWavefieldFrame(image, grid, Plain("U only", 0.0f), 0, 0.0, 0.0));
    EXPECT_EQ(PreviousFrameMaximum(), 0.0);
    // Still nodes stay black; any motion is the largest there is: white.
    grid.fields.U = {0.0f, 1e-6f};
    ASSERT_TRUE(MakeWavefieldFrame(image, grid, Plain("U only", 0.0f), 1, 0.0, 0.0));
    EXPECT_EQ(image.Rows[0], (std::vector<std::uint8_t>{0, 255}));
}

TEST_F(FrameTest, FramesAreMadeEveryDispFreqSteps) {
    CNodeGrid grid = Grid(1, 1);
    grid.fields.U.assign(grid.NodeCount(), 0.5f);
    FrameSettings s = Plain();
    s.DispFreq = 5;
    std::vector<int> made;
    for (int step = 0; step <= 12; ++step) {
        CGeometryImage image;
        if (MakeWavefieldFrame(image, grid, s, step, 0.0, 0.0)) made.push_back(step);
    }
    EXPECT_EQ(made, (std::vector<int>{0, 5, 10}));
    EXPECT_TRUE(IsFrameStep(7, 1));
    EXPECT_FALSE(IsFrameStep(0, 0));
    EXPECT_FALSE(IsFrameStep(0, -3));
}

TEST_F(FrameTest, AStepWithoutFrameLeavesTheImageAsItWas) {
    CGeometryImage image;
    image.ImageWidth = 3;
    image.ImageHeight = 1;
    image.Rows = {{7, 8, 9}};
    image.ResolutionX = image.ResolutionY = 300.0f;
    CNodeGrid grid = Grid(1, 1);
    FrameSettings s = Plain();
    s.DispFreq = 5;
    EXPECT_FALSE(MakeWavefieldFrame(image, grid, s, 3, 1e-3, 1e-3));
    s.DispFreq = 0;
    EXPECT_FALSE(MakeWavefieldFrame(image, grid, s, 0, 1e-3, 1e-3));
    EXPECT_EQ(image.Rows, (ImageRows{{7, 8, 9}}));
    EXPECT_EQ(image.ImageWidth, 3);
    EXPECT_FALSE(image.ShowsFrame);
    EXPECT_EQ(image.ResolutionX, 300.0f);
    EXPECT_DOUBLE_EQ(PreviousFrameMaximum(), kInitialPreviousMaximum);
    // Nor does a grid without fields make a frame.
    CNodeGrid empty = Grid(2, 2);
    empty.fields.V.clear();
    CGeometryImage none;
    EXPECT_FALSE(MakeWavefieldFrame(none, empty, Plain(), 0, 0.0, 0.0));
    EXPECT_FALSE(none.HasRows());
}

TEST_F(FrameTest, FrameTakesOverTheImage) {
    // 4 x 2 nodes; only node (2, 1) moves, so rows and columns cannot be
    // swapped unnoticed.
    CNodeGrid grid = Grid(3, 1);
    grid.fields.V[grid.Offset(2, 1)] = 0.2f;  // d = 40
    CGeometryImage image;
    image.ImageWidth = image.ImageHeight = 10;
    image.Rows.assign(10, std::vector<std::uint8_t>(10, 99));
    ASSERT_TRUE(MakeWavefieldFrame(image, grid, Plain(), 0, 1e-4, 2.54e-4));
    EXPECT_EQ(image.ImageWidth, 4);
    EXPECT_EQ(image.ImageHeight, 2);
    EXPECT_EQ(image.Rows, (ImageRows{{0, 0, 0, 0}, {0, 0, 40, 0}}));
    EXPECT_TRUE(image.ShowsFrame);
    EXPECT_FLOAT_EQ(image.ResolutionX, 254.0f);
    EXPECT_FLOAT_EQ(image.ResolutionY, 100.0f);
    // A spacing of 0 leaves that resolution alone; rows of the same size
    // are reused, not allocated again.
    const std::uint8_t* before = image.Rows[1].data();
    ASSERT_TRUE(MakeWavefieldFrame(image, grid, Plain(), 0, 0.0, 1e-3));
    EXPECT_FLOAT_EQ(image.ResolutionX, 254.0f);
    EXPECT_FLOAT_EQ(image.ResolutionY, 25.4f);
    EXPECT_EQ(image.Rows[1].data(), before);
}

TEST_F(FrameTest, DocumentFrameReadsTheJobParameters) {
    CElixDoc doc;
    doc.job.DispType = "V only";
    doc.job.DispScale = 2.0f;
    doc.job.InterfaceBright = 10;
    doc.job.DispFreq = 4;
    CNodeGrid grid = Grid(1, 0);
    grid.fields.U = {0.2f, 0.2f};
    grid.fields.V = {0.1f, 0.1f};  // d = 20, s = 40
    grid.index[1] = 1;
    EXPECT_FALSE(MakeWavefieldFrame(doc, grid, 6, 1e-3, 1e-3, false));
    ASSERT_TRUE(MakeWavefieldFrame(doc, grid, 8, 1e-3, 1e-3, false));
    EXPECT_EQ(doc.image.Rows, (ImageRows{{40, 50}}));
    ASSERT_TRUE(MakeWavefieldFrame(doc, grid, 8, 1e-3, 1e-3, true));
    // curve[40] = trunc(255 ln(1 + 2000/255) / ln 51) = 141.
    EXPECT_EQ(doc.image.Rows, (ImageRows{{141, 151}}));
}

TEST_F(FrameTest, RedrawCurrentFrameIgnoresTheStepAndRepaintsEverything) {
    CElixDoc doc;
    doc.job.DispFreq = 7;
    std::vector<char> hints;
    doc.AddViewObserver([&](char hint) { hints.push_back(hint); });
    CNodeGrid grid = Grid(1, 1);
    grid.fields.U.assign(grid.NodeCount(), 0.5f);
    ASSERT_TRUE(RedrawCurrentFrame(doc, grid, 1e-3, 1e-3, true));
    EXPECT_EQ(doc.image.Rows, (ImageRows{{196, 196}, {196, 196}}));
    EXPECT_FALSE(doc.image.displayBitmap.empty());
    EXPECT_EQ(hints, std::vector<char>{'a'});
    // With DispFreq below 1 no frame is ever made.
    doc.job.DispFreq = 0;
    EXPECT_FALSE(RedrawCurrentFrame(doc, grid, 1e-3, 1e-3, true));
    EXPECT_EQ(hints.size(), 1u);
}

}  // namespace
}  // namespace elix
