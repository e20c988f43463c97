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
    if (const int status = FileArgumentsUsage(args, 2, kConvertHelp); status != kContinue) return status;
    TerminalUserInterface ui;
    CElixDoc doc;
    if (!OpenModel(doc, ui, args[0])) return kExitFailure;
    const float readVersion = doc.fileFormatVersion;
    // WriteModel shows its own failure message through the user interface.
    if (!doc.WriteModel(args[1])) return kExitFailure;
    std::printf("Converted '%s' (format %.2f) to '%s' (format %.2f).\n", args[0].c_str(), readVersion,
                args[1].c_str(), doc.fileFormatVersion);
    return kExitOk;
}

}  // namespace elix::cli
