#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "analysis/tolerance_settings.h"
#include "cli/commands.h"

// The tolerance options of veltranix-cli: a Monte Carlo analysis of the designed filter.
namespace vx::cli {

struct ToleranceOptions {
    bool enabled = false;            // any tolerance option asks for the analysis
    std::optional<double> resistor;  // relative; unset: the series' default
    std::optional<double> capacitor;
    std::optional<double> gainBandwidth;
    ToleranceDistribution distribution = ToleranceDistribution::UNIFORM;
    int runs = ToleranceSettings::kDefaultRuns;
    uint64_t seed = 1;
    std::string csvPath;  // the band as CSV; empty: none
};

extern const char* const kToleranceOptionsHelp;

// When args[i] is a tolerance option, takes it and its value (advancing i to the value) and
// returns true; a bad value leaves a message in `error`. "--tolerance" takes the following
// argument as its list only when that looks like one ("R=1%,C=5%").
bool TakeToleranceOption(const Args& args, std::size_t& i, ToleranceOptions& options,
                         std::string& error);

// The analysis's settings for the design in `filter`, with the search's thread count.
ToleranceSettings SettingsFor(const ToleranceOptions& options, const CFilter& filter, int threads);

}  // namespace vx::cli
