#include "response/time_response.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace vx {

namespace {

using Complex = std::complex<double>;

struct Pole {
    Complex p;
    size_t stage;
};

// The first time the linearly interpolated samples reach `level` from below, or NaN.
double FirstReach(const std::vector<double>& t, const std::vector<double>& y, double level) {
    for (size_t i = 1; i < y.size(); ++i) {
        if (y[i - 1] < level && y[i] >= level) {
            return t[i - 1] + (t[i] - t[i - 1]) * (level - y[i - 1]) / (y[i] - y[i - 1]);
        }
    }
    return NAN;
}

// The time after which |y - target| stays within `band`: the last crossing out of it,
// interpolated; NaN when the end of the span is still outside.
double Settling(const std::vector<double>& t, const std::vector<double>& y, double target,
                double band) {
    if (y.empty() || std::fabs(y.back() - target) > band) {
        return NAN;
    }
    for (size_t i = y.size() - 1; i-- > 0;) {
        const double outside = std::fabs(y[i] - target);
        if (outside > band) {
            const double inside = std::fabs(y[i + 1] - target);
            return t[i] + (t[i + 1] - t[i]) * (outside - band) / (outside - inside);
        }
    }
    return 0.0;
}

}  // namespace

StepFigures MeasureStep(const std::vector<double>& time, const std::vector<double>& step,
                        double finalValue) {
    StepFigures f;
    f.finalValue = finalValue;
    double peak = 0.0;
    for (double y : step) {
        peak = std::max(peak, std::fabs(y));
    }
    if (std::fabs(finalValue) <= 1e-9 * peak) {
        f.overshootPercent = NAN;
        f.riseTime = NAN;
        f.settlingTime = Settling(time, step, 0.0, 0.01 * peak);
        return f;
    }
    // Relative to the final value, so that an inverting filter reads as a rising one.
    std::vector<double> y(step.size());
    for (size_t i = 0; i < y.size(); ++i) {
        y[i] = step[i] / finalValue;
    }
    f.overshootPercent = std::max(0.0, 100.0 * (*std::max_element(y.begin(), y.end()) - 1.0));
    f.riseTime = FirstReach(time, y, 0.9) - FirstReach(time, y, 0.1);
    f.settlingTime = Settling(time, y, 1.0, 0.01);
    return f;
}

std::optional<TimeResponse> CascadeTimeResponse(const std::vector<RationalStage>& stages,
                                                double span, int points, double start) {
    std::vector<Pole> poles;
    double dc = 1.0;
    for (size_t j = 0; j < stages.size(); ++j) {
        dc *= stages[j].numerator.front() / stages[j].denominator.front();
        for (const Complex& p : stages[j].poles) {
            if (!(p.real() < 0.0)) {
                return std::nullopt;
            }
            poles.push_back({p, j});
        }
    }
    // Poles that coincide (equal stages) have no residues of their own. Moving one of them by a
    // few millionths changes the response by about as much and keeps the sum exact otherwise.
    for (size_t a = 0; a < poles.size(); ++a) {
        for (size_t b = 0; b < a; ++b) {
            if (std::abs(poles[a].p - poles[b].p) < 1e-6 * std::abs(poles[a].p)) {
                poles[a].p *= 1.0 + 4e-6 * static_cast<double>(a - b);
            }
        }
    }
    // Residue of the cascade at each pole: that of its own stage, N / D' in z, times the other
    // stages' transfer there.
    std::vector<Complex> residues;
    for (size_t a = 0; a < poles.size(); ++a) {
        const RationalStage& own = stages[poles[a].stage];
        const Complex z = poles[a].p / own.scale;
        Complex numerator = 0.0;
        for (size_t i = own.numerator.size(); i-- > 0;) {
            numerator = numerator * z + own.numerator[i];
        }
        Complex derivative = own.denominator.back();
        for (size_t b = 0; b < poles.size(); ++b) {
            if (b != a && poles[b].stage == poles[a].stage) {
                derivative *= z - poles[b].p / own.scale;
            }
        }
        Complex r = own.scale * numerator / derivative;
        for (size_t j = 0; j < stages.size(); ++j) {
            if (j != poles[a].stage) {
                r *= stages[j].At(poles[a].p);
            }
        }
        residues.push_back(r);
    }
    TimeResponse out;
    const size_t n = static_cast<size_t>(std::max(points, 2));
    const double dt = span / static_cast<double>(n - 1);
    out.time.resize(n);
    out.step.assign(n, dc);
    out.impulse.assign(n, 0.0);
    for (size_t i = 0; i < n; ++i) {
        out.time[i] = start + dt * static_cast<double>(i);
    }
    for (size_t a = 0; a < poles.size(); ++a) {
        // exp(p t) by steps of exp(p dt), each step exact to rounding.
        const Complex factor = std::exp(poles[a].p * dt);
        const Complex stepWeight = residues[a] / poles[a].p;
        Complex e = std::exp(poles[a].p * start);
        for (size_t i = 0; i < n; ++i) {
            out.step[i] += (stepWeight * e).real();
            out.impulse[i] += (residues[a] * e).real();
            e *= factor;
        }
    }
    out.figures = MeasureStep(out.time, out.step, dc);
    return out;
}

}  // namespace vx
