// Working files: suffixes and names, copies, reloading the working image
// and restoring the items, source wedges and vacuum backings with it.
#include "geometry/working_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "geometry/pcx_codec.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "platform/text_format.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::ReadFileText;
using test::ScriptedUserInterface;
using test::TempDir;

TEST(WorkingFileNameTest, SuffixCounterWrapsAfter9999) {
    WorkingFileCounter counter;
    EXPECT_EQ(counter.Next(), "0000Tmp");
    EXPECT_EQ(counter.Next(), "0001Tmp");
    for (int k = 2; k < 9999; ++k) counter.Next();
    EXPECT_EQ(counter.Next(), "9999Tmp");  // the 10,000th request
    EXPECT_EQ(counter.Next(), "0000Tmp");
    EXPECT_EQ(WorkingFileCounter(42).Next(), "0042Tmp");
}

TEST(WorkingFileNameTest, CopyNamesKeepFolderAndEnding) {
    EXPECT_EQ(WorkingCopyName("plate.pcx", "0000Tmp"), "plate0000Tmp.pcx");
    EXPECT_EQ(WorkingCopyName("/d/x.y/plate.GEO", "0012Tmp"), "/d/x.y/plate0012Tmp.GEO");
    EXPECT_EQ(WorkingCopyName("a.b.pcx", "0001Tmp"), "a.b0001Tmp.pcx");
    // A dot in a folder is not the file's extension: the whole path, the
    // suffix, the last four characters.
    EXPECT_EQ(WorkingCopyName("/d/x.y/platepcx", "0002Tmp"), "/d/x.y/platepcx0002Tmpepcx");
}

struct WorkingImageTest : ::testing::Test {
    TempDir dir;
    ScriptedUserInterface ui;
    CElixDoc doc;
    void SetUp() override {
        doc.SetUserInterface(&ui);
        doc.SetPathName(dir.Path("m.wmd"));
    }
    // A width x height image of gray at 10 pixel/mm, written as the
    // document's working file.
    void MakeWorkingImage(int width, int height, std::uint8_t gray = 0) {
        ImageRows rows(static_cast<std::size_t>(height),
                       std::vector<std::uint8_t>(static_cast<std::size_t>(width), gray));
        const std::string path = dir.Path("work.pcx");
        ASSERT_TRUE(WritePcx(path, width, height, rows, 254.0f, 254.0f));
        doc.WorkingFileName = path;
    }
    CSource Source(const std::string& name, float x1, float y1, float x2, float y2) {
        CSource s;
        s.name = name;
        s.x1 = x1;
        s.y1 = y1;
        s.x2 = x2;
        s.y2 = y2;
        return s;
    }
};

TEST_F(WorkingImageTest, CopiesSkipNamesThatExist) {
    const std::string plate = dir.Write("plate.pcx", "the geometry");
    std::string first, second;
    ASSERT_TRUE(CreateWorkingCopy(plate, first));
    ASSERT_TRUE(CreateWorkingCopy(plate, second));
    EXPECT_NE(first, second);
    EXPECT_TRUE(first.starts_with(dir.Path("plate")));
    EXPECT_TRUE(first.ends_with("Tmp.pcx"));
    EXPECT_EQ(ReadFileText(first), "the geometry");
    EXPECT_EQ(ReadFileText(second), "the geometry");
    // A user's file that has the name the counter would give next is left
    // alone: the name after it is used.
    const std::string suffixOfSecond = second.substr(dir.Path("plate").size(), 4);
    const int next = (std::stoi(suffixOfSecond) + 1) % 10000;
    const std::string taken = WorkingCopyName(plate, Format("%04dTmp", next));
    dir.Write(FileNameOf(taken), "user data");
    std::string third;
    ASSERT_TRUE(CreateWorkingCopy(plate, third));
    EXPECT_NE(third, taken);
    EXPECT_EQ(ReadFileText(taken), "user data");
    // A missing geometry file leaves no working file behind.
    std::string none;
    EXPECT_FALSE(CreateWorkingCopy(dir.Path("missing.pcx"), none));
    EXPECT_FALSE(FileExists(none));
}

TEST_F(WorkingImageTest, CopyImageFileCopiesEveryByte) {
    std::string content;
    for (int k = 0; k < 3000; ++k) content += static_cast<char>(k * 7);  // several 1024-byte blocks
    const std::string source = dir.Write("s.pcx", content);
    ASSERT_TRUE(CopyImageFile(source, dir.Path("d.pcx")));
    EXPECT_EQ(ReadFileText(dir.Path("d.pcx")), content);
    EXPECT_FALSE(CopyImageFile(dir.Path("none.pcx"), dir.Path("e.pcx")));
    EXPECT_FALSE(FileExists(dir.Path("e.pcx")));
    EXPECT_FALSE(CopyImageFile(source, dir.Path("no/folder/d.pcx")));
}

