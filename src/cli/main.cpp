// elastrix-cli: the headless runner and analysis tool.
#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"

namespace {

constexpr const char* kUsage =
    "Usage: elastrix-cli COMMAND [OPTIONS] ARGUMENTS...\n"
    "\n"
    "Commands:\n"
    "  info MODEL.wmd              print a summary of a model\n"
    "  convert IN.wmd OUT.wmd      read a model and write it in the current format\n"
    "  run [OPTIONS] MODEL.wmd...  run models unattended (see run --help)\n"
    "  check MODEL.wmd             check a model and print its Model Data and warnings\n"
    "  spectrum MODEL.wmd          spectra of the model's recorded receiver signals\n"
    "  attenuation MODEL.wmd       the spectra in dB against a reference curve\n"
    "  timer MODEL.wmd             arrival delays and velocities between two receiver curves\n"
    "\n"
    "Options:\n"
    "  -h, --help                  show this help (after a command: the command's help)\n"
    "  --version                   show the program version\n"
    "\n"
    "Exit status: 0 success, 1 failure, 2 usage error.\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace elix::cli;
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const std::string command = argv[1];
    Arguments args(argv + 2, argv + argc);
    if (command == "-h" || command == "--help" || command == "help") {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    if (command == "--version") {
        std::printf("elastrix-cli %s\n", ELASTRIX_VERSION);
        return kExitOk;
    }
    if (command == "info") return InfoCommand(args);
    if (command == "convert") return ConvertCommand(args);
    if (command == "run") return RunCommand(args);
    if (command == "check") return CheckCommand(args);
    if (command == "spectrum") return SpectrumCommand(args);
    if (command == "attenuation") return AttenuationCommand(args);
    if (command == "timer") return TimerCommand(args);
    std::fprintf(stderr, "elastrix-cli: unknown command '%s'\n\n%s", command.c_str(), kUsage);
    return kExitUsage;
}
