// The commands that move the geometry between the document and files:
// Load Geometry, Save Geometry with its PCX/GEO choice, PCX and BMP export
// and import, and the geometry prompts of model saving.
#include <gtest/gtest.h>

#include <filesystem>

#include "geometry/bmp_file.h"
#include "geometry/display_bitmap.h"
#include "geometry/geometry_commands.h"
#include "geometry/pcx_codec.h"
#include "geometry/working_image.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::ReadFileText;
using test::ScriptedUserInterface;
using test::TempDir;
using Bytes = std::vector<std::uint8_t>;

struct GeometryFilesTest : ::testing::Test {
    TempDir dir;
    ScriptedUserInterface ui;
    CElixDoc doc;
    void SetUp() override {
        doc.SetUserInterface(&ui);
        doc.SetPathName(dir.Path("model.wmd"));
    }
    // A 200 x 100 image of gray 5 with a mark, at the given resolution,
    // with its working file.
    void MakeImage(float resolution) {
        ASSERT_TRUE(doc.CreateImage(200, 100, resolution, resolution, 5));
        doc.image.Rows[1][2] = 77;
        ASSERT_TRUE(doc.CommitWorkingFile());
        ui.shown.clear();
    }
    std::string WritePlate(const std::string& name, float resolution = 254.0f) {
        const ImageRows rows{{0, 0, 255}, {0, 9, 0}};
        const std::string path = dir.Path(name);
        EXPECT_TRUE(WritePcx(path, 3, 2, rows, resolution, resolution));
        return path;
    }
};

TEST_F(GeometryFilesTest, WholeDotsPerInchGoStraightToThePcxChooser) {
    MakeImage(254.0f);
    ui.files = {dir.Path("plate.pcx")};
    ASSERT_TRUE(SaveGeometryCommand(doc));
    EXPECT_TRUE(ui.formatTexts.empty());
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_EQ(ui.fileRequests[0].defaultExtension, "pcx");
    EXPECT_EQ(ui.fileRequests[0].filter, "PCX Files (*.pcx)|*.pcx|All Files (*.*)|*.*||");
    EXPECT_EQ(ui.fileRequests[0].startFolder, dir.Root() + "/");
    EXPECT_TRUE(ui.fileRequests[0].confirmOverwrite);
    EXPECT_EQ(doc.ImageFileName, dir.Path("plate.pcx"));
    EXPECT_FALSE(doc.GeometryModified);
    EXPECT_TRUE(doc.IsModified());
    DecodedImage stored;
    ASSERT_TRUE(ReadPcx(dir.Path("plate.pcx"), stored));
    EXPECT_EQ(stored.rows, doc.image.Rows);
    EXPECT_EQ(stored.rows[1][2], 77);
}

TEST_F(GeometryFilesTest, FractionalResolutionShowsTheWarning) {
    MakeImage(254.7f);
    // Cancel in the warning ends the command before any file chooser.
    EXPECT_FALSE(SaveGeometryCommand(doc));
    ASSERT_EQ(ui.formatTexts.size(), 1u);
    EXPECT_EQ(ui.formatTexts[0],
              "Saving in PCX format will lead to an overall object size of 19.92 (mm) x 9.96 (mm) with a resolution "
              "of 10.0394 pixel/mm and 0.1% maximum error in object size. Choose GEO format for higher accuracy!");
    EXPECT_TRUE(ui.fileRequests.empty());
    EXPECT_TRUE(doc.GeometryModified);
    // The rule: an error of at most 0.1 % saves as PCX without a question.
    EXPECT_TRUE(PcxResolutionWarning(10, 10, 254.25f, 254.25f).empty());  // 0.098 %
    EXPECT_FALSE(PcxResolutionWarning(10, 10, 254.0f, 254.26f).empty());  // the y axis counts too
}

