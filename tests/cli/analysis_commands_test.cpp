// Runs "elastrix-cli spectrum | attenuation | timer" on a model whose two
// receivers have output files, as a user would.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>
#include <tuple>

#include "model/elix_doc.h"
#include "platform/text_format.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::ReadFileText;
using test::TempDir;
using test::CliRun;
using test::RunCli;

// A receiver output file: 64 steps of 0.1 us, a Gaussian pulse of
// longitudinal amplitude a exp(-(step - peak)^2 / 4), the transverse one
// half as large.
std::string PulseFile(int peak, double amplitude) {
    std::string text;
    for (int step = 0; step < 64; ++step) {
        const double d = step - peak;
        const double l = amplitude * std::exp(-d * d / 4.0);
        text += Format("%d %8.5f %7.4f %7.4f\n", step, step * 0.1, l, l / 2.0);
    }
    return text;
}

// The first value printed after "Legend = name" in an export text; NaN
// when there is none.
double FirstValue(const std::string& text, const std::string& legend) {
    const std::string key = "Legend = " + legend + "\n";
    const auto at = text.find(key);
    if (at == std::string::npos) return std::nan("");
    const auto blank = text.find(' ', at + key.size());
    double value = std::nan("");
    ParseDouble(text.substr(blank + 1, 20), value);
    return value;
}

// The model "plate.wmd" with receivers "near" and "far", 10 mm apart; the
// wave reaches the far one 2 us (20 steps) later with half the amplitude.
class AnalysisCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        CElixDoc doc;
        for (const auto& [name, x, file] :
             {std::tuple{"near", 0.005f, "near.txt"}, std::tuple{"far", 0.015f, "far.txt"}}) {
            CReceiver receiver;
            receiver.name = name;
            receiver.x1 = x - 0.001f;
            receiver.x2 = x + 0.001f;
            receiver.y1 = receiver.y2 = 0.02f;
            receiver.outputFile = file;
            ASSERT_TRUE(doc.AddItem(receiver));
        }
        model = dir.Path("plate.wmd");
        ASSERT_TRUE(doc.WriteModel(model)) << doc.MessageText();
        dir.Write("near.txt", PulseFile(10, 2.0));
        dir.Write("far.txt", PulseFile(30, 1.0));
    }

    TempDir dir;
    std::string model;
};

TEST_F(AnalysisCommandsTest, SpectrumPrintsEveryCurveInTheExportFormat) {
    const CliRun r = RunCli("spectrum " + model);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Main Title = plate.wmd, Amplitude vs Frequency\nX Title = Frequency (MHz)\n"
                          "Y Title = Amp. \nLegend = L - near\n0 ",
                          0),
              0u)
        << r.out;
    for (const char* legend : {"Legend = T - near\n", "Legend = L - far\n", "Legend = T - far\n"})
        EXPECT_NE(r.out.find(legend), std::string::npos) << legend;
    // At f = 0 the spectrum is the pulse's area: a dt sqrt(4 pi), with
    // dt = 0.1 us: 0.70898 for a = 2.
    EXPECT_NEAR(FirstValue(r.out, "L - near"), 0.2 * std::sqrt(4.0 * std::numbers::pi), 2e-4);
    EXPECT_NEAR(FirstValue(r.out, "T - far"), 0.05 * std::sqrt(4.0 * std::numbers::pi), 2e-4);
    EXPECT_TRUE(r.err.empty()) << r.err;

    const std::string out = dir.Path("spectrum.txt");
    const std::string svg = dir.Path("spectrum.svg");
    const CliRun toFile = RunCli("spectrum -o " + out + " --svg " + svg + " " + model);
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_TRUE(toFile.out.empty());
    EXPECT_EQ(ReadFileText(out), r.out);
    const std::string picture = ReadFileText(svg);
    EXPECT_NE(picture.find("<polyline"), std::string::npos);
    EXPECT_NE(picture.find(">plate.wmd, Amplitude vs Frequency</text>"), std::string::npos);
}

