// Runs "elastrix-cli check" as a user would: the Model Data of the shipped
// example, and the exit status and message of models that fail the check.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <sys/wait.h>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace {

using elix::test::ReadFileText;
using elix::test::TempDir;

using CheckRun = elix::test::CliRun;

CheckRun RunCheck(const std::string& arguments) { return elix::test::RunCli("check " + arguments); }

const std::string kExampleFolder = std::string(ELASTRIX_SOURCE_DIR) + "/examples/steel_plate/";

// A copy of the example in a fresh folder, its model text changed by edit.
template <class Edit>
std::string ExampleCopy(const TempDir& dir, Edit edit) {
    std::filesystem::copy_file(kExampleFolder + "steel_plate.pcx", dir.Path("steel_plate.pcx"));
    std::string text = ReadFileText(kExampleFolder + "steel_plate.wmd");
    edit(text);
    return dir.Write("steel_plate.wmd", text);
}

void Replace(std::string& text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

TEST(CliCheckTest, ModelDataOfTheSteelPlateExample) {
    TempDir dir;
    const std::string model = ExampleCopy(dir, [](std::string&) {});
    const CheckRun r = RunCheck(model);
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    // Steel: rho 7850, lambda 112.4905 GPa, mu 80.384 GPa give
    // vL = sqrt((lambda + 2 mu)/rho) = 5900 m/s and vT = sqrt(mu/rho) = 3200 m/s.
    // Resolving 0.8 mm with 10 points: hx = 0.08 mm;
    // dt = 0.08 mm / sqrt(5900^2 + 3200^2) * 0.95 = 11.32 ns;
    // 20 us / dt = 1766.3 -> 1766 steps. 600 x 400 pixels at 254 dpi are
    // 60 x 40 mm; a pixel (0.1 mm) holds 0.1 / 0.08 = 1.25 cells.
    const double dt = 0.08e-3 / std::sqrt(5900.0 * 5900.0 + 3200.0 * 3200.0) * 0.95;
    ASSERT_NEAR(dt, 11.3232e-9, 0.0001e-9);
    ASSERT_EQ(static_cast<int>(20e-6 / dt + 0.5), 1766);
    EXPECT_NE(r.out.find("Model Data\n"
                         "  Hx:          0.0800mm\n"
                         "  Hy:          0.0800mm\n"
                         "  dt:          0.0113us\n"
                         "  Width:       600 (60.00mm)\n"
                         "  Height:      400 (40.00mm)\n"
                         "  Total Step:  1766 (20.00us)\n"
                         "  Grid/Pixel:  1.2500\n"
                         "  Image File:  steel_plate.pcx\n"),
              std::string::npos)
        << r.out;
    // No boundary condition, and the transducer's 1 us pulse is over long
    // before the 20 us run ends: nothing holds the plate.
    EXPECT_NE(r.out.find("\nWarning: There may be rigid body motion in x y direction(s).\n"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Check Memory completed."), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "");
    // The check leaves no working copy of the geometry behind.
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Root())) names.insert(entry.path().filename());
    EXPECT_EQ(names, (std::set<std::string>{"steel_plate.pcx", "steel_plate.wmd"}));
}

TEST(CliCheckTest, AModelWithoutMaterialsFails) {
    TempDir dir;
    const std::string model = ExampleCopy(dir, [](std::string& text) {
        const auto begin = text.find("<MaterialProperties>\n") + std::string("<MaterialProperties>\n").size();
        const auto end = text.find("<EndMaterialProperties>");
        ASSERT_LT(begin, end);
        text.erase(begin, end - begin);
    });
    const CheckRun r = RunCheck(model);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "Error: No material property is defined!. Please use 'Material Property' command under Elix menu to "
              "add materials.\n");
}

TEST(CliCheckTest, AnObliquePressureSourceFailsWithItsNotes) {
    TempDir dir;
    // The transducer turned into a pressure source from (25, 0) to (35, 10) mm.
    const std::string model = ExampleCopy(dir, [](std::string& text) {
        Replace(text, "~Transducer\n1\n3.500000e-02\n0.000000e+00\n2.500000e-02\n0.000000e+00\n",
                "~Transducer\n1\n2.500000e-02\n0.000000e+00\n3.500000e-02\n1.000000e-02\n");
        Replace(text, "SignalType 0", "SignalType 1");
    });
    const CheckRun r = RunCheck(model);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "Error: Pressure source 'Transducer' is not facing x or y axis.\n"
              "Note: Pressure Source can only simulate longitudinal mode, must face x or y axis and no point "
              "source.\n"
              "Please use 'Source Configration' command under Elix menu to make change(s).\n");
}

TEST(CliCheckTest, HelpUsageErrorsAndUnreadableModels) {
    CheckRun r = RunCheck("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Usage: elastrix-cli check MODEL.wmd\n", 0), 0u) << r.out;
    r = RunCheck("");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Usage: elastrix-cli check MODEL.wmd"), std::string::npos);
    r = RunCheck("a.wmd b.wmd");
    EXPECT_EQ(r.status, 2);
    r = RunCheck("--threads 2");
    EXPECT_EQ(r.status, 2);

    TempDir dir;
    r = RunCheck(dir.Path("missing.wmd"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Unable to open file"), std::string::npos) << r.err;

    // The program's own usage names the command.
    const std::string command = std::string(ELASTRIX_CLI_PATH) + " --help";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string usage;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) usage.append(buffer.data(), n);
    pclose(pipe);
    EXPECT_NE(usage.find("  check MODEL.wmd "), std::string::npos) << usage;
}

}  // namespace
