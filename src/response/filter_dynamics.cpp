#include "response/filter_dynamics.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace vx {

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;

// The phase of the polynomial c(j w / scale) along the grid, in degrees, continuous from its
// low-frequency asymptote: k times 90 degrees for the lowest power k that carries weight, plus
// 180 for a negative coefficient there.
void AddPolynomialPhase(const std::vector<double>& c, double scale, double firstOmega, double ratio,
                        double sign, std::vector<double>& phase) {
    double largest = 0.0;
    for (double x : c) {
        largest = std::max(largest, std::fabs(x));
    }
    size_t lowest = 0;
    while (lowest + 1 < c.size() && std::fabs(c[lowest]) <= 1e-9 * largest) {
        ++lowest;
    }
    double previous = 90.0 * static_cast<double>(lowest) + (c[lowest] < 0.0 ? 180.0 : 0.0);
    double w = firstOmega;
    for (double& total : phase) {
        const std::complex<double> z(0.0, w / scale);
        std::complex<double> value = 0.0;
        for (size_t i = c.size(); i-- > 0;) {
            value = value * z + c[i];
        }
        double angle = std::arg(value) * kDegrees;
        angle += 360.0 * std::round((previous - angle) / 360.0);
        previous = angle;
        total += sign * angle;
        w *= ratio;
    }
}

}  // namespace

std::vector<double> CascadePhase(const std::vector<RationalStage>& stages, double firstOmega,
                                 double ratio, int points) {
    std::vector<double> phase(static_cast<size_t>(std::max(points, 0)), 0.0);
    for (const RationalStage& stage : stages) {
        AddPolynomialPhase(stage.numerator, stage.scale, firstOmega, ratio, 1.0, phase);
        AddPolynomialPhase(stage.denominator, stage.scale, firstOmega, ratio, -1.0, phase);
    }
    // Whole turns taken off, so that the curve starts between -180 and 180 degrees (two
    // inverting stages start at 0, not at 360).
    if (!phase.empty()) {
        const double turns = 360.0 * std::round(phase.front() / 360.0);
        for (double& p : phase) {
            p -= turns;
        }
    }
    return phase;
}

std::vector<double> CascadePhaseFrom(const std::vector<RationalStage>& stages, double anchorOmega,
                                     double firstOmega, double ratio, int points) {
    std::vector<double> phase = CascadePhase(stages, firstOmega, ratio, points);
    if (phase.empty() || anchorOmega == firstOmega) {
        return phase;
    }
    // Steps as fine as the curve grid's at the widest plot range (a factor 10000 in 1500).
    const int leadPoints =
        std::max(2, static_cast<int>(std::ceil(std::fabs(std::log(firstOmega / anchorOmega)) /
                                               std::log(10000.0) * 1500.0)) +
                        1);
    const std::vector<double> lead =
        CascadePhase(stages, anchorOmega,
                     std::pow(firstOmega / anchorOmega, 1.0 / (leadPoints - 1)), leadPoints);
    const double turns = 360.0 * std::round((lead.back() - phase.front()) / 360.0);
    for (double& p : phase) {
        p += turns;
    }
    return phase;
}

FilterDynamics ComputeDynamics(const DesignTransfers& transfers, int points) {
    FilterDynamics d;
    d.targetPhase = CascadePhase(transfers.target, transfers.firstOmega, transfers.ratio, points);
    d.filterPhase = CascadePhase(transfers.filter, transfers.firstOmega, transfers.ratio, points);
    if (transfers.frequency > 0.0) {
        const double span = kStepPeriods / transfers.frequency;
        d.targetStep = CascadeTimeResponse(transfers.target, span, points);
        d.filterStep = CascadeTimeResponse(transfers.filter, span, points);
    }
    return d;
}

}  // namespace vx
