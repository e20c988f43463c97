#include "engine/segment_points.h"

#include <gtest/gtest.h>

#include <cmath>

namespace elix {
namespace {

TEST(SegmentDirectionTest, ClassesAndSigns) {
    // A vertical segment: the normal lies along x.
    SegmentDirection d = DirectionOf(0.01, 0.0, 0.01, 0.02);
    EXPECT_DOUBLE_EQ(d.c, 1.0);
    EXPECT_DOUBLE_EQ(d.s, 0.0);
    EXPECT_EQ(d.orientationClass, 1);
    d = DirectionOf(0.01, 0.02, 0.01, 0.0);  // drawn upwards: c = -1
    EXPECT_DOUBLE_EQ(d.c, -1.0);
    EXPECT_EQ(d.orientationClass, 1);
    d = DirectionOf(0.0, 0.0, 0.03, 0.0);  // horizontal, left to right: s = -1
    EXPECT_DOUBLE_EQ(d.s, -1.0);
    EXPECT_EQ(d.orientationClass, 2);
    d = DirectionOf(0.0, 0.0, 0.01, 0.01);
    EXPECT_NEAR(d.c, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(d.s, -std::sqrt(0.5), 1e-12);
    EXPECT_EQ(d.orientationClass, 0);
    d = DirectionOf(0.005, 0.005, 0.005, 0.005);
    EXPECT_EQ(d.c, 1.0);
    EXPECT_EQ(d.s, 0.0);
    EXPECT_EQ(d.orientationClass, 1);
}

TEST(ApertureTest, WindowShapes) {
    EXPECT_DOUBLE_EQ(ApertureWeight("Bartlett", 0.0), 0.0);
    EXPECT_DOUBLE_EQ(ApertureWeight("Bartlett", 0.5), 1.0);
    EXPECT_DOUBLE_EQ(ApertureWeight("Bartlett", 1.0), 0.0);
    EXPECT_NEAR(ApertureWeight("Hanning", 0.0), 0.0, 1e-15);
    EXPECT_DOUBLE_EQ(ApertureWeight("Hanning", 0.5), 1.0);
    EXPECT_NEAR(ApertureWeight("Hamming", 0.0), 0.08, 1e-15);
    EXPECT_NEAR(ApertureWeight("Blackmann", 0.5), 1.0, 1e-15);
    EXPECT_NEAR(ApertureWeight("Blackmann", 0.0), 0.0, 1e-15);
    EXPECT_NEAR(ApertureWeight("Gaussian", 0.0), std::exp(-3.14159265358979), 1e-12);
    EXPECT_NEAR(ApertureWeight("Sine", 0.25), std::sqrt(0.5), 1e-12);
    EXPECT_EQ(ApertureWeight("Uniform", 0.3), 1.0);
    EXPECT_EQ(ApertureWeight("Dirichlet", 0.3), 1.0);
    EXPECT_EQ(ApertureWeight("no such window", 0.3), 1.0);
}

TEST(SegmentPointsTest, NodesAlongASegment) {
    const double h = 1e-4;  // 0.1 mm cells
    // A horizontal segment of 1 mm from (1 mm, 2 mm): nodes 10..20 of row
    // 20, and one more, since the walk goes on to L + h/0.9.
    auto points = SegmentPoints(0.001, 0.002, 0.002, 0.002, h, h, 50, 50, "Bartlett", "Uniform");
    ASSERT_EQ(points.size(), 12u);
    for (std::size_t k = 0; k < points.size(); ++k) {
        EXPECT_EQ(points[k].x, 10 + static_cast<int>(k));
        EXPECT_EQ(points[k].y, 20);
        EXPECT_EQ(points[k].weightT, 1.0f);
    }
    EXPECT_NEAR(points.front().weightL, 0.0, 1e-6);
    // A segment shorter than a cell still yields its start node (and the
    // next one, which the walk past the end reaches).
    points = SegmentPoints(0.001, 0.001, 0.00102, 0.001, h, h, 50, 50, "Uniform", "Uniform");
    ASSERT_GE(points.size(), 1u);
    ASSERT_LE(points.size(), 2u);
    EXPECT_EQ(points[0].x, 10);
    // Zero length: the start node alone.
    points = SegmentPoints(0.001, 0.001, 0.001, 0.001, h, h, 50, 50, "Uniform", "Uniform");
    ASSERT_EQ(points.size(), 1u);
    // Nodes outside the grid are skipped; a start a rounding past the last
    // node is the last node.
    points = SegmentPoints(0.00505, 0.0, 0.00505, 0.001, h, h, 50, 50, "Uniform", "Uniform");
    ASSERT_FALSE(points.empty());
    EXPECT_EQ(points[0].x, 50);
    points = SegmentPoints(-0.001, 0.001, 0.0005, 0.001, h, h, 50, 50, "Uniform", "Uniform");
    ASSERT_FALSE(points.empty());
    EXPECT_EQ(points[0].x, 0);
    for (std::size_t k = 1; k < points.size(); ++k) EXPECT_NE(points[k].x, points[k - 1].x);
}

}  // namespace
}  // namespace elix
