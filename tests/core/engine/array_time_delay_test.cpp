// The "Source Array Time Delay" report on the phased-array example: the
// spread of the focusing delays is the path difference between the centre
// and the outermost element over the longitudinal speed.
#include "engine/array_time_delay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "engine/time_step.h"
#include "model/elix_doc.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

namespace fs = std::filesystem;

struct PhasedArray : ::testing::Test {
    test::TempDir dir;
    CElixDoc doc;
    void SetUp() override {
        const fs::path from = fs::path(ELASTRIX_SOURCE_DIR) / "examples" / "phased_array";
        for (const auto& entry : fs::directory_iterator(from))
            fs::copy_file(entry.path(), fs::path(dir.Root()) / entry.path().filename());
        ASSERT_TRUE(doc.ReadModel(dir.Path("phased_array.wmd")));
        ASSERT_TRUE(doc.LoadWorkingImage(true, nullptr)) << doc.MessageText();
    }
};

TEST_F(PhasedArray, FocusedSpreadIsThePathDifferenceOverTheSpeed) {
    const CSource source = doc.Sources()[0];
    std::string text;
    ASSERT_TRUE(SourceArrayTimeDelayReport(doc, source, text)) << text;
    double front = 0.0, back = 0.0;
    ASSERT_EQ(std::sscanf(text.c_str(), "Array Time Delay:\nFront = %lf(us), Back = %lf(us).", &front, &back), 2)
        << text;

    CRunGeometry geometry;
    std::string error;
    ASSERT_TRUE(ComputeRunGeometry(doc, geometry, error));
    // 16 elements of 0.8 mm at a 1 mm pitch focused at D = 2 a0 H = 8 mm:
    // the outermost element centre lies 7.5 mm off the axis.
    const double length = std::hypot(source.x2 - source.x1, source.y2 - source.y1);
    const double focal = 2.0 * source.focusing.a[0] * length / 2.0;
    EXPECT_NEAR(focal, 8e-3, 1e-7);
    const double vL = std::sqrt((1.094620e11 + 2 * 8.189827e10) / 7850.0);
    const double spread = std::hypot(7.5e-3, focal) - focal;
    EXPECT_NEAR((front + back) * 1e-6, spread / vL, 2 * geometry.dt);
    // The delays are centred: the centre leads, the edges lag.
    EXPECT_GT(front, 0.0);
    EXPECT_GT(back, 0.0);
}

TEST_F(PhasedArray, MissingRegionMaterialOrGridIsReported) {
    CSource source = doc.Sources()[0];
    source.focusing.regionGrayLevel = 200;
    std::string text;
    EXPECT_FALSE(SourceArrayTimeDelayReport(doc, source, text));
    EXPECT_EQ(text, "No material is defined for gray level 200 in source 'Array'.");

    CElixDoc empty;
    EXPECT_FALSE(SourceArrayTimeDelayReport(empty, doc.Sources()[0], text));
    EXPECT_FALSE(text.empty());
}

}  // namespace
}  // namespace elix