TEST_F(GeometryFilesTest, TheNameDecidesTheFormatWritten) {
    MakeImage(254.7f);
    // "&PCX" chosen, but the name ends in ".geo": a GEO file, exact.
    ui.formatChoices = {ImageFormatChoice::Pcx};
    ui.files = {dir.Path("exact.geo")};
    ASSERT_TRUE(SaveGeometryCommand(doc));
    EXPECT_EQ(ui.fileRequests.back().defaultExtension, "pcx");
    DecodedImage stored;
    ASSERT_TRUE(ReadGeo(dir.Path("exact.geo"), stored));
    EXPECT_EQ(stored.resolutionY, 254.7f);
    EXPECT_EQ(doc.image.ResolutionX, 254.7f);
    // "&GEO" offers GEO names; a ".pcx" name stores 255 and the document
    // takes it.
    doc.GeometryModified = true;
    ui.formatChoices = {ImageFormatChoice::Geo};
    ui.files = {dir.Path("rounded.PCX")};
    ASSERT_TRUE(SaveGeometryCommand(doc));
    EXPECT_EQ(ui.fileRequests.back().defaultExtension, "geo");
    EXPECT_EQ(ui.fileRequests.back().filter, "GEO Files (*.geo)|*.geo|All Files (*.*)|*.*||");
    ASSERT_TRUE(ReadPcx(dir.Path("rounded.PCX"), stored));
    EXPECT_EQ(stored.resolutionY, 255.0f);
    EXPECT_EQ(doc.image.ResolutionX, 255.0f);
    EXPECT_EQ(doc.image.ResolutionY, 255.0f);
    EXPECT_FALSE(doc.GeometryModified);
}

TEST_F(GeometryFilesTest, SaveGeometryFailures) {
    // No working image.
    EXPECT_FALSE(SaveGeometryCommand(doc));
    EXPECT_EQ(ui.LastText(), kNoImageLoadedText);
    EXPECT_EQ(ui.shown.back().style, MessageStyle::Exclamation);
    MakeImage(254.0f);
    // The chooser cancelled.
    EXPECT_FALSE(SaveGeometryCommand(doc));
    EXPECT_TRUE(ui.shown.empty());
    // A file that cannot be written, or a name of neither format.
    for (const std::string& name : {dir.Path("no/folder/p.pcx"), dir.Path("picture.bmp")}) {
        ui.files = {name};
        EXPECT_FALSE(SaveGeometryCommand(doc));
        EXPECT_EQ(ui.LastText(), "Unable to save file '" + name + "'.");
        EXPECT_EQ(ui.shown.back().style, MessageStyle::Information);
    }
    EXPECT_TRUE(doc.GeometryModified);
    EXPECT_EQ(doc.ImageFileName, "None");
}

TEST_F(GeometryFilesTest, LoadGeometryMakesAWorkingCopyNextToTheFile) {
    MakeImage(254.0f);
    const std::string oldWorking = doc.WorkingFileName;
    const std::string plate = WritePlate("plate.pcx", 127.0f);
    doc.SetModifiedFlag(false);
    ui.files = {plate};
    ASSERT_TRUE(LoadGeometryCommand(doc));
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_EQ(ui.fileRequests[0].filter, "GEO or PCX Files (*.geo,*.pcx)|*.geo;*.pcx|All Files (*.*)|*.*||");
    EXPECT_EQ(ui.fileRequests[0].defaultExtension, "geo");
    EXPECT_TRUE(ui.fileRequests[0].fileMustExist);
    EXPECT_EQ(doc.ImageFileName, plate);
    EXPECT_FALSE(FileExists(oldWorking));
    EXPECT_EQ(DirectoryOf(doc.WorkingFileName), dir.Root() + "/");
    EXPECT_TRUE(FileNameOf(doc.WorkingFileName).starts_with("plate"));
    EXPECT_TRUE(doc.WorkingFileName.ends_with("Tmp.pcx"));
    EXPECT_EQ(ReadFileText(doc.WorkingFileName), ReadFileText(plate));
    EXPECT_EQ(doc.image.ImageWidth, 3);
    EXPECT_EQ(doc.image.Rows[1][1], 9);
    EXPECT_EQ(doc.SizeText, "W=0.60(mm),H=0.40(mm)");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.GeometryModified);
    // Closing the document removes the working copy, never the user's file.
    const std::string working = doc.WorkingFileName;
    doc.DeleteWorkingFile();
    EXPECT_FALSE(FileExists(working));
    EXPECT_TRUE(FileExists(plate));
}

