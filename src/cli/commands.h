// The commands of elastrix-cli. Each takes the arguments after its name and
// returns the process exit status: 0 success, 1 failure, 2 usage error.
#pragma once

#include <string>
#include <vector>

namespace elix {
class CElixDoc;
class IUserInterface;
}  // namespace elix

namespace elix::cli {

using Arguments = std::vector<std::string>;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

int InfoCommand(const Arguments& args);
int ConvertCommand(const Arguments& args);
int RunCommand(const Arguments& args);
int CheckCommand(const Arguments& args);
int SpectrumCommand(const Arguments& args);
int AttenuationCommand(const Arguments& args);
int TimerCommand(const Arguments& args);

// True when args holds "--help" or "-h".
bool WantsHelp(const Arguments& args);

// For a command that takes exactly count file arguments: prints help for
// --help (kExitOk) or a wrong argument list (kExitUsage); kContinue when the
// command should go on.
inline constexpr int kContinue = -1;
int FileArgumentsUsage(const Arguments& args, std::size_t count, const char* help);

// Reads a model into doc, its messages shown through ui; on failure the
// reason is printed on stderr.
bool OpenModel(CElixDoc& doc, IUserInterface& ui, const std::string& path);

}  // namespace elix::cli
