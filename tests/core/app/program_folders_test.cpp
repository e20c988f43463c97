// The folder rule for the files the program makes: the directories of a
// directories file when the program has one, beside the model otherwise.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/directories.h"
#include "geometry/working_image.h"
#include "model/elix_doc.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

namespace fs = std::filesystem;

std::string CurrentFolder() {
    std::string folder = fs::current_path().string();
    return folder.back() == '/' ? folder : folder + "/";
}

TEST(ProgramFileFolderTest, DirectoryOfItsKindOrBesideTheModel) {
    CDirectories dirs = CDirectories::Defaults("/r");
    dirs[DirectoryKind::Pcx] = "/pictures/";
    dirs[DirectoryKind::DumpFrame] = "C:\\dumps\\frames";
    dirs[DirectoryKind::Geometry] = "";
    const struct {
        const CDirectories* dirs;
        DirectoryKind kind;
        std::string model;
        std::string expected;
    } cases[] = {
        {nullptr, DirectoryKind::Pcx, "/models/plate.wmd", "/models/"},
        {nullptr, DirectoryKind::DumpFrame, "C:\\models\\plate.wmd", "C:/models/"},
        {nullptr, DirectoryKind::Geometry, "", CurrentFolder()},  // never stored
        {&dirs, DirectoryKind::Model, "/models/plate.wmd", "/r/Data/"},
        {&dirs, DirectoryKind::Library, "", "/r/Library/"},
        {&dirs, DirectoryKind::Pcx, "/models/plate.wmd", "/pictures/"},  // no second '/'
        {&dirs, DirectoryKind::DumpFrame, "/models/plate.wmd", "C:/dumps/frames/"},
        {&dirs, DirectoryKind::Geometry, "/models/plate.wmd", CurrentFolder()},  // left empty in the file
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgramFileFolder(c.dirs, c.kind, c.model), c.expected)
            << static_cast<int>(c.kind) << " " << c.model;
}

TEST(ProgramFileFolderTest, DocumentFollowsTheDirectoriesItIsGiven) {
    test::TempDir dir;
    fs::create_directories(dir.Path("geo"));
    fs::create_directories(dir.Path("pcx"));
    // A directories file naming other folders, read as the program reads it.
    const std::string file = dir.Write("elastrix.dir", "ElastrixGeoDir " + dir.Path("geo") + "\nElastrixPcxDir " +
                                                           dir.Path("pcx") + "\nEndFile");
    CDirectories dirs = CDirectories::Defaults(dir.Root());
    ASSERT_TRUE(ReadDirectoriesFile(file, dirs));

    CElixDoc doc;
    doc.SetPathName(dir.Path("models/plate.wmd"));
    doc.SetTitle("plate.wmd");
    EXPECT_EQ(GeometryDirectory(doc), dir.Path("models/"));
    EXPECT_EQ(PcxDirectory(doc), dir.Path("models/"));
    doc.SetDirectories(&dirs);
    EXPECT_EQ(GeometryDirectory(doc), dir.Path("geo/"));
    EXPECT_EQ(PcxDirectory(doc), dir.Path("pcx/"));

    // An image made inside the program lands in the geometry directory.
    ASSERT_TRUE(doc.CreateImage(4, 3, 254.0f, 254.0f, 7)) << doc.MessageText();
    EXPECT_EQ(fs::path(doc.WorkingFileName).parent_path(), fs::path(dir.Path("geo")));
    EXPECT_EQ(fs::path(doc.WorkingFileName).filename().string().rfind("plate", 0), 0u);
    EXPECT_TRUE(fs::exists(doc.WorkingFileName));

    // Without the directories it goes beside the model again.
    doc.SetDirectories(nullptr);
    fs::create_directories(dir.Path("models"));
    ASSERT_TRUE(doc.CreateImage(4, 3, 254.0f, 254.0f, 7)) << doc.MessageText();
    EXPECT_EQ(fs::path(doc.WorkingFileName).parent_path(), fs::path(dir.Path("models")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path("geo")), fs::directory_iterator()), 0)
        << "the replaced working file is deleted";
}

}  // namespace
}  // namespace elix
