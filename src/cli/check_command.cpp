// elastrix-cli check MODEL.wmd: the Check Model command on a terminal.
#include <cstdio>
#include <string>

#include "commands.h"
#include "engine/model_check.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"
#include "terminal_ui.h"

namespace elix::cli {
namespace {

constexpr const char* kCheckHelp =
    "Usage: elastrix-cli check MODEL.wmd\n"
    "\n"
    "Checks a model as the desktop program's Check Model command does: the\n"
    "materials of every gray level and the time step, rigid-body motion,\n"
    "array sources and receivers, pressure sources, and memory. On success\n"
    "prints the Model Data (grid spacing, time step, image size, total steps,\n"
    "grid cells per pixel, image file), the memory result and any warnings.\n"
    "\n"
    "Exit status: 0 the check passed (warnings included), 1 it failed (the\n"
    "reason on stderr), 2 usage error.\n";

std::string ModelDataText(const ModelData& data) {
    std::string out = "Model Data\n";
    auto line = [&out](const char* label, const std::string& value) { out += Format("  %-12s %s\n", label, value); };
    line("Hx:", data.hx);
    line("Hy:", data.hy);
    line("dt:", data.dt);
    line("Width:", data.width);
    line("Height:", data.height);
    line("Total Step:", data.totalStep);
    line("Grid/Pixel:", data.gridPerPixel);
    line("Image File:", data.imageFile);
    std::string box = data.TextBox();
    if (!box.empty()) {
        out += "\n" + box;
        if (box.back() != '\n') out += "\n";
    }
    return out;
}

}  // namespace

int CheckCommand(const Arguments& args) {
    if (const int status = FileArgumentsUsage(args, 1, kCheckHelp); status != kContinue) return status;
    TerminalUserInterface ui;
    CElixDoc doc;
    if (!OpenModel(doc, ui, args[0])) return kExitFailure;
    const CheckModelResult result = CheckModel(doc);
    if (!result.ok) {
        const std::string& message = result.message;
        std::fputs(message.c_str(), stderr);
        if (message.empty() || message.back() != '\n') std::fputc('\n', stderr);
        return kExitFailure;
    }
    std::fputs(ModelDataText(result.data).c_str(), stdout);
    return kExitOk;
}

}  // namespace elix::cli
