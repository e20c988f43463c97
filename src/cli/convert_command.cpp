// elastrix-cli convert IN.wmd OUT.wmd: reads a model in any historical form
// and writes it in the current one.
#include <cstdio>
#include <string>

#include "commands.h"
#include "model/elix_doc.h"
#include "terminal_ui.h"

namespace elix::cli {
namespace {

constexpr const char* kConvertHelp =
    "Usage: elastrix-cli convert IN.wmd OUT.wmd\n"
    "\n"
    "Reads a model file written by any version and writes it in the current\n"
    "format. OUT may be IN: the file is replaced only once the new one is\n"
    "completely written. The geometry file is not touched.\n";

}  // namespace

int ConvertCommand(const Arguments& args) {
    if (WantsHelp(args)) {
        std::fputs(kConvertHelp, stdout);
        return kExitOk;
    }
    if (args.size() != 2 || args[0].starts_with("-") || args[1].starts_with("-")) {
        std::fputs(kConvertHelp, stderr);
        return kExitUsage;
    }
    TerminalUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    if (!doc.ReadModel(args[0])) {
        if (!doc.MessageText().empty()) std::fprintf(stderr, "%s\n", doc.MessageText().c_str());
        return kExitFailure;
    }
    const float readVersion = doc.fileFormatVersion;
    // WriteModel shows its own failure message through the user interface.
    if (!doc.WriteModel(args[1])) return kExitFailure;
    std::printf("Converted '%s' (format %.2f) to '%s' (format %.2f).\n", args[0].c_str(), readVersion,
                args[1].c_str(), doc.fileFormatVersion);
    return kExitOk;
}

}  // namespace elix::cli
