// Small rules of the desktop program that need no window: its command line,
// its version line, and where a saved main-window placement may be used.
#pragma once

#include <string>
#include <vector>

namespace elix {

// The desktop program's command line (after the toolkit has taken its own
// options). An argument that starts with '-' and is at least two characters
// long is a switch, decided by its second character without regard to case:
// 'r' asks for the unattended run of the model named. Other arguments are
// files, in order. "--help" and "-h" ask for the usage text; any other
// switch is unknown.
struct ProgramCommandLine {
    bool batchRun = false;
    bool help = false;
    std::vector<std::string> files;
    std::vector<std::string> unknownSwitches;  // as written
};
ProgramCommandLine ParseProgramCommandLine(const std::vector<std::string>& args);

// The usage text of the desktop program.
std::string ProgramUsage();

// "Elastrix Version <version> <build date>."
std::string VersionLine();
// The splash line: VersionLine() + "  4 Processors".
std::string SplashVersionLine();
// The About box text: VersionLine() + "  4 Processors" + "\nLinux".
std::string AboutText();

// A saved main-window placement: flags, show state, and the normal
// rectangle (left x1, top y1, right x2, bottom y2); -1 where not saved.
struct WindowPlacement {
    int flags = -1, showCmd = -1, x1 = -1, y1 = -1, x2 = -1, y2 = -1;
};
// Whether it may be applied: every value saved, x1 at most the screen
// width minus an icon's width and y1 at most the screen height minus an
// icon's height (so a window saved on a larger screen never opens out of
// sight).
bool PlacementUsable(const WindowPlacement& placement, int screenWidth, int screenHeight, int iconWidth,
                     int iconHeight);

}  // namespace elix
