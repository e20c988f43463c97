// "elastrix-cli run --job-index K LIST.wbf": one job of a batch list per
// invocation, as the tasks of a cluster job array run it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/engine/run_test_model.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

namespace fs = std::filesystem;
using test::CliRun;
using test::ReadFileText;
using test::RunCli;

const char* const kFolders[] = {"one", "two", "three"};
const char* const kOutputs[] = {"echo.txt", "bottom.txt"};

// The run tests' steel plate in its own folder; each folder's model runs
// for its own duration, so that the three jobs write different files.
std::string WritePlate(test::TempDir& dir, const std::string& folder, float duration) {
    fs::create_directory(dir.Path(folder));
    CElixDoc doc;
    test::MakeModel(doc, dir);
    doc.job.Duration = duration;
    EXPECT_TRUE(doc.WriteImageFile(dir.Path(folder + "/plate.geo")));
    doc.ImageFileName = "plate.geo";
    const std::string path = dir.Path(folder + "/plate.wmd");
    EXPECT_TRUE(doc.WriteModel(path));
    return path;
}

TEST(JobIndexTest, SeparateInvocationsGiveTheFilesOfOneRun) {
    test::TempDir dir;
    std::string text = "<<ElastrixBatchJobList>>\n";
    for (int k = 0; k < 3; ++k) text += WritePlate(dir, kFolders[k], 0.8e-6f + 0.2e-6f * static_cast<float>(k)) + "\n";
    const std::string list = dir.Write("jobs.wbf", text + "<<EndElastrixBatchJobList>>\n");

    const CliRun whole = RunCli("run --log " + dir.Path("whole.log") + " " + list);
    ASSERT_EQ(whole.status, 0) << whole.err;
    std::string expected[3][2];
    for (int k = 0; k < 3; ++k)
        for (int f = 0; f < 2; ++f) {
            const std::string path = dir.Path(std::string(kFolders[k]) + "/" + kOutputs[f]);
            expected[k][f] = ReadFileText(path);
            ASSERT_GT(expected[k][f].size(), 100u) << path;
            fs::remove(path);
        }
    EXPECT_NE(expected[0][0], expected[2][0]);

    for (int k = 0; k < 3; ++k) {
        const CliRun task = RunCli("run --job-index " + std::to_string(k + 1) + " " + list);
        ASSERT_EQ(task.status, 0) << task.err;
        EXPECT_NE(task.err.find("== Job " + std::to_string(k + 1) + " of 3 of " + list), std::string::npos) << task.err;
        EXPECT_TRUE(fs::exists(dir.Path("jobs." + std::to_string(k + 1) + ".log")));
        for (int j = 0; j < 3; ++j)
            for (int f = 0; f < 2; ++f) {
                const std::string path = dir.Path(std::string(kFolders[j]) + "/" + kOutputs[f]);
                if (j <= k)
                    EXPECT_EQ(ReadFileText(path), expected[j][f]) << path;
                else
                    EXPECT_FALSE(fs::exists(path)) << "job " << k + 1 << " ran job " << j + 1;
            }
    }
}

TEST(JobIndexTest, UsageErrors) {
    test::TempDir dir;
    const std::string model = WritePlate(dir, "one", 1e-6f);
    const std::string list =
        dir.Write("jobs.wbf", "<<ElastrixBatchJobList>>\n" + model + "\n" + model + "\n<<EndElastrixBatchJobList>>\n");
    const CliRun outOfRange = RunCli("run --job-index 3 " + list);
    EXPECT_EQ(outOfRange.status, 2);
    EXPECT_NE(outOfRange.err.find("--job-index 3 is out of range: " + list + " holds 2 jobs"), std::string::npos)
        << outOfRange.err;
    for (const char* bad : {"0", "-1", "x", "1.5"})
        EXPECT_EQ(RunCli(std::string("run --job-index ") + bad + " " + list).status, 2) << bad;
    EXPECT_EQ(RunCli("run --job-index 1 " + model).status, 2);
    EXPECT_EQ(RunCli("run --job-index 1 " + list + " " + list).status, 2);
    EXPECT_FALSE(fs::exists(dir.Path("one/echo.txt")));  // nothing ran
    // A list that cannot be read fails as a plain run does.
    EXPECT_EQ(RunCli("run --job-index 1 " + dir.Write("bad.wbf", "jobs\n")).status, 1);
}

}  // namespace
}  // namespace elix
