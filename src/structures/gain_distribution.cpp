#include "structures/gain_distribution.h"

#include <cmath>
#include <vector>

namespace vx {

namespace {

double EffectiveQ(const StageRecord& s) {
    return s.poleQuality < 0.0 ? 1.0 : s.poleQuality;
}

// Raises every free stage whose gain would fall below 1 to exactly 1 and spreads the rest.
void FloorAtUnity(std::span<StageRecord> stages) {
    const size_t n = stages.size();
    std::vector<bool> fixed(n, false);
    double r = 1.0;
    int c = 0;
    for (size_t i = 0; i < n; ++i) {
        if (stages[i].gain < 1.0) {
            r *= stages[i].gain;
            stages[i].gain = 1.0;
            fixed[i] = true;
            ++c;
        }
    }
    if (c == 0 || static_cast<size_t>(c) == n) {
        return;
    }
    const double f = std::pow(r, 1.0 / static_cast<double>(n - static_cast<size_t>(c)));
    for (size_t i = 0; i < n; ++i) {
        if (!fixed[i] && stages[i].gain * f < 1.0) {
            r *= stages[i].gain;
            stages[i].gain = 1.0;
            fixed[i] = true;
        }
    }
    int m = 0;
    for (size_t i = 0; i < n; ++i) {
        m += fixed[i] ? 0 : 1;
    }
    if (m == 0) {
        return;
    }
    const double f2 = std::pow(r, 1.0 / m);
    for (size_t i = 0; i < n; ++i) {
        if (!fixed[i]) {
            stages[i].gain *= f2;
            if (stages[i].gain <= 1.001) {
                stages[i].gain = 1.0;
            }
        }
    }
}

}  // namespace

void DistributeByQ(std::span<StageRecord> stages, bool floorAtUnity) {
    const size_t n = stages.size();
    if (n == 0) {
        return;
    }
    double p = 1.0;
    double s = 1.0;
    for (const StageRecord& stage : stages) {
        const double q = EffectiveQ(stage);
        p *= stage.gain;
        s *= q * q * stage.poleFrequency;
    }
    const double t =
        std::pow(p, 1.0 / static_cast<double>(n)) * std::pow(s, 1.0 / static_cast<double>(n));
    for (StageRecord& stage : stages) {
        const double q = EffectiveQ(stage);
        stage.gain = t / (q * q * stage.poleFrequency);
    }
    if (floorAtUnity) {
        FloorAtUnity(stages);
    }
}

double LimitBandPassGain(std::span<StageRecord> stages) {
    const size_t n = stages.size();
    std::vector<bool> marked(n, false);
    double l = 1.0;
    auto limit = [](const StageRecord& s) { return 2.0 * s.poleQuality * s.poleQuality; };
    auto clip = [&](size_t i) {
        const double old = stages[i].gain;
        stages[i].gain = 0.999 * limit(stages[i]);
        marked[i] = true;
        l *= old / stages[i].gain;
    };

    int clipped = 0;
    for (size_t i = 0; i < n; ++i) {
        if (limit(stages[i]) < stages[i].gain) {
            clip(i);
            ++clipped;
        }
    }
    if (clipped == 0) {
        return 1.0;
    }
    if (static_cast<size_t>(clipped) < n) {
        const double f = std::pow(l, 1.0 / static_cast<double>(n - static_cast<size_t>(clipped)));
        for (size_t i = 0; i < n; ++i) {
            if (!marked[i] && f * stages[i].gain > limit(stages[i])) {
                clip(i);
            }
        }
        int m = 0;
        for (size_t i = 0; i < n; ++i) {
            m += marked[i] ? 0 : 1;
        }
        if (m > 0) {
            const double f2 = std::pow(l, 1.0 / m);
            for (size_t i = 0; i < n; ++i) {
                if (marked[i]) {
                    continue;
                }
                if (f2 * stages[i].gain <= 0.999 * limit(stages[i])) {
                    stages[i].gain *= f2;
                    l /= f2;
                } else {
                    const double old = stages[i].gain;
                    stages[i].gain = 0.999 * limit(stages[i]);
                    l *= old / stages[i].gain;
                }
            }
        }
    }
    return l;
}

}  // namespace vx
