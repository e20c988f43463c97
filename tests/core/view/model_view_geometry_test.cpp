// The model view's layout on screen and paper, the zoom dialog's values and
// the status texts of a mouse move.
#include "view/model_view_geometry.h"

#include <gtest/gtest.h>

#include "model/elix_doc.h"
#include "model/material_property.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

std::vector<int> Values(const PixelRect& r) {
    return {r.left, r.top, r.width, r.height};
}

TEST(ModelViewLayout, ImageRectangleScrollExtentAndZoom) {
    EXPECT_EQ(Values(ModelImageRect(100, 50, 1.5)), (std::vector<int>{150, 25, 150, 75}));
    EXPECT_EQ(Values(ModelImageRect(3, 5, 0.5)), (std::vector<int>{150, 25, 2, 3}));  // 1.5 and 2.5 round up
    // On paper margins and image grow by dpi / 60 along each axis.
    EXPECT_EQ(Values(ModelImageRect(100, 50, 1.5, PrintScale(600), PrintScale(300))),
              (std::vector<int>{1500, 125, 1500, 375}));
    EXPECT_EQ(Values(ModelImageRect(10, 10, 1.0, PrintScale(96), PrintScale(96))), (std::vector<int>{240, 40, 16, 16}));
    EXPECT_EQ(ModelScrollExtent(100, 50, 1.5).width, 305);
    EXPECT_EQ(ModelScrollExtent(100, 50, 1.5).height, 105);
    EXPECT_EQ(ModelScrollExtent(3, 5, 0.5).width, 157);

    EXPECT_DOUBLE_EQ(ZoomFromPercent(250).value_or(0.0), 2.5);
    EXPECT_DOUBLE_EQ(ZoomFromPercent(1).value_or(0.0), 0.01);
    EXPECT_DOUBLE_EQ(ZoomFromPercent(1000).value_or(0.0), 10.0);
    EXPECT_FALSE(ZoomFromPercent(0));
    EXPECT_FALSE(ZoomFromPercent(1001));
    EXPECT_EQ(ZoomPercent(0.7f), 70);  // the float zoom lies a little below 0.7
}

// A 20 x 10 image of steel (gray 100) at 254 dots per inch: 0.1 mm per pixel.
struct ModelViewMouse : ::testing::Test {
    test::TempDir dir;
    CElixDoc doc;
    void SetUp() override {
        doc.SetPathName(dir.Path("plate.wmd"));
        ASSERT_TRUE(doc.CreateImage(20, 10, 254.0f, 254.0f, 100));
        ASSERT_TRUE(doc.AddItem(IsotropicMaterial("Steel", 100, 7800.0, 5900.0, 3200.0)));
        doc.image.Rows[3][6] = 255;
        doc.image.Rows[3][7] = 7;
    }
    // The readout at image pixel coordinates (px, py) at zoom 2.
    MouseReadout At(double px, double py) { return ReadMouse(doc, 150.0 + 2.0 * px, 25.0 + 2.0 * py, 2.0); }
};

TEST_F(ModelViewMouse, PixelPositionAndMaterial) {
    MouseReadout m = At(5.5, 3.5);
    EXPECT_EQ(m.positionText, "100 (5,3)(x=0.55mm,y=0.35mm)");
    EXPECT_EQ(m.sizeText, "Steel");
    EXPECT_NEAR(m.x, 0.55e-3, 1e-12);
    EXPECT_NEAR(m.y, 0.35e-3, 1e-12);
    EXPECT_EQ(At(6.2, 3.9).sizeText, "Vacuum");
    EXPECT_EQ(At(7.0, 3.0).sizeText, "Undefined");
    EXPECT_EQ(At(7.0, 3.0).positionText.substr(0, 8), "7 (7,3)(");

    doc.image.ShowsFrame = true;  // a wavefield frame has no materials to name
    EXPECT_FALSE(At(5.5, 3.5).positionText.empty());
    EXPECT_FALSE(At(5.5, 3.5).sizeText);
}

TEST_F(ModelViewMouse, EdgesOfTheImage) {
    // Within one pixel left of the image the column truncates to 0 and the
    // position clamps to the edge.
    EXPECT_EQ(At(-0.5, 2.0).positionText, "100 (0,2)(x=0.00mm,y=0.20mm)");
    MouseReadout m = At(-1.5, 2.0);
    EXPECT_FALSE(m.xValid);
    EXPECT_TRUE(m.yValid);
    EXPECT_TRUE(m.positionText.empty());
    EXPECT_FALSE(m.sizeText);

    // Column 20 still gives a position for drags, clamped to the width, but
    // lies outside the image.
    m = At(20.7, 9.5);
    EXPECT_TRUE(m.xValid && m.yValid);
    EXPECT_DOUBLE_EQ(m.x, doc.ImageWidthMeters());
    EXPECT_TRUE(m.positionText.empty());
    EXPECT_FALSE(m.sizeText);
    EXPECT_FALSE(At(21.2, 9.5).xValid);
    EXPECT_FALSE(At(5.0, 11.0).yValid);

    CElixDoc empty;
    m = ReadMouse(empty, 160.0, 30.0, 1.0);
    EXPECT_TRUE(m.positionText.empty());
    EXPECT_FALSE(m.xValid || m.yValid);
}

}  // namespace
}  // namespace elix
