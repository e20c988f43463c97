// Pieces every elastrix-cli command shares.
#include <cstdio>

#include "commands.h"
#include "model/elix_doc.h"

namespace elix::cli {

bool WantsHelp(const Arguments& args) {
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h") return true;
    return false;
}

int FileArgumentsUsage(const Arguments& args, std::size_t count, const char* help) {
    if (WantsHelp(args)) {
        std::fputs(help, stdout);
        return kExitOk;
    }
    bool ok = args.size() == count;
    for (const std::string& arg : args) ok = ok && !arg.starts_with("-");
    if (ok) return kContinue;
    std::fputs(help, stderr);
    return kExitUsage;
}

bool OpenModel(CElixDoc& doc, IUserInterface& ui, const std::string& path) {
    doc.SetUserInterface(&ui);
    if (doc.ReadModel(path)) return true;
    if (!doc.MessageText().empty()) std::fprintf(stderr, "%s\n", doc.MessageText().c_str());
    return false;
}

}  // namespace elix::cli
