// The desktop program's command line, version texts and placement rule.
#include "app/program_rules.h"

#include <gtest/gtest.h>

#include <regex>

namespace elix {
namespace {

TEST(ProgramRules, CommandLineSwitchesAndFiles) {
    const ProgramCommandLine line =
        ParseProgramCommandLine({"-R", "/home/u/plate model.wmd", "-", "-x", "--verbose", "second.wmd"});
    EXPECT_TRUE(line.batchRun);
    EXPECT_FALSE(line.help);
    // '/' starts an absolute path, never a switch; a lone '-' is too short to be one.
    EXPECT_EQ(line.files, (std::vector<std::string>{"/home/u/plate model.wmd", "-", "second.wmd"}));
    EXPECT_EQ(line.unknownSwitches, (std::vector<std::string>{"-x", "--verbose"}));

    EXPECT_TRUE(ParseProgramCommandLine({"-run"}).batchRun);  // decided by the second character
    EXPECT_TRUE(ParseProgramCommandLine({"--help"}).help);
    EXPECT_TRUE(ParseProgramCommandLine({"-h"}).help);
    EXPECT_FALSE(ParseProgramCommandLine({"plate.wmd"}).batchRun);
}

TEST(ProgramRules, VersionTexts) {
    const std::string version = VersionLine();
    EXPECT_TRUE(std::regex_match(version, std::regex(std::string("Elastrix Version ") + ELASTRIX_VERSION +
                                                     " [A-Z][a-z]{2} [ 1-3][0-9] [0-9]{4}\\.")))
        << version;
    EXPECT_EQ(SplashVersionLine(), version + "  4 Processors");
    EXPECT_EQ(AboutText(), version + "  4 Processors\nLinux");
}

TEST(ProgramRules, SavedPlacementMustBeCompleteAndOnScreen) {
    const WindowPlacement saved{0, 1, 992, 736, 1500, 1200};
    EXPECT_TRUE(PlacementUsable(saved, 1024, 768, 32, 32));
    for (int field = 0; field < 6; ++field) {
        WindowPlacement partial = saved;
        int* values[] = {&partial.flags, &partial.showCmd, &partial.x1, &partial.y1, &partial.x2, &partial.y2};
        *values[field] = -1;
        EXPECT_FALSE(PlacementUsable(partial, 1024, 768, 32, 32)) << field;
    }
    // Saved on a larger screen: the corner lies beyond this one's icon margin.
    EXPECT_FALSE(PlacementUsable({0, 1, 993, 10, 1500, 400}, 1024, 768, 32, 32));
    EXPECT_FALSE(PlacementUsable({0, 1, 10, 737, 400, 900}, 1024, 768, 32, 32));
    // A window pushed partly off the top-left edge is still reachable.
    EXPECT_TRUE(PlacementUsable({0, 3, -8, -8, 1032, 776}, 1024, 768, 32, 32));
}

}  // namespace
}  // namespace elix
