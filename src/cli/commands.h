// The commands of elastrix-cli. Each takes the arguments after its name and
// returns the process exit status: 0 success, 1 failure, 2 usage error.
#pragma once

#include <string>
#include <vector>

namespace elix::cli {

using Arguments = std::vector<std::string>;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

int InfoCommand(const Arguments& args);
int ConvertCommand(const Arguments& args);
int CheckCommand(const Arguments& args);

// True when args holds "--help" or "-h".
bool WantsHelp(const Arguments& args);

}  // namespace elix::cli
