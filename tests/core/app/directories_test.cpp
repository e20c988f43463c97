// The default directories, the directories file and the folder checks.
#include "app/directories.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

namespace fs = std::filesystem;
using test::ScriptedUserInterface;
using test::TempDir;

// Puts the process back into the directory it was in when the test began.
struct CurrentDirectoryGuard {
    fs::path saved = fs::current_path();
    ~CurrentDirectoryGuard() { fs::current_path(saved); }
};

bool IsCurrent(const std::string& path) {
    return fs::equivalent(fs::current_path(), path);
}

std::string Question(const std::string& folder) {
    return "Folder '" + folder + "' does not exist. Create a new one?";
}

TEST(DirectoriesPaths, RootFolderDirectoriesFileAndDefaults) {
    EXPECT_EQ(RootFolderOf("/opt/elastrix/bin/elastrix"), "/opt/elastrix");
    EXPECT_EQ(RootFolderOf("/bin/elastrix"), "");  // the file-system root, like a drive's
    EXPECT_EQ(RootFolderOf("/elastrix"), std::nullopt);
    EXPECT_EQ(DirectoriesFileOf("/opt/e.1/bin/elastrix"), "/opt/e.1/bin/elastrix.dir");
    EXPECT_EQ(DirectoriesFileOf("/opt/e/bin/elix.run.exe"), "/opt/e/bin/elix.run.dir");
    const CDirectories dirs = CDirectories::Defaults("/r");
    for (int k = 0; k < kDirectoryCount; ++k) {
        const auto kind = static_cast<DirectoryKind>(k);
        EXPECT_EQ(dirs[kind], kind == DirectoryKind::Library ? "/r/Library" : "/r/Data") << k;
    }
}

TEST(DirectoriesFile, WrittenInTableOrderAndReadBack) {
    CDirectories dirs = CDirectories::Defaults("/r");
    dirs[DirectoryKind::Geometry] = "/with some/blanks in it";
    dirs[DirectoryKind::DumpFrame] = "  /led by blanks";
    EXPECT_EQ(DirectoriesFileText(dirs),
              "ElastrixModelDir /r/Data\nElastrixGeoDir /with some/blanks in it\nElastrixPcxDir /r/Data\n"
              "ElastrixLibDir /r/Library\nElastrixRecOutputDir /r/Data\nElastrixSrcWaveformDir /r/Data\n"
              "ElastrixDumpFrameDir   /led by blanks\nEndFile");
    TempDir dir;
    ASSERT_TRUE(WriteDirectoriesFile(dir.Path("e.dir"), dirs));
    CDirectories read = CDirectories::Defaults("/other");
    ASSERT_TRUE(ReadDirectoriesFile(dir.Path("e.dir"), read));
    dirs[DirectoryKind::DumpFrame] = "/led by blanks";  // the blanks before a path are lost
    EXPECT_EQ(read.paths, dirs.paths);
    EXPECT_FALSE(WriteDirectoriesFile(dir.Path("missing/e.dir"), dirs));
}

TEST(DirectoriesFile, ReadingRules) {
    TempDir dir;
    CDirectories dirs = CDirectories::Defaults("/r");
    ASSERT_TRUE(ReadDirectoriesFile(dir.Write("a.dir",
                                              "Comment: ElastrixGeoDir /geo\r\n"  // words are read one by one
                                              "elastrixlibdir \t /my lib\r\n"
                                              "ELASTRIXPCXDIR\n"
                                              "EndFile\nElastrixModelDir /after/the/end\n"),
                                    dirs));
    EXPECT_EQ(dirs[DirectoryKind::Geometry], "/geo");
    EXPECT_EQ(dirs[DirectoryKind::Library], "/my lib");
    EXPECT_EQ(dirs[DirectoryKind::Pcx], "");
    EXPECT_EQ(dirs[DirectoryKind::Model], "/r/Data");

    // A value line that the end of the file cuts short is not stored.
    ASSERT_TRUE(ReadDirectoriesFile(dir.Write("b.dir", "ElastrixModelDir /m\nElastrixRecOutputDir /rec"), dirs));
    EXPECT_EQ(dirs[DirectoryKind::Model], "/m");
    EXPECT_EQ(dirs[DirectoryKind::ReceiverOutput], "/r/Data");
    EXPECT_FALSE(ReadDirectoriesFile(dir.Path("none.dir"), dirs));

    // The key as the 1000th word is read; as the 1001st it is not.
    std::string filler;
    for (int i = 0; i < 999; ++i) filler += "w ";
    ASSERT_TRUE(ReadDirectoriesFile(dir.Write("c.dir", filler + "ElastrixSrcWaveformDir /src\n"), dirs));
    ASSERT_TRUE(ReadDirectoriesFile(dir.Write("d.dir", filler + "w ElastrixDumpFrameDir /dump\n"), dirs));
    EXPECT_EQ(dirs[DirectoryKind::SourceWaveform], "/src");
    EXPECT_EQ(dirs[DirectoryKind::DumpFrame], "/r/Data");
}

