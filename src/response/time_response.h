#pragma once

#include <optional>
#include <vector>

#include "response/rational_stage.h"

namespace vx {

// What a step response shows an engineer. Overshoot in per cent of the final value, rise time
// from 10 to 90 % of it, settling time until it stays within 1 % of it; a response that ends at
// 0 (high-pass, band-pass) has no overshoot or rise time and settles to 1 % of its peak. Not a
// number where a figure does not exist or is not reached within the span.
struct StepFigures {
    double finalValue = 0.0;
    double overshootPercent = 0.0;
    double riseTime = 0.0;      // s
    double settlingTime = 0.0;  // s
};

// Step (1 V at t = 0) and impulse response of a cascade of stages on `points` equal steps from 0
// to `span`, summed exactly from the poles and residues of the whole cascade: y(t) = H(0) +
// sum r_i / p_i exp(p_i t). The impulse leaves out the Dirac part a stage passing the highest
// frequencies would add at t = 0.
struct TimeResponse {
    std::vector<double> time;
    std::vector<double> step;
    std::vector<double> impulse;
    StepFigures figures;
};

// Nothing for a cascade with a pole on or right of the imaginary axis: its response grows.
// A `start` after 0 samples a later stretch (a zoomed view); the figures then describe only it.
std::optional<TimeResponse> CascadeTimeResponse(const std::vector<RationalStage>& stages,
                                                double span, int points, double start = 0.0);

// The figures of a step response sampled at `time`.
StepFigures MeasureStep(const std::vector<double>& time, const std::vector<double>& step,
                        double finalValue);

}  // namespace vx
