#include "structures/circuits/two_resistor_realisation.h"

#include <cmath>

#include "model/standard_value.h"

namespace vx {

Realisation RealiseWithTwoResistors(double target, int series) {
    const double single = RoundedToSeries(target, series);
    Realisation best{RealisationKind::SINGLE, single, 0.0, single};
    double bestDeviation = std::fabs(single - target);
    auto consider = [&](RealisationKind kind, double a, double b, double value) {
        const double deviation = std::fabs(value - target);
        if (deviation < bestDeviation) {
            bestDeviation = deviation;
            best = {kind, a, b, value};
        }
    };
    // Both searches cover a little over two decades.
    const int steps = 2 * series + 2;

    // Parallel: Ra above the target, Rb the partner that completes it.
    StandardValue upper(series, target);
    for (int i = 0; i < steps; ++i) {
        const double a = upper.Next();
        if (a <= target) {
            continue;
        }
        const double b = RoundedToSeries(target * a / (a - target), series);
        consider(RealisationKind::PARALLEL, a, b, a * b / (a + b));
    }

    // Series: Ra at or below the target, Rb the rest.
    StandardValue lower(series, target);
    if (lower.Value() > target) {
        lower.Previous();
    }
    for (int i = 0; i < steps; ++i) {
        const double a = i == 0 ? lower.Value() : lower.Previous();
        const double rest = target - a;
        if (rest <= 0.0) {
            continue;
        }
        const double b = RoundedToSeries(rest, series);
        consider(RealisationKind::SERIES, a, b, a + b);
    }
    return best;
}

}  // namespace vx
