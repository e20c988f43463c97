// Create Image and Set Resolution, the physical size of the image and its
// size text.
#include <gtest/gtest.h>

#include "geometry/geometry_commands.h"
#include "geometry/pcx_codec.h"
#include "geometry/working_image.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::ScriptedUserInterface;
using test::TempDir;

struct ImageCommandsTest : ::testing::Test {
    TempDir dir;
    ScriptedUserInterface ui;
    CElixDoc doc;
    void SetUp() override {
        doc.SetUserInterface(&ui);
        // Images made inside the program are kept in the model's folder.
        doc.SetPathName(dir.Path("plate.wmd"));
    }
};

TEST_F(ImageCommandsTest, CreateImageConvertsTheDialogValues) {
    int redraws = 0;
    doc.AddViewObserver([&redraws](char hint) { redraws += hint == 'a'; });
    NewImageValues values;  // the dialog's initial values: 20 x 20 mm, 10 pixel/mm, gray 0
    values.grayLevel = 7;
    ASSERT_TRUE(ConfirmNewImage(doc));
    EXPECT_TRUE(ui.shown.empty());  // no working image yet: no question
    ASSERT_TRUE(ApplyNewImage(doc, values));
    EXPECT_EQ(doc.image.ImageWidth, 200);
    EXPECT_EQ(doc.image.ImageHeight, 200);
    EXPECT_EQ(doc.image.ResolutionX, 254.0f);
    EXPECT_EQ(doc.image.ResolutionY, 254.0f);
    EXPECT_EQ(doc.SizeText, "W=20.00(mm),H=20.00(mm)");
    EXPECT_EQ(doc.image.Rows[199][199], 7);
    EXPECT_EQ(doc.image.Rows[0][0], 7);
    EXPECT_FALSE(doc.image.displayBitmap.empty());
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(doc.ImageFileName, "None");
    EXPECT_TRUE(doc.IsModified());
    // A GEO working file in the model's folder, named after the title.
    EXPECT_TRUE(doc.GeometryModified);
    EXPECT_EQ(DirectoryOf(doc.WorkingFileName), dir.Root() + "/");
    EXPECT_TRUE(FileNameOf(doc.WorkingFileName).starts_with("plate"));
    EXPECT_TRUE(doc.WorkingFileName.ends_with("Tmp.geo"));
    DecodedImage stored;
    ASSERT_TRUE(ReadGeo(doc.WorkingFileName, stored));
    EXPECT_EQ(stored.rows, doc.image.Rows);

    // Now a working image exists: the question comes, No ends the command.
    ui.answers = {MessageAnswer::No};
    EXPECT_FALSE(ConfirmNewImage(doc));
    EXPECT_EQ(ui.LastText(), "New image will replace the current image, continue?");
    EXPECT_EQ(ui.shown.back().style, MessageStyle::Question);
    // A second image replaces the first working file.
    const std::string first = doc.WorkingFileName;
    ASSERT_TRUE(ApplyNewImage(doc, {0.001, 0.002, 10000.0, 0}));
    EXPECT_FALSE(FileExists(first));
    EXPECT_TRUE(FileExists(doc.WorkingFileName));
    EXPECT_EQ(doc.image.ImageWidth, 10);
    EXPECT_EQ(doc.image.ImageHeight, 20);
}

TEST_F(ImageCommandsTest, TinySizesRoundUpToOnePixel) {
    ASSERT_TRUE(ApplyNewImage(doc, {0.00004, 0.02, 10000.0, 0}));  // 0.04 mm at 10 pixel/mm
    EXPECT_EQ(doc.image.ImageWidth, 1);
    EXPECT_EQ(doc.image.ImageHeight, 200);
    int pixels = -1;
    ASSERT_TRUE(PixelsForLength(0.000151, 10000.0, pixels));  // 1.51 pixels round to 2
    EXPECT_EQ(pixels, 2);
    ASSERT_TRUE(PixelsForLength(0.000149, 10000.0, pixels));
    EXPECT_EQ(pixels, 1);
}

TEST_F(ImageCommandsTest, ImpossibleImagesAreRefusedAndTheOldOneStays) {
    ASSERT_TRUE(ApplyNewImage(doc, {0.001, 0.001, 10000.0, 0}));
    const std::string working = doc.WorkingFileName;
    // The dialog allows 1e20 pixel/mm, far beyond any memory.
    EXPECT_FALSE(ApplyNewImage(doc, {0.02, 0.02, 1e23, 0}));
    EXPECT_NE(ui.LastText().find("too large"), std::string::npos);
    EXPECT_FALSE(ApplyNewImage(doc, {0.02, 0.02, 10000.0, 256}));
    EXPECT_EQ(ui.LastText(), "Please enter an integer between 0 and 255.");
    EXPECT_FALSE(ApplyNewImage(doc, {0.02, 0.02, 0.0, 0}));  // no pixels per metre: nothing happens
    EXPECT_EQ(doc.image.ImageWidth, 10);
    EXPECT_EQ(doc.WorkingFileName, working);
    EXPECT_TRUE(FileExists(working));
    // CreateImage itself refuses sizes and resolutions that are no image.
    EXPECT_FALSE(doc.CreateImage(0, 5, 300.0f, 300.0f, 0));
    EXPECT_FALSE(doc.CreateImage(5, 5, 0.0f, 300.0f, 0));
    EXPECT_EQ(doc.image.ImageWidth, 10);
}

