#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analysis/tolerance_settings.h"
#include "cli/option_table.h"

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

// The tolerance options' rows of the design command's option table. "--tolerance" takes the
// following argument as its list only when that looks like one ("R=1%,C=5%").
OptionGroup ToleranceOptionGroup(ToleranceOptions& options);

// The analysis's settings for the design in `filter`, with the search's thread count.
ToleranceSettings SettingsFor(const ToleranceOptions& options, const CFilter& filter, int threads);

}  // namespace vx::cli
