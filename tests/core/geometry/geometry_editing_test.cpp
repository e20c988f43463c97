// Painting shapes into the geometry image, pixel replacement and the undo
// backup, on images built directly in the document.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <numbers>

#include "core/geometry/editing_test_support.h"
#include "model/elix_doc.h"

namespace elix {
namespace {

using test::BoxOf;
using test::FillImage;
using test::IsExactlyBox;
using test::Pixel;

constexpr double kMm = 0.001;
constexpr double kPi = std::numbers::pi;

std::vector<double> Mm(std::vector<double> values) {
    for (double& v : values) v *= kMm;
    return values;
}

// A 20 x 20 image of gray 0 at 10 pixel/mm; shapes paint gray 100.
class PaintTest : public ::testing::Test {
protected:
    void SetUp() override { FillImage(doc, 20, 20, 0); }
    CElixDoc doc;
};

TEST_F(PaintTest, OneMillimetreSquareCoversTenByTenPixelsFromTheOrigin) {
    ASSERT_TRUE(doc.PaintRectangle(0, 0, 1 * kMm, 1 * kMm, 0, 100, 0, 255));
    EXPECT_TRUE(IsExactlyBox(doc, 100, 0, 9, 0, 9));
}

TEST_F(PaintTest, PositiveThetaTurnsTheRectangleClockwiseAboutItsCorner) {
    // Turned by 90 degrees the width runs down the image and the height to
    // the left of the corner at column 10.
    ASSERT_TRUE(doc.PaintRectangle(1 * kMm, 0, 1 * kMm, 0.5 * kMm, kPi / 2, 100, 0, 255));
    EXPECT_TRUE(IsExactlyBox(doc, 100, 6, 10, 0, 9));
}

TEST_F(PaintTest, PaintsOnlyOverTheTargetRange) {
    ASSERT_TRUE(doc.PaintRectangle(0, 0, 2 * kMm, 2 * kMm, 0, 100, 100, 100));
    EXPECT_EQ(BoxOf(doc, 0).count, 400);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 10; ++x) doc.image.Rows[y][x] = 50;
    ASSERT_TRUE(doc.PaintRectangle(0, 0, 2 * kMm, 2 * kMm, 0, 100, 50, 60));
    EXPECT_TRUE(IsExactlyBox(doc, 100, 0, 9, 0, 19));
    EXPECT_EQ(BoxOf(doc, 0).count, 200);
}

// Every sample of a rectangle over its whole extent, for comparison with
// the painter, which only visits the samples near the image.
ImageRows EverySampleOfRectangle(double x0, double y0, double w, double h, double theta) {
    ImageRows rows(20, std::vector<std::uint8_t>(20, 0));
    const double res = test::kTenPerMillimetre, q = 0.00635 / res, p = 0.0254 / res;
    for (int j = 0; j * q <= h - p; ++j)
        for (int i = 0; i * q <= w - p; ++i) {
            const double u = i * q, v = j * q;
            const double col = std::trunc((x0 + u * std::cos(theta) - v * std::sin(theta)) * res / 0.0254 + 0.5);
            const double row = std::trunc((y0 + u * std::sin(theta) + v * std::cos(theta)) * res / 0.0254 + 0.5);
            if (col >= 0 && col < 20 && row >= 0 && row < 20)
                rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = 100;
        }
    return rows;
}

TEST_F(PaintTest, ShapesReachingBeyondTheImagePaintWhatEverySampleWould) {
    const double cases[][5] = {{-1 * kMm, 0.5 * kMm, 3 * kMm, 2 * kMm, 0.5},
                               {1.5 * kMm, -0.7 * kMm, 2.5 * kMm, 1.2 * kMm, 2.2},
                               {2.5 * kMm, 2.5 * kMm, 3 * kMm, 3 * kMm, -2.7}};
    for (const auto& c : cases) {
        FillImage(doc, 20, 20, 0);
        ASSERT_TRUE(doc.PaintRectangle(c[0], c[1], c[2], c[3], c[4], 100, 0, 255));
        EXPECT_EQ(doc.image.Rows, EverySampleOfRectangle(c[0], c[1], c[2], c[3], c[4])) << "theta " << c[4];
    }
    // A rectangle of 1e20 m is not walked sample by sample.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(doc.PaintRectangle(-5.0, -5.0, 1e20, 1e20, 0, 100, 0, 255));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(BoxOf(doc, 100).count, 400);
}

TEST_F(PaintTest, DegenerateShapesAndBadValuesPaintNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(doc.PaintRectangle(0, 0, 0.05 * kMm, 1 * kMm, 0, 100, 0, 255));  // narrower than a pixel
    EXPECT_FALSE(doc.PaintEllipse(0.5 * kMm, 0.5 * kMm, 0.3 * kMm, 0, 0, 100, 0, 255));
    EXPECT_FALSE(doc.PaintEllipse(0.5 * kMm, 0.5 * kMm, 0, 0.3 * kMm, 0, 100, 0, 255));
    EXPECT_FALSE(doc.PaintLayer(0.5 * kMm, 0.5 * kMm, 0.5 * kMm, 0.5 * kMm, 0.4 * kMm, 100, 0, 255));
    EXPECT_FALSE(doc.PaintPolygon(Mm({0.1}), Mm({0.1}), false, 0, 100, 0, 255));
    EXPECT_FALSE(doc.PaintPolygon(Mm({0.1, 0.1}), Mm({0.2, 0.2}), false, 0, 100, 0, 255));  // no length
    EXPECT_FALSE(doc.PaintPolygon(Mm({0.1, 0.5}), Mm({0.2, 0.5}), true, 0, 100, 0, 255));   // encloses nothing
    EXPECT_FALSE(doc.PaintPolygon(Mm({0.1, 0.5, 0.5}), Mm({0.2, 0.5}), true, 0, 100, 0, 255));
    EXPECT_FALSE(doc.PaintPolygon({0, kMm, 0}, {0, 0, nan}, true, 0, 100, 0, 255));
    EXPECT_FALSE(doc.PaintRectangle(nan, 0, 1 * kMm, 1 * kMm, 0, 100, 0, 255));
    EXPECT_EQ(BoxOf(doc, 100).count, 0);
    doc.image.Rows.pop_back();  // rows no longer match ImageHeight
    const ImageRows shortRows = doc.image.Rows;
    EXPECT_FALSE(doc.PaintRectangle(0, 0, 1 * kMm, 1 * kMm, 0, 100, 0, 255));
    EXPECT_EQ(doc.image.Rows, shortRows);
}

TEST_F(PaintTest, CircleIsCentredOnItsCentrePoint) {
    ASSERT_TRUE(doc.PaintEllipse(1 * kMm, 1 * kMm, 0.5 * kMm, 0.5 * kMm, 0, 100, 0, 255));
    // Pixel (x, y) spans [x - 10, x - 9] x [y - 10, y - 9] pixels around the
    // centre: pixels well inside radius 5 are painted, those beyond it not.
    const auto nearest = [](double a) { return a <= 0 && a + 1 >= 0 ? 0.0 : std::min(std::fabs(a), std::fabs(a + 1)); };
    const auto farthest = [](double a) { return std::max(std::fabs(a), std::fabs(a + 1)); };
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            if (std::hypot(farthest(x - 10.0), farthest(y - 10.0)) <= 4.5) {
                EXPECT_EQ(Pixel(doc, x, y), 100) << x << "," << y;
            }
            if (std::hypot(nearest(x - 10.0), nearest(y - 10.0)) > 5.01) {
                EXPECT_EQ(Pixel(doc, x, y), 0) << x << "," << y;
            }
        }
}

