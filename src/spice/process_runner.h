#pragma once

#include <string>
#include <vector>

namespace vx {

// One program to start: its arguments (the first names the program; it is looked up on PATH
// when it has no slash), optionally one file for its standard output and error, and the folder
// it runs in.
struct ProcessRequest {
    std::vector<std::string> arguments;
    std::string outputFile;        // empty: inherit
    std::string workingDirectory;  // empty: inherit
};

struct ProcessResult {
    bool started = false;   // false when the program could not be executed at all
    int exitCode = -1;      // the program's exit status; -1 when it was ended by a signal
    bool timedOut = false;  // ended by its caller's time limit
};

// Starts the program without a shell and waits, without limit, until it ends.
ProcessResult RunProcess(const ProcessRequest& request);

// The full path of the executable a simulator call names (absolute or relative with a slash,
// or found on PATH), or an empty text when there is none.
std::string FindExecutable(const std::string& command);

}  // namespace vx
