#pragma once

#include <optional>
#include <string>

#include "cli/commands.h"

namespace vx::cli {

// What `veltranix-cli design` was asked to do. A new output option adds a field here, a line
// to the option table in design_options.cpp and a step in design_command.cpp.
struct DesignOptions {
    std::string file;
    std::optional<double> fmin;
    std::optional<double> fmax;
    std::string curvesPath;
    std::string savePath;
    bool quiet = false;
    bool help = false;
};

struct ParsedDesignOptions {
    DesignOptions options;
    std::string error;  // empty when the arguments were understood
};

ParsedDesignOptions ParseDesignOptions(const Args& args);

extern const char* const kDesignHelp;

}  // namespace vx::cli
