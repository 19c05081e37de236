#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "cli/option_table.h"
#include "model/user_message.h"

// The Spice options of veltranix-cli: the netlist and display file of one analysis, and the
// check of a design against ngspice.
namespace vx {
class CDesignSession;
}  // namespace vx

namespace vx::cli {

struct SpiceOptions {
    int mode = 0;         // 1..6 as in the Spice menu; 0: no files
    std::string dir;      // folder for the files; empty: the system's temporary folder
    bool verify = false;  // run the AC netlist through ngspice and compare
};

// Largest deviation in dB between ngspice and the program that --verify accepts.
constexpr double kVerifyToleranceDb = 0.05;

// The Spice options' rows of the design command's option table.
OptionGroup SpiceOptionGroup(SpiceOptions& options);

// Writes the two files of the mode as the Spice menu would, without starting the simulator.
// Returns the Spice command's message when it cannot.
std::optional<UserMessage> WriteSpiceFiles(CDesignSession& session, const SpiceOptions& options);

// Runs the AC netlist through ngspice, prints the largest deviation to `out` and returns the
// exit status: 0 within kVerifyToleranceDb, 1 beyond it, 2 when the check could not run (the
// reason goes to `err`).
int VerifySpice(CDesignSession& session, const SpiceOptions& options, std::FILE* out,
                std::FILE* err);

}  // namespace vx::cli
