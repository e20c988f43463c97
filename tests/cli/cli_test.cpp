// Runs the elastrix-cli binary as a user would and checks exit status and
// output.
#include <gtest/gtest.h>

#include <array>
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

using Result = elix::test::CliRun;

Result RunCli(const std::string& arguments, bool withStderr = true) {
    return elix::test::RunCli(arguments, withStderr ? elix::test::CliStderr::Merged : elix::test::CliStderr::Dropped);
}

const std::string kExample = std::string(ELASTRIX_SOURCE_DIR) + "/examples/steel_plate/steel_plate.wmd";

TEST(CliTest, InfoSummarisesTheExampleModel) {
    const Result r = RunCli("info " + kExample, false);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Geometry:       steel_plate.pcx"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Image:          600 x 400 pixels, 254 dpi (10 pixel/mm), W=60.00(mm),H=40.00(mm)\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Materials (1):"), std::string::npos);
    EXPECT_NE(r.out.find("1. Steel: gray level 0, density 7850 kg/m^3"), std::string::npos);
    EXPECT_NE(r.out.find("Transducer: (35, 0)-(25, 0) mm"), std::string::npos);
    EXPECT_NE(r.out.find("Receivers (2):"), std::string::npos);
    EXPECT_NE(r.out.find("Absorbing sides       Left, Right"), std::string::npos);
}

TEST(CliTest, InfoLeavesNoWorkingCopyBehind) {
    // A copy of the example, so that other tests reading it meanwhile
    // cannot disturb the count.
    TempDir dir;
    const std::string folder = std::string(ELASTRIX_SOURCE_DIR) + "/examples/steel_plate/";
    for (const char* name : {"steel_plate.wmd", "steel_plate.pcx"})
        std::filesystem::copy_file(folder + name, dir.Path(name));
    const Result r = RunCli("info " + dir.Path("steel_plate.wmd"), false);
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Image:          600 x 400 pixels"), std::string::npos) << r.out;
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Root())) names.insert(entry.path().filename());
    EXPECT_EQ(names, (std::set<std::string>{"steel_plate.pcx", "steel_plate.wmd"}));
}

TEST(CliTest, InfoReportsAGeometryThatCannotBeLoaded) {
    TempDir dir;
    const std::string model = dir.Write("m.wmd",
                                        "<<ElastrixModel>>\n<Geometry>\nImageFileName missing.pcx\n<EndGeometry>\n"
                                        "<<EndElastrixModel>>\n");
    const std::string reason = "Unable to open file '" + dir.Path("missing.pcx") +
                               "'. Please use 'Load Geometry' command under Elix -> Geometry menu to load an image.";
    const Result r = RunCli("info " + model);
    EXPECT_EQ(r.status, 0);  // the model itself is fine
    EXPECT_NE(r.out.find("warning: " + reason + "\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Geometry:       missing.pcx (format 1)\nImage:          not loaded: " + reason + "\n"),
              std::string::npos)
        << r.out;
    const std::string none = dir.Write("n.wmd", "<<ElastrixModel>>\n<<EndElastrixModel>>\n");
    EXPECT_NE(RunCli("info " + none).out.find("Image:          none\n"), std::string::npos);
}

TEST(CliTest, FailuresAndUsageHaveTheirExitStatus) {
    TempDir dir;
    const std::string bad = dir.Write("bad.wmd", "not a model\n");
    Result r = RunCli("info " + bad);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("is not a Elastrix/Elastrix Plus model"), std::string::npos) << r.out;
    r = RunCli("info " + dir.Path("missing.wmd"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Unable to open file"), std::string::npos);
    EXPECT_EQ(RunCli("").status, 2);
    EXPECT_EQ(RunCli("info").status, 2);
    EXPECT_EQ(RunCli("frobnicate x").status, 2);
    EXPECT_EQ(RunCli("convert only-one.wmd").status, 2);
    for (const char* help : {"--help", "info --help", "convert -h"}) {
        r = RunCli(help);
        EXPECT_EQ(r.status, 0) << help;
        EXPECT_NE(r.out.find("Usage: elastrix-cli"), std::string::npos) << help;
    }
}

TEST(CliTest, ConvertUpgradesAnOldModelAndKeepsItReadable) {
    TempDir dir;
    // A version 1.2 model: no "~" markers (any first byte is the marker)
    // and no ItemEnd lines.
    const std::string old = dir.Write("old.wmd",
                                      "<<TesmoraModel>>\n<Version> 1.20\n<MaterialProperties>\n#Water\n1\n1000\n"
                                      "2.25e9\n0\n0\n0\n0\n0\n<EndMaterialProperties>\n<<EndTesmoraModel>>\n");
    const std::string converted = dir.Path("new.wmd");
    Result r = RunCli("convert " + old + " " + converted);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("(format 1.20)"), std::string::npos) << r.out;
    const std::string text = ReadFileText(converted);
    EXPECT_EQ(text.rfind("<<ElastrixModel>>\n<Version> 2.42\n", 0), 0u);
    EXPECT_NE(text.find("~Water\n2\n1.000000e+03\n2.250000e+09\n"), std::string::npos) << text;
    r = RunCli("info " + converted, false);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("1. Water: gray level 0, density 1000"), std::string::npos) << r.out;
    // Writing into a folder that does not exist fails with the message and
    // status 1.
    r = RunCli("convert " + old + " " + dir.Path("none/x.wmd"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Unable to save file"), std::string::npos);
}

}  // namespace
