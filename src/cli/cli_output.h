#pragma once

#include <string>

#include "model/user_message.h"

// Text output shared by the sub-commands.
namespace vx::cli {

// Prints "veltranix-cli COMMAND: message" on standard error and returns 2.
int UsageError(const std::string& command, const std::string& message);
// A message of the program for the user on standard error: "caption: text".
void PrintMessage(const UserMessage& message);
// Writes `text` to `path`; false when it cannot be written.
bool WriteTextFile(const std::string& path, const std::string& text);

}  // namespace vx::cli
