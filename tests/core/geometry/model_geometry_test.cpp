// The geometry of a model file: where a named geometry is found, its
// working copy, the size text and the comment shown on opening.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "geometry/pcx_codec.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::ReadFileText;
using test::ScriptedUserInterface;
using test::TempDir;

// Runs a test from another current folder and goes back afterwards.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder) : m_old(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() { std::filesystem::current_path(m_old); }

private:
    std::filesystem::path m_old;
};

std::string Model(const std::string& imageFileName, const std::string& comment = "") {
    return "<<ElastrixModel>>\n<Version> 2.42\n<Comment>\n" + comment + "\n<EndComment>\n<Geometry>\nFormat 1\n" +
           "ImageFileName " + imageFileName + "\n<EndGeometry>\n<<EndElastrixModel>>\n";
}

struct ModelGeometryTest : ::testing::Test {
    TempDir modelDir;
    TempDir elsewhere;
    ScriptedUserInterface ui;
    CElixDoc doc;
    void SetUp() override { doc.SetUserInterface(&ui); }
    std::string WritePlate(const std::string& path) {
        const ImageRows rows(40, std::vector<std::uint8_t>(60, 0));
        EXPECT_TRUE(WritePcx(path, 60, 40, rows, 254.0f, 254.0f));
        return path;
    }
    // Files in the model folder other than the ones named.
    int FilesIn(const std::string& folder) {
        int n = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++n;
        return n;
    }
};

TEST_F(ModelGeometryTest, NameWithoutFolderIsFoundBesideTheModel) {
    const std::string plate = WritePlate(modelDir.Path("plate.pcx"));
    const std::string model = modelDir.Write("m.wmd", Model("plate.pcx"));
    // A plate.pcx in the current folder must not be taken instead.
    WritePlate(elsewhere.Path("plate.pcx"));
    CurrentFolder inside(elsewhere.Root());
    int redraws = 0;
    doc.AddViewObserver([&redraws](char) { ++redraws; });
    ASSERT_TRUE(doc.ReadModel(model)) << doc.MessageText();
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(doc.ImageFileName, "plate.pcx");
    EXPECT_EQ(doc.image.ImageWidth, 60);
    EXPECT_EQ(doc.SizeText, "W=6.00(mm),H=4.00(mm)");
    EXPECT_GE(redraws, 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.GeometryModified);
    // The working copy lies next to the geometry file, named plateNNNNTmp.pcx.
    EXPECT_EQ(DirectoryOf(doc.WorkingFileName), modelDir.Root() + "/");
    const std::string name = FileNameOf(doc.WorkingFileName);
    ASSERT_EQ(name.size(), std::string("plate0000Tmp.pcx").size());
    EXPECT_TRUE(name.starts_with("plate"));
    EXPECT_TRUE(name.ends_with("Tmp.pcx"));
    EXPECT_EQ(ReadFileText(doc.WorkingFileName), ReadFileText(plate));
    EXPECT_EQ(FilesIn(elsewhere.Root()), 1);
    // DeleteWorkingFile removes it, and only it.
    const std::string working = doc.WorkingFileName;
    doc.DeleteWorkingFile();
    EXPECT_FALSE(FileExists(working));
    EXPECT_TRUE(FileExists(plate));
    EXPECT_EQ(doc.WorkingFileName, "None");
}

TEST_F(ModelGeometryTest, BackslashesAndAbsoluteNames) {
    std::filesystem::create_directory(modelDir.Path("shapes"));
    WritePlate(modelDir.Path("shapes/plate.pcx"));
    ASSERT_TRUE(doc.ReadModel(modelDir.Write("m.wmd", Model("shapes\\plate.pcx"))));
    EXPECT_EQ(doc.image.ImageWidth, 60);
    EXPECT_EQ(DirectoryOf(doc.WorkingFileName), modelDir.Root() + "/shapes/");
    const std::string absolute = WritePlate(elsewhere.Path("abs.pcx"));
    ASSERT_TRUE(doc.ReadModel(modelDir.Write("a.wmd", Model(absolute))));
    EXPECT_EQ(DirectoryOf(doc.WorkingFileName), elsewhere.Root() + "/");
    // Opening another model deleted the first working copy.
    EXPECT_EQ(FilesIn(modelDir.Path("shapes")), 1);
}

