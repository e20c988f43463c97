// Runs "elastrix-cli run" on batch lists as a user would.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "core/engine/run_test_model.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::CliRun;
using test::ReadFileText;
using test::RunCli;

// The run tests' small steel plate, written as a model file with its GEO
// geometry beside it in its own folder.
std::string WritePlate(test::TempDir& dir, const std::string& folder,
                       const std::function<void(CElixDoc&)>& change = {}) {
    std::filesystem::create_directory(dir.Path(folder));
    CElixDoc doc;
    test::MakeModel(doc, dir);
    if (change) change(doc);
    EXPECT_TRUE(doc.WriteImageFile(dir.Path(folder + "/plate.geo")));
    doc.ImageFileName = "plate.geo";
    const std::string path = dir.Path(folder + "/plate.wmd");
    EXPECT_TRUE(doc.WriteModel(path));
    return path;
}

TEST(RunCommandTest, RunsTheModelsOfABatchListAndLogsTheFailures) {
    test::TempDir dir;
    const std::string first = WritePlate(dir, "one"), second = WritePlate(dir, "two");
    const std::string list = dir.Write("jobs.wbf", "<<ElastrixBatchJobList>>\n" + first + "\n" +
                                                       dir.Path("missing.wmd") + "\n  " + second +
                                                       "\n<<EndElastrixBatchJobList>>\n");
    const std::string log = dir.Path("run.log");
    const CliRun r = RunCli("run --threads 2 --plots --log " + log + " " + list);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("== Job 3 of 3: " + second), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("2 of 3 jobs finished, 1 failed, 0 stopped."), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Receiver plot: " + dir.Path("two/plate_receivers.svg")), std::string::npos) << r.err;
    // Both models ran: identical receiver files in their own folders.
    const std::string echo = ReadFileText(dir.Path("one/echo.txt"));
    EXPECT_GT(echo.size(), 1000u);
    EXPECT_EQ(echo, ReadFileText(dir.Path("two/echo.txt")));
    // The missing model's reason is in the log under its name.
    const std::string text = ReadFileText(log);
    EXPECT_NE(text.find("(missing.wmd) "), std::string::npos) << text;
}

TEST(RunCommandTest, UsageErrorsAndUnreadableLists) {
    test::TempDir dir;
    const std::string model = WritePlate(dir, "one");
    EXPECT_EQ(RunCli("run --restart x.res " + model + " " + model).status, 2);
    EXPECT_EQ(RunCli("run --threads 5 " + model).status, 2);
    EXPECT_EQ(RunCli("run --restart").status, 2);
    const CliRun wrong = RunCli("run " + dir.Write("bad.wbf", "jobs\n"));
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.err.find("Wrong file."), std::string::npos) << wrong.err;
    const CliRun restart = RunCli("run --restart " + dir.Path("none.res") + " " + model);
    EXPECT_EQ(restart.status, 1);
    EXPECT_NE(restart.err.find("Unable to open file " + dir.Path("none.res") + "."), std::string::npos) << restart.err;
}

// Preparation refuses what the model check refuses: the run exits 1 with
// the check's message before any receiver file is opened.
TEST(RunCommandTest, RefusesZeroLengthReceiversAndShearPressureSources) {
    struct Case {
        const char* folder;
        std::function<void(CElixDoc&)> change;
        std::string message;
    };
    const Case cases[] = {
        {"zero",
         [](CElixDoc& doc) {
             CReceiver& echo = doc.Receivers()[0];
             echo.x2 = echo.x1;
         },
         "Receiver 'Echo' has zero length. Please use 'Receiver Configuration' command under Elix menu to change its "
         "size."},
        {"outside",
         [](CElixDoc& doc) {
             CReceiver& echo = doc.Receivers()[0];
             echo.y1 = echo.y2 = -0.001f;  // wholly above the image
         },
         "Receiver 'Echo' has zero length."},
        {"pressure",
         [](CElixDoc& doc) {
             CSource& tx = doc.Sources()[0];
             tx.signalType = 1;
             tx.shearMode = 1;
         },
         "Error: Pressure source 'Tx' is not able to work in shear mode.\nNote: Pressure Source can only simulate "
         "longitudinal mode"},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        const std::string model = WritePlate(dir, c.folder, c.change);
        const CliRun r = RunCli("run " + model);
        EXPECT_EQ(r.status, 1) << c.folder << ": " << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.folder << ": " << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir.Path(std::string(c.folder) + "/echo.txt"))) << c.folder;
        EXPECT_FALSE(std::filesystem::exists(dir.Path(std::string(c.folder) + "/bottom.txt"))) << c.folder;
    }
    // The unchanged plate runs and writes its receivers.
    test::TempDir dir;
    const std::string model = WritePlate(dir, "plain");
    EXPECT_EQ(RunCli("run " + model).status, 0);
    EXPECT_TRUE(std::filesystem::exists(dir.Path("plain/echo.txt")));
}

}  // namespace
}  // namespace elix
