#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "model/user_message.h"

// Text output shared by the sub-commands.
namespace vx::cli {

// Prints "veltranix-cli COMMAND: message" on standard error and returns 2.
int UsageError(const std::string& command, const std::string& message);
// A message of the program for the user on standard error: "caption: text".
void PrintMessage(const UserMessage& message);
// Runs `command` and returns its status; an exception that leaves it is reported on `err` in one
// line (InternalErrorMessage) and gives the status kInternalError instead of ending the program.
inline constexpr int kInternalError = 3;
int RunGuarded(const std::function<int()>& command, std::FILE* err);
// Writes `text` to `path`; false when it cannot be written.
bool WriteTextFile(const std::string& path, const std::string& text);

}  // namespace vx::cli
