// Malformed restart files: each is refused with its exact message before
// anything of the run changes, and the run ends without a step.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "engine/restart_file.h"
#include "platform/text_format.h"
#include "run_test_model.h"
#include "support/scripted_ui.h"

namespace elix {
namespace {

using test::ReadFileText;

// The binary block: the step at 1024, the identity values, then the point
// count of the first curve pair at 1024 + 46.
constexpr std::size_t kStepAt = 1024;
constexpr std::size_t kFirstCountAt = 1024 + 46;

std::string WithInt32(std::string bytes, std::size_t at, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int k = 0; k < 4; ++k) bytes[at + static_cast<std::size_t>(k)] = static_cast<char>((u >> (8 * k)) & 0xFFu);
    return bytes;
}

class RestartBadInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.SetUserInterface(&ui);
        test::MakeModel(doc, dir);
        test::CountingMonitor stopping;
        stopping.stopAfter = 20;
        ui.files = {dir.Path("plate.res")};
        ASSERT_EQ(elix::Run(doc, stopping), RunOutcome::Stopped);
        saved = ReadFileText(dir.Path("plate.res"));
        ASSERT_GT(saved.size(), kFirstCountAt + 4);
    }

    // Offers content as the restart file, answers No to "Try again?".
    void ExpectRefused(const std::string& content, const std::string& reason) {
        const std::string path = dir.Write("bad.res", content);
        const std::string receivers = ReadFileText(dir.Path("echo.txt")) + ReadFileText(dir.Path("bottom.txt"));
        ui.shown.clear();
        ui.files = {path};
        ui.answers = {MessageAnswer::No};
        test::CountingMonitor monitor;
        EXPECT_EQ(elix::Run(doc, monitor, true), RunOutcome::Declined);
        EXPECT_EQ(monitor.progressCalls, 0);
        ASSERT_GE(ui.shown.size(), 2u);
        EXPECT_EQ(ui.shown[ui.shown.size() - 2].text, Format(reason, path));
        EXPECT_EQ(ui.LastText(), "Failed to load the restart file. Try again?");
        EXPECT_EQ(ReadFileText(path), content);
        EXPECT_EQ(ReadFileText(dir.Path("echo.txt")) + ReadFileText(dir.Path("bottom.txt")), receivers);
        EXPECT_FALSE(doc.IsRunning());
    }

    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    std::string saved;
};

constexpr const char* kNotRestart = "'%s' is not a Elastrix restart file.";

TEST_F(RestartBadInputTest, WrongMagicTruncationAndGarbage) {
    ExpectRefused("", kNotRestart);
    ExpectRefused(std::string("\x00\xff\x13\x80garbage\n", 12) + std::string(2000, '\x7f'), kNotRestart);
    ExpectRefused("<<ElastrixRestart>>x" + saved.substr(19), kNotRestart);
    // The header alone, cut before the binary block is complete.
    ExpectRefused(saved.substr(0, kStepAt + 10), kNotRestart);
    ExpectRefused(saved.substr(0, kFirstCountAt + 2), "Failed to load plot data.");
    ExpectRefused(saved.substr(0, saved.size() - 1), "Failed to load grid data.");
}

TEST_F(RestartBadInputTest, NegativeAndHugeCounts) {
    ExpectRefused(WithInt32(saved, kStepAt, -5), kNotRestart);
    ExpectRefused(WithInt32(saved, kFirstCountAt, -1), "Failed to load plot data.");
    ExpectRefused(WithInt32(saved, kFirstCountAt, INT32_MAX), "Failed to load plot data.");
    ExpectRefused(WithInt32(saved, kFirstCountAt, 1 << 28), "Failed to load plot data.");
}

// A step the saved run never reached is refused like a negative one: the
// largest int32 would otherwise overflow into the next step.
TEST_F(RestartBadInputTest, StepOutsideTheSavedRunIsRefused) {
    ExpectRefused(WithInt32(saved, kStepAt, INT32_MAX), kNotRestart);
}

}  // namespace
}  // namespace elix
