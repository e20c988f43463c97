#include "app/program_rules.h"

#include <cctype>

#include "platform/text_format.h"

namespace elix {

ProgramCommandLine ParseProgramCommandLine(const std::vector<std::string>& args) {
    ProgramCommandLine line;
    for (const std::string& arg : args) {
        // Only '-' starts a switch: '/' starts every absolute path.
        if (arg.size() < 2 || arg[0] != '-') {
            line.files.push_back(arg);
            continue;
        }
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(arg[1])));
        if (letter == 'r')
            line.batchRun = true;
        else if (arg == "--help" || (arg.size() == 2 && letter == 'h'))
            line.help = true;
        else
            line.unknownSwitches.push_back(arg);
    }
    return line;
}

std::string ProgramUsage() {
    return "Usage: elastrix [-r] [MODEL.wmd]\n"
           "Opens MODEL.wmd (a new model when none is named) in the Elastrix desktop program.\n"
           "\n"
           "Options:\n"
           "  -r MODEL.wmd   run the model unattended, writing elix.log in the installation\n"
           "                 folder, and exit (needs no display)\n"
           "  -h, --help     show this text and exit\n";
}

std::string VersionLine() {
    return Format("Elastrix Version %s %s.", ELASTRIX_VERSION, __DATE__);
}

std::string SplashVersionLine() {
    return VersionLine() + "  4 Processors";
}

std::string AboutText() {
    return VersionLine() + "  4 Processors" + "\nLinux";
}

bool PlacementUsable(const WindowPlacement& placement, int screenWidth, int screenHeight, int iconWidth,
                     int iconHeight) {
    for (const int value : {placement.flags, placement.showCmd, placement.x1, placement.y1, placement.x2, placement.y2})
        if (value == -1) return false;
    return placement.x1 <= screenWidth - iconWidth && placement.y1 <= screenHeight - iconHeight;
}

}  // namespace elix
