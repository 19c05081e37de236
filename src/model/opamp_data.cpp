#include "model/opamp_data.h"

#include <algorithm>
#include <numbers>

namespace vx {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

}  // namespace

// The loop gain of a follower is A(jw). At the unity-gain frequency wu = 2 pi GBW it has
//   |A(j wu)| = A0 / sqrt((1 + (wu T1)^2)(1 + (wu T2)^2)) = 1,
//   phase margin PM = 180 deg - atan(wu T1) - atan(wu T2).
// Given PM, T2 = tan(180 deg - PM - atan(wu T1)) / wu; given T2, the magnitude condition gives
//   T1 = sqrt(A0^2 / (1 + (wu T2)^2) - 1) / wu.
// Since atan(wu T1) lies a hair below 90 degrees, a few rounds of the two settle both. With a
// second pole fp instead of PM, T2 = 1 / (2 pi fp) and only T1 is solved for.
TwoPoleModel ModelOf(const OpAmpData& data) {
    TwoPoleModel m;
    m.dcGain = std::isfinite(data.dcGain) ? data.dcGain : kDefaultDcGain;
    const double wu = 2.0 * std::numbers::pi * data.gbw;
    const bool byMargin = std::isfinite(data.phaseMargin);
    if (!byMargin && std::isfinite(data.secondPole)) {
        m.t2 = 1.0 / (2.0 * std::numbers::pi * data.secondPole);
    }
    for (int round = 0; round < 50; ++round) {
        const double x2 = wu * m.t2;
        m.t1 = std::sqrt(std::max(m.dcGain * m.dcGain / (1.0 + x2 * x2) - 1.0, 0.0)) / wu;
        if (!byMargin) {
            break;
        }
        const double t2 =
            std::tan((180.0 - data.phaseMargin) * kDegree - std::atan(wu * m.t1)) / wu;
        if (std::fabs(t2 - m.t2) <= 1e-15 * std::fabs(t2)) {
            break;
        }
        m.t2 = std::max(t2, 0.0);
    }
    return m;
}

LoopFigures FiguresOf(const TwoPoleModel& model) {
    // |A(jw)| falls monotonically: the crossing by bisection in log w.
    auto magnitude = [&](double w) {
        const double a = w * model.t1;
        const double b = w * model.t2;
        return model.dcGain / std::sqrt((1.0 + a * a) * (1.0 + b * b));
    };
    double low = 1e-6;
    double high = 1e15;
    for (int i = 0; i < 200; ++i) {
        const double mid = std::sqrt(low * high);
        (magnitude(mid) > 1.0 ? low : high) = mid;
    }
    const double wu = std::sqrt(low * high);
    return {wu / (2.0 * std::numbers::pi),
            180.0 - (std::atan(wu * model.t1) + std::atan(wu * model.t2)) / kDegree};
}

}  // namespace vx