TEST_F(GeometryFilesTest, LoadGeometryFailureLeavesNoNames) {
    MakeImage(254.0f);
    const std::string oldWorking = doc.WorkingFileName;
    const std::string bad = dir.Write("broken.pcx", "not a picture");
    ui.files = {bad};
    EXPECT_FALSE(LoadGeometryCommand(doc));
    EXPECT_EQ(ui.LastText(), "Unable to open file '" + bad +
                                 "'. Please use 'Load Geometry' command under Elix -> Geometry menu to load an image.");
    EXPECT_EQ(ui.shown.back().style, MessageStyle::Exclamation);
    EXPECT_EQ(doc.ImageFileName, "None");
    EXPECT_EQ(doc.WorkingFileName, "None");
    EXPECT_FALSE(FileExists(oldWorking));
    EXPECT_TRUE(FileExists(bad));  // the user's file is never deleted
    // A name too long for one more suffix: the copy cannot be made.
    Bytes bytes;
    ASSERT_TRUE(EncodeImage(ImageFileFormat::Pcx, 1, 1, ImageRows{{3}}, 254.0f, 254.0f, bytes));
    const std::string longName = dir.Write(std::string(250, 'p') + ".pcx", std::string(bytes.begin(), bytes.end()));
    EXPECT_FALSE(LoadGeometryFromFile(doc, longName));
    EXPECT_EQ(ui.LastText().rfind("Unable to create a working file '", 0), 0u) << ui.LastText();
    EXPECT_EQ(doc.ImageFileName, "None");
    EXPECT_EQ(doc.WorkingFileName, "None");
}

TEST_F(GeometryFilesTest, PcxExportStoresWhatTheRowsHold) {
    MakeImage(254.7f);
    doc.image.ShowsFrame = true;  // a wavefield frame is exported the same way
    doc.SetModifiedFlag(false);
    ui.files = {dir.Path("frame.pcx")};
    ASSERT_TRUE(PcxExportCommand(doc));
    EXPECT_EQ(ui.fileRequests[0].defaultExtension, "pcx");
    EXPECT_TRUE(ui.fileRequests[0].confirmOverwrite);
    DecodedImage stored;
    ASSERT_TRUE(ReadPcx(dir.Path("frame.pcx"), stored));
    EXPECT_EQ(stored.rows, doc.image.Rows);
    EXPECT_EQ(stored.resolutionY, 255.0f);
    // Nothing in the document changes.
    EXPECT_EQ(doc.image.ResolutionX, 254.7f);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.ImageFileName, "None");
    ui.files = {dir.Path("no/folder/frame.pcx")};
    EXPECT_FALSE(PcxExportCommand(doc));
    EXPECT_EQ(ui.LastText(), "Unable to save file '" + dir.Path("no/folder/frame.pcx") + "'.");
}

TEST_F(GeometryFilesTest, PcxImportReadsWithoutAWorkingCopy) {
    const std::string plate = WritePlate("import.pcx", 200.0f);
    ui.files = {plate};
    ASSERT_TRUE(PcxImportCommand(doc));
    EXPECT_EQ(doc.image.ImageWidth, 3);
    EXPECT_EQ(doc.image.ResolutionX, 200.0f);
    EXPECT_EQ(doc.ImageFileName, plate);
    EXPECT_EQ(doc.WorkingFileName, "None");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.image.displayBitmap.empty());
    ui.files = {dir.Write("bad.pcx", "xx")};
    EXPECT_FALSE(PcxImportCommand(doc));
    EXPECT_EQ(ui.LastText(), "Unable to load '" + dir.Path("bad.pcx") + "'.");
    EXPECT_FALSE(doc.image.HasRows());
}