TEST_F(PaintTest, ThetaTurnsTheMajorAxisOfAnEllipse) {
    FillImage(doc, 40, 40, 0);
    ASSERT_TRUE(doc.PaintEllipse(2 * kMm, 2 * kMm, 1 * kMm, 0.3 * kMm, kPi / 2, 100, 0, 255));
    const test::GrayBox box = BoxOf(doc, 100);
    EXPECT_GE(box.yMax - box.yMin + 1, 19);  // the major axis runs down the image
    EXPECT_LE(box.xMax - box.xMin + 1, 8);
}

TEST_F(PaintTest, LayerThicknessLiesAcrossItsDirection) {
    ASSERT_TRUE(doc.PaintLayer(0, 1 * kMm, 2 * kMm, 1 * kMm, 0.4 * kMm, 100, 0, 255));
    EXPECT_TRUE(IsExactlyBox(doc, 100, 0, 19, 8, 11));
    FillImage(doc, 20, 20, 0);
    ASSERT_TRUE(doc.PaintLayer(1 * kMm, 0, 1 * kMm, 2 * kMm, 0.4 * kMm, 100, 0, 255));
    EXPECT_TRUE(IsExactlyBox(doc, 100, 9, 12, 0, 19));
}

TEST_F(PaintTest, ClosedPolygonFillsTheSamePixelsInEitherOrientation) {
    const std::vector<double> xs = Mm({0.55, 1.45, 1.45, 0.55}), ys = Mm({0.55, 0.55, 1.45, 1.45});
    ASSERT_TRUE(doc.PaintPolygon(xs, ys, true, 0, 100, 0, 255));
    EXPECT_TRUE(IsExactlyBox(doc, 100, 6, 14, 6, 14));
    const ImageRows clockwise = doc.image.Rows;
    FillImage(doc, 20, 20, 0);
    ASSERT_TRUE(doc.PaintPolygon({xs.rbegin(), xs.rend()}, {ys.rbegin(), ys.rend()}, true, 0, 100, 0, 255));
    EXPECT_EQ(doc.image.Rows, clockwise);
}

