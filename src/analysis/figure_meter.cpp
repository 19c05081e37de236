#include "analysis/figure_meter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace vx {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kTwoPi = 2.0 * std::numbers::pi;
// Golden-section steps: each keeps 0.618 of the bracket, so 40 leave a few 1e-9 of one grid
// step's 0.3 %.
constexpr int kRefineSteps = 40;

double Db(double x) {
    return 20.0 * std::log10(x);
}

// Where on the logarithmic axis between a and b the value crosses `level`, both in logs.
double LogInterpolate(double wa, double ma, double wb, double mb, double level) {
    const double t = (std::log(level) - std::log(ma)) / (std::log(mb) - std::log(ma));
    return wa * std::pow(wb / wa, t);
}

}  // namespace

CFigureMeter::CFigureMeter(FilterType type, std::span<const double> omegas,
                           std::span<const double> target, double referenceOmega,
                           const std::function<double(double)>& nominal)
    : type_(type), omegas_(omegas.begin(), omegas.end()) {
    switch (type) {
        case FilterType::LOWPASS:
            passBandOmega_ = referenceOmega / 10.0;
            break;
        case FilterType::HIGHPASS:
            passBandOmega_ = referenceOmega * 10.0;
            break;
        case FilterType::BANDPASS:
            passBandOmega_ = referenceOmega;
            break;
        case FilterType::BANDREJECT:
            passBandOmega_ = referenceOmega / 100.0;
            break;
    }
    // The target's level at the reference frequency, which the plot range always contains.
    const auto upper = std::upper_bound(omegas_.begin(), omegas_.end(), referenceOmega);
    const size_t k = static_cast<size_t>(
        std::clamp<std::ptrdiff_t>(upper - omegas_.begin(), 1, std::ssize(omegas_) - 1));
    const double t =
        std::log(referenceOmega / omegas_[k - 1]) / std::log(omegas_[k] / omegas_[k - 1]);
    cutoffLevel_ = target[k - 1] * std::pow(target[k] / target[k - 1], t);
    nominalPassBand_ = nominal(passBandOmega_);
}

double CFigureMeter::CutoffDropDb() const {
    return Db(nominalPassBand_ / cutoffLevel_);
}

ResponseFigures CFigureMeter::Measure(std::span<const double> m,
                                      const std::function<double(double)>& magnitudeAt) const {
    switch (type_) {
        case FilterType::LOWPASS:
        case FilterType::HIGHPASS: {
            const double gain = magnitudeAt(passBandOmega_);
            return {Crossing(m, cutoffLevel_ * (gain / nominalPassBand_)), Db(gain)};
        }
        case FilterType::BANDPASS:
            return Extremum(m,
                            static_cast<size_t>(std::max_element(m.begin(), m.end()) - m.begin()),
                            true, magnitudeAt);
        case FilterType::BANDREJECT: {
            const size_t k = static_cast<size_t>(std::min_element(m.begin(), m.end()) - m.begin());
            ResponseFigures notch = Extremum(m, k, false, magnitudeAt);
            notch.levelDb = Db(magnitudeAt(passBandOmega_)) - notch.levelDb;
            return notch;
        }
    }
    return {kNaN, kNaN};
}

double CFigureMeter::Crossing(std::span<const double> m, double level) const {
    const size_t n = m.size();
    if (type_ == FilterType::LOWPASS) {
        // The last point at or above the level; the response falls below it after that one.
        size_t k = n;
        while (k > 0 && !(m[k - 1] >= level)) {
            --k;
        }
        if (k == 0 || k == n) {
            return kNaN;
        }
        return LogInterpolate(omegas_[k - 1], m[k - 1], omegas_[k], m[k], level) / kTwoPi;
    }
    size_t k = 0;
    while (k < n && !(m[k] >= level)) {
        ++k;
    }
    if (k == 0 || k == n) {
        return kNaN;
    }
    return LogInterpolate(omegas_[k - 1], m[k - 1], omegas_[k], m[k], level) / kTwoPi;
}

ResponseFigures CFigureMeter::Extremum(std::span<const double> m, size_t k, bool maximum,
                                       const std::function<double(double)>& magnitudeAt) const {
    if (k == 0 || k + 1 >= m.size()) {
        return {kNaN, kNaN};
    }
    // A notch is a sharp V that the grid misses by far, so the extremum is sought on the
    // response itself, in the logarithm of the frequency between the neighbours of k.
    auto value = [&](double x) {
        const double v = magnitudeAt(std::exp(x));
        return maximum ? -v : v;
    };
    const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
    double a = std::log(omegas_[k - 1]);
    double b = std::log(omegas_[k + 1]);
    double c = b - ratio * (b - a);
    double d = a + ratio * (b - a);
    double fc = value(c);
    double fd = value(d);
    for (int i = 0; i < kRefineSteps; ++i) {
        if (fc < fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - ratio * (b - a);
            fc = value(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + ratio * (b - a);
            fd = value(d);
        }
    }
    const double x = 0.5 * (a + b);
    return {std::exp(x) / kTwoPi, Db(magnitudeAt(std::exp(x)))};
}

}  // namespace vx