TEST_F(ModelGeometryTest, AMissingGeometryOpensTheModelWithoutImage) {
    ASSERT_TRUE(doc.ReadModel(modelDir.Write("m.wmd", Model("gone.pcx"))));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Unable to open file '" + modelDir.Path("gone.pcx") +
                                    "'. Please use 'Load Geometry' command under Elix -> Geometry menu to load an "
                                    "image.");
    EXPECT_EQ(ui.shown[0].style, MessageStyle::Exclamation);
    EXPECT_EQ(doc.WorkingFileName, "None");
    EXPECT_FALSE(doc.image.HasRows());
    // The model still names its geometry, so saving it keeps the name.
    EXPECT_EQ(doc.ImageFileName, "gone.pcx");
    // A geometry of another format is refused the same way.
    modelDir.Write("plate.bmp", "BM");
    ASSERT_TRUE(doc.ReadModel(modelDir.Write("b.wmd", Model("plate.bmp"))));
    EXPECT_EQ(ui.LastText(), "The image must be of PCX or GEO format.");
    // A model without geometry opens silently.
    ui.shown.clear();
    ASSERT_TRUE(doc.ReadModel(modelDir.Write("n.wmd", Model("None"))));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(ModelGeometryTest, AWorkingCopyThatCannotBeMadeFailsTheRead) {
    // A geometry name so long that no suffix fits into a file name.
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(EncodeImage(ImageFileFormat::Pcx, 1, 1, ImageRows{{0}}, 300.0f, 300.0f, bytes));
    const std::string name = std::string(250, 'g') + ".pcx";
    modelDir.Write(name, std::string(bytes.begin(), bytes.end()));
    EXPECT_FALSE(doc.ReadModel(modelDir.Write("m.wmd", Model(name))));
    EXPECT_EQ(doc.MessageText().rfind("Unable to create a working file '" + modelDir.Path(std::string(250, 'g')), 0),
              0u)
        << doc.MessageText();
}

TEST_F(ModelGeometryTest, AutoDisplayCommentOpensTheEditor) {
    WritePlate(modelDir.Path("plate.pcx"));
    const std::string model = modelDir.Write("m.wmd", Model("plate.pcx", "<AutoDisplay> Read me first\nsecond line"));
    ui.commentAfterEdit = "edited";
    ASSERT_TRUE(doc.ReadModel(model));
    ASSERT_EQ(ui.editedComments.size(), 1u);
    EXPECT_EQ(ui.editedComments[0], "<AutoDisplay> Read me first\r\nsecond line");
    EXPECT_EQ(doc.comment, "edited");
    EXPECT_TRUE(doc.IsModified());
    // OK without a change (or Cancel) leaves the document unmodified.
    ui.commentAfterEdit.reset();
    ASSERT_TRUE(doc.ReadModel(model));
    EXPECT_EQ(ui.editedComments.size(), 2u);
    EXPECT_FALSE(doc.IsModified());
    // Not in batch runs, and not for other comments.
    std::ostringstream log;
    doc.SetBatchLog(&log);
    ASSERT_TRUE(doc.ReadModel(model));
    doc.SetBatchLog(nullptr);
    ASSERT_TRUE(doc.ReadModel(modelDir.Write("o.wmd", Model("plate.pcx", "Read me <AutoDisplay>"))));
    ASSERT_TRUE(doc.ReadModel(modelDir.Write("p.wmd", Model("plate.pcx", "<AutoDisplay>x"))));
    EXPECT_EQ(ui.editedComments.size(), 2u);
}

TEST_F(ModelGeometryTest, TheDocumentRemovesItsWorkingCopy) {
    WritePlate(modelDir.Path("plate.pcx"));
    std::string working;
    {
        CElixDoc opened;
        ASSERT_TRUE(opened.ReadModel(modelDir.Write("m.wmd", Model("plate.pcx"))));
        working = opened.WorkingFileName;
        EXPECT_TRUE(FileExists(working));
    }
    EXPECT_FALSE(FileExists(working));
    EXPECT_EQ(FilesIn(modelDir.Root()), 2);
}

}  // namespace
}  // namespace elix
