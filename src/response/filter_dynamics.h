#pragma once

#include <optional>
#include <vector>

#include "response/rational_stage.h"
#include "response/time_response.h"

namespace vx {

// A design's stages as rational functions: the target's (exact values, ideal op-amp) and the
// filter's (stored values, op-amp model), with the curve grid (angular frequencies from
// `firstOmega`, each the previous times `ratio`) and the filter frequency in hertz.
struct DesignTransfers {
    std::vector<RationalStage> target;
    std::vector<RationalStage> filter;
    double firstOmega = 0.0;
    double ratio = 1.0;
    double frequency = 0.0;
};

// Phase and time responses of the target and of the final filter. The phases, in degrees on the
// curve grid, start between -180 and 180 degrees and run on continuously. The time responses
// span five periods of the filter frequency, the span of the Spice step analysis; nothing for a
// design that is not stable.
struct FilterDynamics {
    std::vector<double> targetPhase;
    std::vector<double> filterPhase;
    std::optional<TimeResponse> targetStep;
    std::optional<TimeResponse> filterStep;
};

inline constexpr double kStepPeriods = 5.0;

FilterDynamics ComputeDynamics(const DesignTransfers& transfers, int points);

// The continuous phase in degrees of a cascade at `points` grid frequencies.
std::vector<double> CascadePhase(const std::vector<RationalStage>& stages, double firstOmega,
                                 double ratio, int points);
// The same on a grid of its own (a zoomed view), with the whole turns the phase has taken from
// `anchorOmega` on, where it starts as above: every grid reads the same phase at a frequency.
std::vector<double> CascadePhaseFrom(const std::vector<RationalStage>& stages, double anchorOmega,
                                     double firstOmega, double ratio, int points);

}  // namespace vx