TEST_F(WorkingImageTest, ReloadFailuresHaveTheirMessages) {
    doc.image.Rows = {{1}};
    doc.image.ImageWidth = doc.image.ImageHeight = 1;
    EXPECT_FALSE(doc.LoadWorkingImage(false, nullptr));
    EXPECT_EQ(doc.MessageText(),
              "No Image Loaded! Please use 'Load Geometry' command under Elix -> Geometry menu to load an image or use "
              "'Create Image' command under Elix -> Geometry menu to create a new one.");
    EXPECT_TRUE(doc.image.HasRows());  // rows unchanged

    doc.WorkingFileName = dir.Write("work.bmp", "BM");
    EXPECT_FALSE(doc.LoadWorkingImage(false, nullptr));
    EXPECT_EQ(doc.MessageText(), "The image must be of PCX or GEO format.");
    EXPECT_FALSE(doc.image.HasRows());  // rows freed
    EXPECT_EQ(doc.image.ImageWidth, 0);

    doc.WorkingFileName = dir.Write("work.geo", "not an image");
    EXPECT_FALSE(doc.LoadWorkingImage(false, nullptr));
    EXPECT_EQ(doc.MessageText(), "Unable to open file '" + doc.WorkingFileName +
                                     "'. Please use 'Load Geometry' command under Elix -> Geometry menu to load an "
                                     "image.");
    EXPECT_FALSE(doc.image.HasRows());
}

TEST_F(WorkingImageTest, ReloadClearsTheFrameAndTakesTheFileResolution) {
    MakeWorkingImage(30, 20, 3);
    doc.image.ShowsFrame = true;
    doc.image.ResolutionX = 1.0f;
    ASSERT_TRUE(doc.LoadWorkingImage(false, nullptr));
    EXPECT_FALSE(doc.image.ShowsFrame);
    EXPECT_EQ(doc.image.ImageWidth, 30);
    EXPECT_EQ(doc.image.ImageHeight, 20);
    EXPECT_EQ(doc.image.ResolutionX, 254.0f);
    EXPECT_EQ(doc.image.Rows[19][29], 3);
    EXPECT_EQ(doc.image.displayBitmap.size(), 32u * 20u + 1064u);
}

TEST_F(WorkingImageTest, RestoringMovesItemsBackByTheOriginOffset) {
    MakeWorkingImage(30, 20);
    ASSERT_TRUE(doc.AddItem(Source("S", 0.002f, 0.001f, 0.003f, 0.001f)));
    CReceiver r;
    r.name = "R";
    r.x1 = 0.004f;
    ASSERT_TRUE(doc.AddItem(r));
    doc.originOffsetX = 0.001f;
    doc.originOffsetY = -0.0005f;
    // Without restoring, nothing moves.
    ASSERT_TRUE(doc.LoadWorkingImage(false, nullptr));
    EXPECT_EQ(doc.Sources()[0].x1, 0.002f);
    ASSERT_TRUE(doc.LoadWorkingImage(true, nullptr));
    EXPECT_FLOAT_EQ(doc.Sources()[0].x1, 0.001f);
    EXPECT_FLOAT_EQ(doc.Sources()[0].y1, 0.0015f);
    EXPECT_FLOAT_EQ(doc.Receivers()[0].x1, 0.003f);
    EXPECT_EQ(doc.originOffsetX, 0.0f);
    EXPECT_EQ(doc.originOffsetY, 0.0f);
}

TEST_F(WorkingImageTest, EverySourceWedgeIsAddedAgain) {
    MakeWorkingImage(30, 20);
    CSource left = Source("Left", 0.0f, 0.0005f, 0.0f, 0.0015f);
    left.wedge = 1;
    left.wedgeLocation = "Left";
    left.wedgeSize = 0.002f;
    left.wedgeAngle = 45.0f;
    left.wedgeGrayLevel = 64;
    CSource plain = Source("Plain", 0.001f, 0.001f, 0.002f, 0.001f);
    CSource top = Source("Top", 0.001f, 0.0f, 0.002f, 0.0f);
    top.wedge = 1;
    top.wedgeLocation = "Top";
    top.wedgeSize = 0.001f;
    top.wedgeAngle = 45.0f;
    ASSERT_TRUE(doc.AddItem(left));
    ASSERT_TRUE(doc.AddItem(plain));  // its wedge is off: the walk goes on past it
    ASSERT_TRUE(doc.AddItem(top));
    ASSERT_TRUE(doc.LoadWorkingImage(true, nullptr));
    // 2 mm at 45 degrees is 20 columns; 1 mm is 10 rows.
    EXPECT_EQ(doc.image.ImageWidth, 50);
    EXPECT_EQ(doc.image.ImageHeight, 30);
    // The items moved with the origin; the offset remembers by how much.
    EXPECT_FLOAT_EQ(doc.originOffsetX, 0.002f);
    EXPECT_FLOAT_EQ(doc.originOffsetY, 0.001f);
    EXPECT_FLOAT_EQ(doc.Sources()[1].x1, 0.003f);
    EXPECT_FLOAT_EQ(doc.Sources()[1].y1, 0.002f);
    // Reloading again starts from the file: the same size, not larger.
    ASSERT_TRUE(doc.LoadWorkingImage(true, nullptr));
    EXPECT_EQ(doc.image.ImageWidth, 50);
    EXPECT_FLOAT_EQ(doc.Sources()[1].x1, 0.003f);
}