TEST_F(GeometryFilesTest, BmpExportAndImportOfTheDisplay) {
    MakeImage(254.0f);
    doc.image.Rows[0][0] = 200;
    ASSERT_TRUE(doc.RebuildDisplayBitmap());
    ui.files = {dir.Path("view.bmp")};
    ASSERT_TRUE(BmpExportCommand(doc));
    EXPECT_EQ(ui.fileRequests[0].filter, "Bitmap Files (*.bmp)|*.bmp|All Files (*.*)|*.*||");
    const std::string text = ReadFileText(dir.Path("view.bmp"));
    const Bytes file(text.begin(), text.end());
    ASSERT_EQ(file.size(), 14 + doc.image.displayBitmap.size());
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(file[2] | (file[3] << 8) | (file[4] << 16), static_cast<int>(file.size()));
    EXPECT_EQ(file[6] | file[7] | file[8] | file[9], 0);
    EXPECT_EQ(file[10] | (file[11] << 8), 1078);  // 14 + 40 + 256 x 4
    EXPECT_TRUE(std::equal(doc.image.displayBitmap.begin(), doc.image.displayBitmap.end(), file.begin() + 14));
    // The top-left pixel is in the last stored row.
    EXPECT_EQ(file[1078 + 200 * 99], 200);

    // Import into another document: the display only. The model keeps its
    // path (a Save must not write over the bitmap) and its modified mark.
    CElixDoc other;
    other.SetUserInterface(&ui);
    other.SetPathName(dir.Path("model.wmd"));
    other.SetModifiedFlag(true);
    ASSERT_TRUE(ImportBmpFile(other, dir.Path("view.bmp")));
    EXPECT_EQ(other.image.displayBitmap, doc.image.displayBitmap);
    EXPECT_FALSE(other.image.HasRows());
    EXPECT_EQ(other.PathName(), dir.Path("model.wmd"));
    EXPECT_TRUE(other.IsModified());

    EXPECT_FALSE(ImportBmpFile(other, dir.Path("none.bmp")));
    EXPECT_EQ(ui.LastText(), "Failed to open document.");
    EXPECT_FALSE(ImportBmpFile(other, dir.Write("text.bmp", "BM not really")));
    EXPECT_EQ(ui.LastText(), "Couldn't load DIB");
    EXPECT_EQ(other.image.displayBitmap, doc.image.displayBitmap);  // unchanged
    EXPECT_FALSE(ExportBmpFile(doc, dir.Path("no/folder/v.bmp")));
    EXPECT_EQ(ui.LastText(), "Invalid filename.");
    EXPECT_FALSE(ExportBmpFile(doc, dir.Root()));
    EXPECT_EQ(ui.LastText(), "Invalid filename.");
}