TEST(DirectoriesFolders, CreateFolderPathAndCheckFolder) {
    CurrentDirectoryGuard guard;
    TempDir dir;
    EXPECT_TRUE(CreateFolderPath(dir.Path("a/b/c")));  // outermost first, or the inner ones fail
    EXPECT_TRUE(fs::is_directory(dir.Path("a/b/c")));
    EXPECT_TRUE(CreateFolderPath("no-separator-counts-as-done"));
    EXPECT_FALSE(fs::exists("no-separator-counts-as-done"));
    dir.Write("file", "x");

    ScriptedUserInterface ui;
    const std::string start = fs::current_path().string();
    EXPECT_TRUE(CheckFolder(dir.Root(), ui));
    ui.answers = {MessageAnswer::No};
    EXPECT_FALSE(CheckFolder(dir.Path("x/y"), ui));
    EXPECT_FALSE(fs::exists(dir.Path("x")));
    EXPECT_TRUE(CheckFolder(dir.Path("x/y"), ui));  // Yes
    EXPECT_TRUE(fs::is_directory(dir.Path("x/y")));
    EXPECT_FALSE(CheckFolder(dir.Path("file/sub"), ui));
    ASSERT_EQ(ui.shown.size(), 4u);
    EXPECT_EQ(ui.shown[0].text, Question(dir.Path("x/y")));
    EXPECT_EQ(ui.shown[0].style, MessageStyle::Question);
    EXPECT_EQ(ui.shown[3].text, "Unable to create folder '" + dir.Path("file/sub") + "'.");
    EXPECT_EQ(ui.shown[3].style, MessageStyle::Exclamation);
    EXPECT_TRUE(IsCurrent(start));

    // A current directory that has been removed cannot be read back.
    fs::create_directory(dir.Path("gone"));
    fs::current_path(dir.Path("gone"));
    fs::remove(dir.Path("gone"));
    EXPECT_FALSE(CheckFolder(dir.Root(), ui));
    EXPECT_EQ(ui.LastText(), "Unable to get the current path");
}

TEST(DirectoriesLoad, FirstStartAndFile) {
    CurrentDirectoryGuard guard;
    TempDir dir;
    ScriptedUserInterface ui;
    ui.answers.assign(kDirectoryCount, MessageAnswer::No);
    EXPECT_EQ(LoadDirectories(dir.Path("none.dir"), dir.Root(), ui).paths, CDirectories::Defaults(dir.Root()).paths);
    ASSERT_EQ(ui.shown.size(), 7u);
    for (std::size_t k = 0; k < ui.shown.size(); ++k)
        EXPECT_EQ(ui.shown[k].text, Question(dir.Path(k == 3 ? "Library" : "Data"))) << k;

    // Yes to the first question makes the folder the other five share.
    ui.shown.clear();
    LoadDirectories(dir.Path("none.dir"), dir.Root(), ui);
    EXPECT_EQ(ui.shown.size(), 2u);
    EXPECT_TRUE(fs::is_directory(dir.Path("Data")) && fs::is_directory(dir.Path("Library")));

    // A file's model directory becomes the current directory.
    ui.shown.clear();
    CDirectories stored = CDirectories::Defaults(dir.Root());
    ASSERT_TRUE(WriteDirectoriesFile(dir.Path("e.dir"), stored));
    LoadDirectories(dir.Path("e.dir"), "/nowhere", ui);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_TRUE(IsCurrent(dir.Path("Data")));
    stored[DirectoryKind::Model] = dir.Path("missing");
    ASSERT_TRUE(WriteDirectoriesFile(dir.Path("e.dir"), stored));
    ui.answers = {MessageAnswer::No};
    LoadDirectories(dir.Path("e.dir"), "/nowhere", ui);
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[0].text, "Unable to change to '" + dir.Path("missing") + "'.");
    EXPECT_EQ(ui.shown[0].style, MessageStyle::Information);
    EXPECT_EQ(ui.shown[1].text, Question(dir.Path("missing")));
}

TEST(DirectoriesApply, NewValuesAreKeptWrittenAndEntered) {
    CurrentDirectoryGuard guard;
    TempDir dir;
    ScriptedUserInterface ui;
    CDirectories current = CDirectories::Defaults("/old");
    CDirectories chosen;
    chosen.paths.fill(dir.Root());
    ApplyDirectories(chosen, dir.Path("e.dir"), current, ui);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(current.paths, chosen.paths);
    EXPECT_EQ(test::ReadFileText(dir.Path("e.dir")), DirectoriesFileText(chosen));
    EXPECT_TRUE(IsCurrent(dir.Root()));

    // A model folder that stays missing is reported twice, yet kept.
    chosen[DirectoryKind::Model] = dir.Path("missing");
    ui.answers = {MessageAnswer::No};
    ApplyDirectories(chosen, dir.Path("e.dir"), current, ui);
    ASSERT_EQ(ui.shown.size(), 3u);
    EXPECT_EQ(ui.shown[1].text, "Unable to change to '" + dir.Path("missing") + "'.");
    EXPECT_EQ(ui.shown[1].style, MessageStyle::Exclamation);
    EXPECT_EQ(ui.shown[2].text, "Unable to change to " + dir.Path("missing"));
    EXPECT_EQ(ui.shown[2].style, MessageStyle::Information);
    EXPECT_EQ(current.paths, chosen.paths);
    EXPECT_EQ(test::ReadFileText(dir.Path("e.dir")), DirectoriesFileText(chosen));
}

}  // namespace
}  // namespace elix
