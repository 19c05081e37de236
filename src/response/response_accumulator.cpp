#include "response/response_accumulator.h"

#include <array>
#include <cmath>

namespace vx {

void CResponseAccumulator::Reset(bool linear) {
    for (CShowFregang* curve : {&curves_.target, &curves_.traditional, &curves_.filter}) {
        curve->Fill(1.0);
        curve->SetLinearInterpolation(linear);
    }
    curves_.groupDelay.Fill(0.0);
    curves_.groupDelay.SetLinearInterpolation(linear);
}

std::vector<double> CResponseAccumulator::SampleMagnitude(
    const std::function<double(double)>& magnitude) const {
    std::vector<double> samples(kCurvePoints);
    ForEachPoint([&](int i, double w) { samples[static_cast<size_t>(i)] = magnitude(w); });
    return samples;
}

void CResponseAccumulator::Multiply(CShowFregang& curve, const std::vector<double>& samples) {
    for (size_t i = 0; i < samples.size(); ++i) {
        curve.MultiplyAt(static_cast<int>(i), samples[i]);
    }
}

void CResponseAccumulator::AddGroupDelay(const std::function<double(double)>& groupDelay) {
    std::array<double, kCurvePoints> g{};
    ForEachPoint([&](int i, double w) {
        double v = groupDelay(w);
        if (i >= 2) {
            // The principal-value phase jumps where Re(H) changes sign; such a spike is replaced
            // by the mean of the two previous points.
            const double predicted =
                2.0 * g[static_cast<size_t>(i - 1)] - g[static_cast<size_t>(i - 2)];
            if (std::fabs(v / predicted - 1.0) > 0.02) {
                v = (g[static_cast<size_t>(i - 1)] + g[static_cast<size_t>(i - 2)]) * 0.5;
            }
        }
        g[static_cast<size_t>(i)] = v;
    });
    for (int i = 0; i < kCurvePoints; ++i) {
        curves_.groupDelay.AddAt(i, g[static_cast<size_t>(i)]);
    }
}

}  // namespace vx
