// The shipped example geometry: what the steel plate model promises.
#include <gtest/gtest.h>

#include <filesystem>

#include "geometry/pcx_codec.h"
#include "model/elix_doc.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

const std::string kExampleFolder = std::string(ELASTRIX_SOURCE_DIR) + "/examples/steel_plate/";

TEST(ExampleGeometryTest, SteelPlateWithASideDrilledHole) {
    DecodedImage plate;
    ASSERT_TRUE(ReadPcx(kExampleFolder + "steel_plate.pcx", plate));
    // 60 x 40 mm at 10 pixel/mm (254 dots per inch).
    EXPECT_EQ(plate.width, 600);
    EXPECT_EQ(plate.height, 400);
    EXPECT_EQ(plate.resolutionX, 254.0f);
    // Steel (gray 0) everywhere but a hole of 2 mm diameter centred at
    // (30 mm, 25 mm): the pixels within 10 pixels of column 300, row 250.
    int vacuum = 0;
    for (int r = 0; r < plate.height; ++r)
        for (int c = 0; c < plate.width; ++c) {
            const bool inHole = (c - 300) * (c - 300) + (r - 250) * (r - 250) <= 100;
            ASSERT_EQ(plate.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)], inHole ? 255 : 0)
                << c << "," << r;
            vacuum += inHole;
        }
    EXPECT_EQ(vacuum, 317);
    // The file is what the program's own writer makes of that image.
    std::vector<std::uint8_t> encoded;
    ASSERT_TRUE(EncodeImage(ImageFileFormat::Pcx, plate.width, plate.height, plate.rows, 254.0f, 254.0f, encoded));
    EXPECT_EQ(test::ReadFileText(kExampleFolder + "steel_plate.pcx"), std::string(encoded.begin(), encoded.end()));
}

TEST(ExampleGeometryTest, TheModelOpensWithItsGeometry) {
    // Opened from a copy: the working copy is made next to the geometry.
    test::TempDir dir;
    for (const char* name : {"steel_plate.wmd", "steel_plate.pcx"})
        std::filesystem::copy_file(kExampleFolder + name, dir.Path(name));
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    ASSERT_TRUE(doc.ReadModel(dir.Path("steel_plate.wmd"))) << doc.MessageText();
    EXPECT_TRUE(ui.shown.empty()) << ui.LastText();
    EXPECT_EQ(doc.SizeText, "W=60.00(mm),H=40.00(mm)");
    // Every pixel that is not vacuum belongs to the model's Steel.
    ASSERT_EQ(doc.Materials().Count(), 1);
    EXPECT_EQ(doc.Materials()[0].grayLevel, 0);
    EXPECT_EQ(doc.image.Rows[0][0], 0);
    EXPECT_EQ(doc.image.Rows[250][300], 255);
    EXPECT_NE(doc.WorkingFileName, "None");
}

}  // namespace
}  // namespace elix
