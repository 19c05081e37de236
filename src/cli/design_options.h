#pragma once

#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/noise_options.h"
#include "cli/plot_options.h"
#include "cli/spice_options.h"
#include "cli/tolerance_options.h"

namespace vx::cli {

// What `veltranix-cli design` was asked to do. A new output option adds a field here, a line
// to the option table in design_options.cpp and a step in design_command.cpp.
struct DesignOptions {
    std::string file;
    std::optional<double> fmin;
    std::optional<double> fmax;
    std::string curvesPath;
    std::string stepPath;
    std::string savePath;
    std::string htmlPath;
    std::string designer;
    std::string partsListPath;
    bool filterParams = false;
    bool quiet = false;
    int threads = 0;  // search threads; 0 takes one per core, -1 marks a bad value
    std::optional<std::string> search;  // --search and --window as given
    std::optional<std::string> window;
    bool help = false;
    PlotOptions plot;
    SpiceOptions spice;
    ToleranceOptions tolerance;
    NoiseOptions noise;
};

struct ParsedDesignOptions {
    DesignOptions options;
    std::string error;  // empty when the arguments were understood
};

ParsedDesignOptions ParseDesignOptions(const Args& args);

// The whole help text of the command.
std::string DesignHelp();

}  // namespace vx::cli