TEST_F(PaintTest, ClosedConcavePolygonLeavesItsNotchUnpainted) {
    ASSERT_TRUE(doc.PaintPolygon(Mm({0.55, 1.45, 1.45, 0.95, 0.95, 0.55}), Mm({0.55, 0.55, 0.95, 0.95, 1.45, 1.45}),
                                 true, 0, 100, 0, 255));
    EXPECT_EQ(BoxOf(doc, 100).count, 81 - 25);
    EXPECT_EQ(Pixel(doc, 12, 12), 0);
    EXPECT_EQ(Pixel(doc, 7, 12), 100);
    EXPECT_EQ(Pixel(doc, 12, 7), 100);
}

TEST_F(PaintTest, OpenPolylineOfThicknessZeroDrawsEachLegOnePixelWide) {
    ASSERT_TRUE(doc.PaintPolygon(Mm({0.2, 1.5, 1.5}), Mm({0.2, 0.2, 1.5}), false, 0, 100, 0, 255));
    EXPECT_EQ(BoxOf(doc, 100).count, 14 + 13);
    for (int k = 2; k <= 15; ++k) {
        EXPECT_EQ(Pixel(doc, k, 2), 100);
        EXPECT_EQ(Pixel(doc, 15, k), 100);
    }
}

TEST_F(PaintTest, ReplacePixelRangeChangesOnlyGrayLevelsInsideTheRange) {
    FillImage(doc, 5, 1, 0);
    doc.image.Rows[0] = {99, 100, 150, 200, 201};
    ASSERT_TRUE(doc.ReplacePixelRange(100, 200, 7));
    EXPECT_EQ(doc.image.Rows[0], (std::vector<std::uint8_t>{99, 7, 7, 7, 201}));
}

TEST_F(PaintTest, EachPaintRedrawsTheViewsAndMarksTheDocumentModified) {
    int redraws = 0;
    doc.AddViewObserver([&](char) { ++redraws; });
    ASSERT_FALSE(doc.PaintLayer(0, 0, 0, 0, kMm, 100, 0, 255));
    EXPECT_EQ(redraws, 0);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.PaintLayer(0, 0, kMm, 0, kMm, 100, 0, 255));
    EXPECT_EQ(redraws, 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.image.displayBitmap.empty());
}

TEST_F(PaintTest, EditBackupRestoresTheImageAsBackedUpAndDropForgetsIt) {
    CElixDoc empty;
    EXPECT_FALSE(empty.MakeBackup());  // nothing to copy
    doc.image.Rows[2][5] = 42;
    const ImageRows before = doc.image.Rows;
    ASSERT_TRUE(doc.MakeBackup());
    ASSERT_TRUE(doc.PaintRectangle(0, 0, 1 * kMm, 1 * kMm, 0, 100, 0, 255));
    ASSERT_TRUE(doc.ResizeImage(2, 0, 1, 0));
    doc.RestoreBackup();
    EXPECT_EQ(doc.image.Rows, before);
    EXPECT_EQ(doc.image.ImageWidth, 20);
    EXPECT_EQ(doc.image.ImageHeight, 20);
    EXPECT_TRUE(doc.image.BackupRows.empty());

    ASSERT_TRUE(doc.MakeBackup());
    doc.DropBackup();
    EXPECT_TRUE(doc.image.BackupRows.empty());
    doc.image.Rows[1][1] = 9;
    doc.RestoreBackup();  // no backup: nothing changes
    EXPECT_EQ(Pixel(doc, 1, 1), 9);
}

}  // namespace
}  // namespace elix
