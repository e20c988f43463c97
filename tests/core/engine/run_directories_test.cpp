// Where a run puts the files it makes: frame pictures in the PCX directory,
// displacement dumps in the displacement directory and the restart file
// chooser there too, when the program has a directories file; beside the
// model without one.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/directories.h"
#include "run_test_model.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "view/frame_dump.h"

namespace elix {
namespace {

namespace fs = std::filesystem;

struct RunFiles {
    int pictures = 0;
    int dumps = 0;
};

RunFiles CountRunFiles(const std::string& folder) {
    RunFiles files;
    if (!fs::is_directory(folder)) return files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string ext = entry.path().extension().string();
        files.pictures += ext == ".PCX" ? 1 : 0;
        files.dumps += ext == ".frm" ? 1 : 0;
    }
    return files;
}

// Runs the small model for 11 steps with frame pictures every 5 steps and
// dumps at steps 0, 5, 10, stopping there (no restart file is chosen).
void RunStoppingAtStepTen(CElixDoc& doc) {
    doc.job.SaveDisp = 1;
    doc.job.DumpDisplacement = {0, 10, 5};
    test::CountingMonitor monitor;
    monitor.stopAfter = 10;
    ASSERT_EQ(elix::Run(doc, monitor), RunOutcome::Stopped) << doc.MessageText();
}

TEST(RunDirectoriesTest, PicturesAndDumpsGoToTheDirectoriesOfTheFile) {
    test::TempDir dir;
    fs::create_directories(dir.Path("pictures"));
    fs::create_directories(dir.Path("dumps"));
    const std::string file = dir.Write("elastrix.dir", "ElastrixPcxDir " + dir.Path("pictures") +
                                                           "\nElastrixDumpFrameDir " + dir.Path("dumps") + "\nEndFile");
    CDirectories dirs = CDirectories::Defaults(dir.Root());
    ASSERT_TRUE(ReadDirectoriesFile(file, dirs));

    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    test::MakeModel(doc, dir);
    doc.SetTitle("plate.wmd");
    doc.SetDirectories(&dirs);
    RunStoppingAtStepTen(doc);

    const RunFiles pictures = CountRunFiles(dir.Path("pictures"));
    const RunFiles dumps = CountRunFiles(dir.Path("dumps"));
    const RunFiles beside = CountRunFiles(dir.Root());
    EXPECT_EQ(pictures.pictures, 3);  // steps 0, 5 and 10
    EXPECT_EQ(pictures.dumps, 0);
    EXPECT_EQ(dumps.dumps, 3);
    EXPECT_EQ(dumps.pictures, 0);
    EXPECT_EQ(beside.pictures + beside.dumps, 0);
    EXPECT_TRUE(fs::exists(FramePicturePath(dir.Path("pictures/"), "plate.wmd", 10)));
    EXPECT_TRUE(fs::exists(DisplacementDumpPath(dir.Path("dumps/"), "plate.wmd", 5)));
    // The stop offered a restart file, starting in the displacement directory.
    ASSERT_FALSE(ui.fileRequests.empty());
    EXPECT_EQ(ui.fileRequests.back().startFolder, dir.Path("dumps/"));
    EXPECT_EQ(ui.fileRequests.back().proposedName, "plate.res");
}

TEST(RunDirectoriesTest, WithoutADirectoriesFileEverythingStaysBesideTheModel) {
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    test::MakeModel(doc, dir);
    doc.SetTitle("plate.wmd");
    RunStoppingAtStepTen(doc);
    const RunFiles beside = CountRunFiles(dir.Root());
    EXPECT_EQ(beside.pictures, 3);
    EXPECT_EQ(beside.dumps, 3);
    ASSERT_FALSE(ui.fileRequests.empty());
    EXPECT_EQ(ui.fileRequests.back().startFolder, dir.Path(""));
}

}  // namespace
}  // namespace elix
