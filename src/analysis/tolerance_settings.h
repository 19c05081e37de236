#pragma once

#include <cstdint>
#include <optional>

#include "model/filter.h"
#include "model/user_message.h"

namespace vx {

// How a part's value scatters within its tolerance t: uniformly over ±t, or normally with
// t = 3 sigma (a draw beyond ±t is drawn again, as such a part would be rejected).
enum class ToleranceDistribution { UNIFORM, NORMAL };

// What a tolerance analysis varies and how often. Tolerances are relative (0.01 for 1 %).
struct ToleranceSettings {
    static constexpr int kDefaultRuns = 1000;
    // Every run keeps its response on the 1501-point grid for the quantiles: 12 kB a run.
    static constexpr int kMaxRuns = 10000;
    static constexpr double kMaxTolerance = 0.5;

    double resistorTolerance = 0.05;
    double capacitorTolerance = 0.05;
    // Spread of each op-amp's gain-bandwidth product A0 / (2 pi T1); the ideal op-amp has none.
    double gainBandwidthSpread = 0.0;
    ToleranceDistribution distribution = ToleranceDistribution::UNIFORM;
    int runs = kDefaultRuns;
    uint64_t seed = 1;
    int threads = 0;  // 0 takes one per core; the result is the same for every count

    // The defaults for a design: the resistors' tolerance follows their series.
    static ToleranceSettings For(const CFilter& filter);
    bool operator==(const ToleranceSettings&) const = default;
};

// The usual tolerance of a series: E12 and E24 5 %, E48 2 %, E96 1 %, E192 0.5 %.
double DefaultResistorTolerance(ResistorSeries series);

// Refuses tolerances outside 0 to 50 % and run counts outside 1 to kMaxRuns.
std::optional<UserMessage> CheckToleranceSettings(const ToleranceSettings& settings);

}  // namespace vx
