#include "structures/gain_resistors.h"

#include <cmath>

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
    std::optional<GainResistors> best;
    double bestDeviation = INFINITY;
    StandardValue rf(series, low);
    if (rf.Value() < low) {
        rf.Next();
    }
    for (; rf.Value() <= high; rf.Next()) {
        // The ground resistors either side of the exact one.
        StandardValue rg(series, rf.Value() / (gain - 1.0));
        for (double ground : {rg.Previous(), rg.Next(), rg.Next()}) {
            const double deviation = std::fabs(rf.Value() / ground + 1.0 - gain);
            if (ground >= low && ground <= high && deviation < bestDeviation) {
                bestDeviation = deviation;
                best = GainResistors{rf.Value(), ground};
            }
        }
    }
    return best;
}

}  // namespace vx
