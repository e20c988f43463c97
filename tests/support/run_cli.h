// Runs elastrix-cli as a user would, through the shell, and collects its
// exit status and output.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "support/temp_dir.h"

namespace elix::test {

struct CliRun {
    int status = -1;
    std::string out;  // stdout (with stderr too when merged)
    std::string err;  // stderr, when kept apart
};

enum class CliStderr { Apart, Merged, Dropped };

inline CliRun RunCli(const std::string& arguments, CliStderr mode = CliStderr::Apart) {
    TempDir scratch;
    const std::string errPath = scratch.Path("stderr.txt");
    const char* redirect = mode == CliStderr::Merged ? " 2>&1" : mode == CliStderr::Dropped ? " 2>/dev/null" : "";
    std::string command = std::string(ELASTRIX_CLI_PATH) + " " + arguments + redirect;
    if (mode == CliStderr::Apart) command += " 2>" + errPath;
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (mode == CliStderr::Apart) run.err = ReadFileText(errPath);
    return run;
}

}  // namespace elix::test