TEST_F(WorkingImageTest, TheEditedSourceStandsInForTheListedOne) {
    MakeWorkingImage(30, 20);
    ASSERT_TRUE(doc.AddItem(Source("S", 0.0f, 0.0005f, 0.0f, 0.0015f)));
    CSource edited = doc.Sources()[0];
    edited.wedge = 1;
    edited.wedgeLocation = "Right";
    edited.wedgeSize = 0.001f;
    edited.wedgeAngle = 45.0f;
    ASSERT_TRUE(doc.LoadWorkingImage(true, &edited));
    EXPECT_EQ(doc.image.ImageWidth, 40);
    // A record of another name stands in for nothing.
    edited.name = "Other";
    ASSERT_TRUE(doc.LoadWorkingImage(true, &edited));
    EXPECT_EQ(doc.image.ImageWidth, 30);
}

TEST_F(WorkingImageTest, VacuumBackingCutsFourLinesBehindTheSource) {
    MakeWorkingImage(20, 20);
    // Along x at row 10 from column 5 to 15: the unit normal (dy, -dx) / L
    // points up, so "behind" is rows 11 to 14.
    CSource s = Source("Backed", 0.0005f, 0.001f, 0.0015f, 0.001f);
    s.voidBacking = 1;
    CSource zero = Source("Zero", 0.001f, 0.001f, 0.001f, 0.001f);
    zero.voidBacking = 1;
    ASSERT_TRUE(doc.AddItem(zero));  // too small: a message, and the walk goes on
    ASSERT_TRUE(doc.AddItem(s));
    ASSERT_TRUE(doc.LoadWorkingImage(true, nullptr));
    EXPECT_EQ(doc.MessageText(), "The size of Source 'Zero' is too small.");
    const auto& rows = doc.image.Rows;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool behind = y >= 11 && y <= 14 && x >= 5 && x <= 15;
            ASSERT_EQ(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)], behind ? 255 : 0)
                << x << "," << y;
        }
    // The display shows the cut.
    EXPECT_EQ(doc.image.displayBitmap[1064 + 20 * (19 - 12) + 10], 255);
    // A source on the top edge, facing into the image: its backing lies
    // outside, and the image keeps its top row.
    MakeWorkingImage(20, 20);
    doc.Sources()[1] = Source("Backed", 0.0015f, 0.0f, 0.0005f, 0.0f);
    doc.Sources()[1].voidBacking = 1;
    ASSERT_TRUE(doc.LoadWorkingImage(true, nullptr));
    for (const auto& row : doc.image.Rows)
        for (auto pixel : row) ASSERT_EQ(pixel, 0);
}

TEST_F(WorkingImageTest, TheWorkingFileGoesWithTheDocument) {
    const std::string working = dir.Write("w0000Tmp.pcx", "x");
    {
        CElixDoc other;
        other.WorkingFileName = working;
    }
    EXPECT_FALSE(FileExists(working));
    doc.WorkingFileName = dir.Write("w0001Tmp.pcx", "x");
    doc.image.Rows = {{1}};
    doc.DeleteContents();
    EXPECT_FALSE(FileExists(dir.Path("w0001Tmp.pcx")));
    EXPECT_EQ(doc.WorkingFileName, "None");
    EXPECT_FALSE(doc.image.HasRows());
    EXPECT_EQ(doc.image.ResolutionX, 300.0f);
    doc.DeleteWorkingFile();  // nothing to delete: no effect
    EXPECT_EQ(doc.WorkingFileName, "None");
}

TEST_F(WorkingImageTest, WriteImageFileFollowsTheEnding) {
    MakeWorkingImage(4, 4);
    ASSERT_TRUE(doc.LoadWorkingImage(false, nullptr));
    doc.image.ResolutionX = doc.image.ResolutionY = 254.7f;
    ASSERT_TRUE(doc.WriteImageFile(dir.Path("exact.GEO")));
    EXPECT_EQ(doc.image.ResolutionY, 254.7f);
    DecodedImage stored;
    ASSERT_TRUE(ReadGeo(dir.Path("exact.GEO"), stored));
    EXPECT_EQ(stored.resolutionY, 254.7f);
    ASSERT_TRUE(doc.WriteImageFile(dir.Path("rounded.pcx")));
    EXPECT_EQ(doc.image.ResolutionX, 255.0f);  // the document matches its file
    EXPECT_EQ(doc.image.ResolutionY, 255.0f);
    EXPECT_FALSE(doc.WriteImageFile(dir.Path("picture.bmp")));
    EXPECT_FALSE(FileExists(dir.Path("picture.bmp")));
}

}  // namespace
}  // namespace elix
