#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "text_lines.h"

namespace vx::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs veltranix-cli with the arguments (a shell word list) and standard error redirected to a
// file, so that it is not a terminal. The file is named after the process, since ctest runs the
// tests side by side.
inline CliResult RunCli(const std::string& arguments) {
    const std::string errPath =
        ::testing::TempDir() + "veltranix_cli_stderr_" + std::to_string(getpid()) + ".txt";
    const std::string command = std::string(VX_CLI_PATH) + " " + arguments + " 2>" + errPath;
    CliResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, n);
    }
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.err = ReadFile(errPath);
    std::remove(errPath.c_str());
    return result;
}

}  // namespace vx::test