// A bitmap file written by another program: 40-byte header, colours,
// pixels at the offset the header names.
Bytes ForeignBmp(int width, int height, int bitCount, const std::vector<std::array<std::uint8_t, 3>>& colours,
                 const Bytes& pixels) {
    Bytes b{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0};
    auto put32 = [&b](std::uint32_t v) {
        for (int k = 0; k < 4; ++k) b.push_back(static_cast<std::uint8_t>(v >> (8 * k)));
    };
    auto put16 = [&b](unsigned v) {
        b.push_back(static_cast<std::uint8_t>(v));
        b.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    put32(static_cast<std::uint32_t>(14 + 40 + 4 * colours.size()));
    put32(40);
    put32(static_cast<std::uint32_t>(width));
    put32(static_cast<std::uint32_t>(height));
    put16(1);
    put16(static_cast<unsigned>(bitCount));
    put32(0);
    put32(0);
    put32(2835);
    put32(2835);
    put32(static_cast<std::uint32_t>(colours.size()));
    put32(0);
    for (const auto& c : colours) {
        b.push_back(c[2]);
        b.push_back(c[1]);
        b.push_back(c[0]);
        b.push_back(0);
    }
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

TEST(BmpFileTest, ForeignBitmapsBecomeDisplayBlocks) {
    Bytes block;
    // 1 bit, 3 x 2, bottom-up: rows "1 0 1" (bottom) and "0 1 1" (top).
    ASSERT_TRUE(
        DecodeBmp(ForeignBmp(3, 2, 1, {{0, 0, 0}, {255, 255, 255}}, Bytes{0xA0, 0, 0, 0, 0x60, 0, 0, 0}), block));
    DibInfo info;
    ASSERT_TRUE(ReadDibInfo(block, info));
    EXPECT_EQ(info.width, 3);
    EXPECT_EQ(info.height, 2);
    EXPECT_EQ(info.bitCount, 8);
    EXPECT_EQ(Bytes(block.begin() + kDibPixelOffset, block.end()), (Bytes{1, 0, 1, 0, 0, 1, 1, 0}));
    EXPECT_EQ(block[kDibHeaderSize + 4 + 2], 255);  // entry 1 red
    EXPECT_EQ(block[kDibHeaderSize + 8 + 2], 0);    // unused entries are black
    // 4 bits, top-down (negative height): turned over into bottom-up.
    ASSERT_TRUE(
        DecodeBmp(ForeignBmp(2, -2, 4, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, Bytes{0x12, 0, 0, 0, 0x20, 0, 0, 0}), block));
    EXPECT_EQ(Bytes(block.begin() + kDibPixelOffset, block.end()), (Bytes{2, 0, 0, 0, 1, 2, 0, 0}));
    // Refused: compression, 24 bits, more colours than the bit count holds,
    // pixels past the end of the file, no pixels, a core header.
    Bytes compressed = ForeignBmp(1, 1, 8, {{0, 0, 0}}, Bytes{0, 0, 0, 0});
    compressed[30] = 1;
    EXPECT_FALSE(DecodeBmp(compressed, block));
    EXPECT_TRUE(block.empty());
    EXPECT_FALSE(DecodeBmp(ForeignBmp(1, 1, 24, {}, Bytes{0, 0, 0, 0}), block));
    EXPECT_FALSE(DecodeBmp(ForeignBmp(1, 1, 1, {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}, Bytes{0, 0, 0, 0}), block));
    EXPECT_FALSE(DecodeBmp(ForeignBmp(4, 2, 8, {{0, 0, 0}}, Bytes{0, 0, 0, 0}), block));
    EXPECT_FALSE(DecodeBmp(ForeignBmp(0, 1, 8, {{0, 0, 0}}, Bytes{}), block));
    Bytes core = ForeignBmp(1, 1, 8, {{0, 0, 0}}, Bytes{0, 0, 0, 0});
    core[14] = 12;
    EXPECT_FALSE(DecodeBmp(core, block));
    EXPECT_FALSE(DecodeBmp(Bytes{'B', 'M'}, block));
}

// --- the geometry prompts of model saving -----------------------------------

struct SavePromptsTest : GeometryFilesTest {
    std::string plate;
    void SetUp() override {
        GeometryFilesTest::SetUp();
        plate = WritePlate("plate.pcx");
        ASSERT_TRUE(LoadGeometryFromFile(doc, plate));
        // An edit in the working copy that the geometry file lacks.
        doc.image.Rows[0][0] = 42;
        ASSERT_TRUE(doc.CommitWorkingFile());
        ASSERT_TRUE(doc.GeometryModified);
        ui.shown.clear();
    }
    static constexpr const char* kReplace =
        "Current geometry has not been saved. Do you want to replace the geometry file? (To save a new geometry "
        "file, click No.)";
    static constexpr const char* kSaveNew =
        "Current geometry has not been saved. Do you want to save the geometry to a file?";
    static constexpr const char* kAgain = "Geometry is not saved. Try to save again?";
};

TEST_F(SavePromptsTest, YesReplacesTheGeometryFile) {
    ASSERT_TRUE(doc.WriteModel(dir.Path("model.wmd")));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, kReplace);
    EXPECT_EQ(ui.shown[0].style, MessageStyle::Question);
    EXPECT_FALSE(doc.GeometryModified);
    DecodedImage stored;
    ASSERT_TRUE(ReadPcx(plate, stored));
    EXPECT_EQ(stored.rows[0][0], 42);
    // Nothing is asked while the geometry is saved.
    ASSERT_TRUE(doc.WriteModel(dir.Path("model.wmd")));
    EXPECT_EQ(ui.shown.size(), 1u);
}

TEST_F(SavePromptsTest, NoThenNoKeepsTheOldGeometryName) {
    ui.answers = {MessageAnswer::No, MessageAnswer::No};
    const std::string before = ReadFileText(plate);
    ASSERT_TRUE(doc.WriteModel(dir.Path("model.wmd")));
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[1].text, kSaveNew);
    EXPECT_TRUE(doc.GeometryModified);
    EXPECT_EQ(ReadFileText(plate), before);
    EXPECT_NE(ReadFileText(dir.Path("model.wmd")).find("ImageFileName " + plate + "\n"), std::string::npos);
}