TEST_F(AnalysisCommandsTest, AttenuationAgainstTheDefaultAndAChosenReference) {
    CliRun r = RunCli("attenuation " + model);
    ASSERT_EQ(r.status, 0) << r.err;
    // Two receivers, four curves: the reference is curve 2, "L - far"; the
    // "T - " curves are left out and the reference is a zero line.
    EXPECT_EQ(r.err, "Reference Curve Name: 'L - far'\n");
    EXPECT_EQ(r.out.rfind("Main Title = plate.wmd, Attenuation\nX Title = Frequency (MHz)\nY Title = dB\n", 0), 0u);
    // The near pulse is twice the far one: -20 log10(2) = -6.02 dB.
    EXPECT_NEAR(FirstValue(r.out, "L - near"), -6.0206, 1e-3);
    EXPECT_EQ(FirstValue(r.out, "L - far"), 0.0);
    EXPECT_EQ(r.out.find("Legend = T - "), std::string::npos);

    r = RunCli("attenuation --ref 4 " + model);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "There is no curve 4: the curves are numbered 0 to 3.\n");
    EXPECT_EQ(RunCli("attenuation --ref two " + model).status, 2);
}

TEST_F(AnalysisCommandsTest, TimerMeasuresTheDelayBetweenTheReceivers) {
    // Signal "L - far" (curve 2) against the reference "L - near" (curve 0).
    const CliRun r = RunCli("timer --signal 2 --ref 0 --threshold 50 " + model);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Signal Name: 'L - far'\n"
              "Reference Name: 'L - near'\n"
              "Distance = 10.00 (mm)\n"
              "Threshold Delay: 2.0000 (us) (Amp. = 0.5000)\n"
              "Velocity = 5000.00 (m/s)\n"
              "First Peak Delay: 2.0000 (us) (Amp. = 1.0000)\n"
              "Velocity = 5000.00 (m/s)\n"
              "Max. Peak Delay: 2.0000 (us) (Amp. = 1.0000)\n"
              "Velocity = 5000.00 (m/s)\n"
              "Note: Recorded Receiver Data Are Loaded.\n");

    // The defaults: signal 0 against curve 2 arrives earlier: not available.
    const std::string svg = dir.Path("timer.svg");
    const CliRun early = RunCli("timer --svg " + svg + " " + model);
    ASSERT_EQ(early.status, 0) << early.err;
    EXPECT_NE(early.out.find("Threshold Delay: Not Available\nVelocity: Not Available\n"), std::string::npos);
    const std::string picture = ReadFileText(svg);
    EXPECT_NE(picture.find(">plate.wmd</text>"), std::string::npos);  // the receiver plot's title
    EXPECT_NE(picture.find(">T - far</text>"), std::string::npos);

    const CliRun bad = RunCli("timer --threshold 0.5 " + model);
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "--threshold: Please enter a number between 1 and 100.\n");
    EXPECT_EQ(RunCli("timer --signal 9 " + model).status, 1);
}

TEST_F(AnalysisCommandsTest, MissingDataUsageAndHelp) {
    std::filesystem::remove(dir.Path("near.txt"));
    std::filesystem::remove(dir.Path("far.txt"));
    for (const char* command : {"spectrum ", "attenuation ", "timer "}) {
        const CliRun r = RunCli(command + model);
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_EQ(r.err, "No Receiver Data Available.\n") << command;
        EXPECT_TRUE(r.out.empty()) << command;
        const CliRun help = RunCli(std::string(command) + "--help");
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_EQ(help.out.rfind("Usage: elastrix-cli " + std::string(command), 0), 0u) << help.out;
        EXPECT_EQ(RunCli(command).status, 2) << command;
        EXPECT_EQ(RunCli(command + model + " -o").status, 2) << command;
        EXPECT_EQ(RunCli(command + model + " --frobnicate 1").status, 2) << command;
        EXPECT_EQ(RunCli(command + model + " " + model).status, 2) << command;
    }
}

}  // namespace
}  // namespace elix