TEST_F(ImageCommandsTest, SetResolutionKeepsPixelsAndChangesTheSize) {
    ASSERT_TRUE(ApplyNewImage(doc, {}));  // 200 x 200 at 10 pixel/mm
    doc.image.Rows[5][6] = 99;
    ASSERT_TRUE(doc.CommitWorkingFile());
    doc.DisplayCategory = "Sources";
    double pixelsPerMillimetre = 0.0;
    ASSERT_TRUE(BeginSetResolution(doc, pixelsPerMillimetre));
    EXPECT_DOUBLE_EQ(pixelsPerMillimetre, 10.0);
    EXPECT_EQ(doc.DisplayCategory, "");
    const std::string oldWorking = doc.WorkingFileName;
    doc.ImageFileName = "plate.pcx";
    doc.GeometryModified = false;
    ASSERT_TRUE(ApplySetResolution(doc, 20.0));
    EXPECT_EQ(doc.image.ImageWidth, 200);
    EXPECT_EQ(doc.image.ImageHeight, 200);
    EXPECT_EQ(doc.image.Rows[5][6], 99);
    EXPECT_EQ(doc.image.ResolutionX, 508.0f);
    EXPECT_EQ(doc.image.ResolutionY, 508.0f);
    EXPECT_EQ(doc.SizeText, "W=10.00(mm),H=10.00(mm)");
    EXPECT_EQ(doc.ImageFileName, "None");
    EXPECT_TRUE(doc.GeometryModified);
    EXPECT_FALSE(FileExists(oldWorking));
    DecodedImage stored;
    ASSERT_TRUE(ReadGeo(doc.WorkingFileName, stored));
    EXPECT_EQ(stored.resolutionY, 508.0f);
    EXPECT_EQ(stored.rows[5][6], 99);
}

TEST_F(ImageCommandsTest, SetResolutionNeedsAWorkingImage) {
    double value = -1.0;
    EXPECT_FALSE(BeginSetResolution(doc, value));
    EXPECT_EQ(ui.LastText(), kNoImageLoadedText);
    EXPECT_EQ(ui.shown.back().style, MessageStyle::Exclamation);
    EXPECT_EQ(value, -1.0);
}

TEST_F(ImageCommandsTest, PhysicalSizeAndFrames) {
    doc.image.ImageWidth = 101;
    doc.image.ImageHeight = 51;
    // A frame at a grid spacing of 0.1 mm: 0.0254 / 0.0001 dots per inch.
    doc.image.ResolutionX = doc.image.ResolutionY = 254.0f;
    doc.image.ShowsFrame = true;
    doc.UpdateSizeText();
    EXPECT_EQ(doc.SizeText, "W=10.00(mm),H=5.00(mm)");
    EXPECT_NEAR(doc.ImageWidthMeters(), 0.010, 1e-12);
    doc.image.ShowsFrame = false;
    doc.UpdateSizeText();
    EXPECT_EQ(doc.SizeText, "W=10.10(mm),H=5.10(mm)");
    // The axes have their own resolutions.
    doc.image.ResolutionY = 127.0f;
    EXPECT_NEAR(doc.ImageHeightMeters(), 51 * 0.0254 / 127.0, 1e-15);
}

TEST_F(ImageCommandsTest, PixelPerMillimetreConversions) {
    EXPECT_DOUBLE_EQ(PixelsPerMillimetre(254.0f), 10.0);
    EXPECT_EQ(ResolutionFromPixelsPerMillimetre(10.0), 254.0f);
    EXPECT_EQ(ResolutionFromPixelsPerMillimetre(20.0), 508.0f);
}

TEST(GeometryImageRowsTest, AllocateKeepsAnArrayOfTheSameSize) {
    ImageRows rows;
    ASSERT_TRUE(AllocateRows(rows, 3, 2));
    EXPECT_EQ(rows, (ImageRows{{0, 0, 0}, {0, 0, 0}}));
    rows[1][2] = 5;
    ASSERT_TRUE(AllocateRows(rows, 3, 2));
    EXPECT_EQ(rows[1][2], 5);  // reused as it is
    ASSERT_TRUE(AllocateRows(rows, 2, 3));
    EXPECT_EQ(rows, (ImageRows{{0, 0}, {0, 0}, {0, 0}}));
    EXPECT_FALSE(AllocateRows(rows, 0, 3));
    EXPECT_TRUE(rows.empty());
    EXPECT_FALSE(AllocateRows(rows, 65536, 65536));  // past the largest image
    EXPECT_FALSE(AllocateRows(rows, 5, -1));
    ASSERT_TRUE(AllocateRows(rows, 1, 1));
    FreeRows(rows);
    EXPECT_TRUE(rows.empty());
}

}  // namespace
}  // namespace elix
