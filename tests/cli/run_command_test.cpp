// Runs "elastrix-cli run" on batch lists as a user would.
#include <gtest/gtest.h>

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
std::string WritePlate(test::TempDir& dir, const std::string& folder) {
    std::filesystem::create_directory(dir.Path(folder));
    CElixDoc doc;
    test::MakeModel(doc, dir);
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

}  // namespace
}  // namespace elix