TEST_F(SavePromptsTest, NoThenYesSavesANewGeometryFileAndCopiesItAgain) {
    ui.answers = {MessageAnswer::No, MessageAnswer::Yes};
    ui.files = {dir.Path("new.pcx")};
    const std::string oldWorking = doc.WorkingFileName;
    ASSERT_TRUE(doc.WriteModel(dir.Path("model.wmd")));
    EXPECT_FALSE(doc.GeometryModified);
    EXPECT_EQ(doc.ImageFileName, dir.Path("new.pcx"));
    // A PCX geometry gets a fresh working copy of itself.
    EXPECT_FALSE(FileExists(oldWorking));
    EXPECT_TRUE(FileNameOf(doc.WorkingFileName).starts_with("new"));
    EXPECT_EQ(ReadFileText(doc.WorkingFileName), ReadFileText(dir.Path("new.pcx")));
    EXPECT_NE(ReadFileText(dir.Path("model.wmd")).find("ImageFileName " + dir.Path("new.pcx") + "\n"),
              std::string::npos);
}

TEST_F(SavePromptsTest, FailuresOfferToTryAgain) {
    // The geometry file's folder is gone: replacing fails.
    doc.ImageFileName = dir.Path("gone/plate.pcx");
    ui.answers = {MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::No};
    ASSERT_TRUE(doc.WriteModel(dir.Path("model.wmd")));
    std::vector<std::string> texts;
    for (const auto& shown : ui.shown) texts.push_back(shown.text);
    const std::string unable = "Unable to replace file '" + dir.Path("gone/plate.pcx") + "'.";
    // Yes (replace) fails -> try again? Yes -> replace? No -> save a new
    // one? Yes, but the chooser is cancelled -> try again? No.
    EXPECT_EQ(texts, (std::vector<std::string>{kReplace, unable, kAgain, kReplace, kSaveNew, kAgain}));
    EXPECT_EQ(ui.shown[1].style, MessageStyle::Information);
    EXPECT_TRUE(doc.GeometryModified);
    EXPECT_TRUE(FileExists(dir.Path("model.wmd")));  // the model is saved all the same
}

TEST_F(SavePromptsTest, UnattendedFailuresDoNotRepeatForEver) {
    std::ostringstream log;
    doc.SetBatchLog(&log);
    doc.ImageFileName = dir.Path("gone/plate.pcx");
    ASSERT_TRUE(doc.WriteModel(dir.Path("model.wmd")));
    EXPECT_NE(log.str().find("Unable to replace file"), std::string::npos);
    EXPECT_TRUE(doc.GeometryModified);
    doc.SetBatchLog(nullptr);
    // A user interface that answers every question Yes stops too.
    ui.shown.clear();
    ASSERT_TRUE(doc.WriteModel(dir.Path("model.wmd")));
    EXPECT_LE(ui.shown.size(), 40u);
}

}  // namespace
}  // namespace elix
