#include "structures/gain_resistors.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/filter_rules.h"
#include "model/standard_value.h"

namespace vx {

GainResistors ChooseGainResistors(double gain, double r0, int series) {
    if (gain - 1.0 <= 0.0001) {
        return {0.0, kOpenResistor};
    }
    const double c = (1.0 - 1.0 / gain) * r0;
    GainResistors best{0.0, kOpenResistor};
    double bestDeviation = INFINITY;
    auto consider = [&](double rf) {
        const double rg = RoundedToSeries(rf / (gain - 1.0), series);
        const double deviation = std::fabs(rf / rg + 1.0 - gain);
        if (deviation < bestDeviation) {
            bestDeviation = deviation;
            best = {rf, rg};
        }
    };
    StandardValue rf(series, c);
    while (rf.Value() <= 3.5 * c) {
        consider(rf.Value());
        rf.Next();
    }
    rf.SetValue(c);
    while (rf.Value() >= 0.7 * c) {
        consider(rf.Value());
        rf.Previous();
    }
    return best;
}

std::optional<GainResistors> ChooseGainResistorsWithin(double gain, double r0, int series,
                                                       double window) {
    if (gain - 1.0 <= 0.0001) {
        return GainResistors{0.0, kOpenResistor};
    }
    const double low = r0 / window, high = r0 * window;
    std::vector<double> values;
    StandardValue v(series, low);
    if (v.Value() < low) {
        v.Next();
    }
    for (; v.Value() <= high; v.Next()) {
        values.push_back(v.Value());
    }
    std::optional<GainResistors> best;
    double bestDeviation = INFINITY;
    for (double feedback : values) {
        // The gain error falls towards the exact ground resistor from either side: the best
        // ground is one of the two values around it.
        const auto above = std::lower_bound(values.begin(), values.end(), feedback / (gain - 1.0));
        for (auto at = above == values.begin() ? above : above - 1;
             at != values.end() && at <= above; ++at) {
            const double deviation = std::fabs(feedback / *at + 1.0 - gain);
            if (deviation < bestDeviation) {
                bestDeviation = deviation;
                best = GainResistors{feedback, *at};
            }
        }
    }
    return best;
}

}  // namespace vx
