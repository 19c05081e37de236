#pragma once

#include <string>

#include "analysis/noise/noise_study.h"
#include "cli/option_table.h"

// The noise options of veltranix-cli: the noise and the op-amp outputs' headroom of the design.
namespace vx::cli {

struct NoiseOptions {
    bool enabled = false;  // any noise option asks for the figures
    NoiseSettings settings;
    std::string csvPath;  // the spectrum and the stage gains as CSV; empty: none
};

OptionGroup NoiseOptionGroup(NoiseOptions& options);

}  // namespace vx::cli
