#include "response/rounding_guard.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vx {

namespace {

// Magnitudes of 0 (an underflow far in the stop band) count as -400 dB instead of -infinity.
double Db(double x) {
    return x > 0.0 ? 20.0 * std::log10(x) : -400.0;
}

// Indices where the target lies within 40 dB of its maximum.
std::vector<size_t> PlotRange(const std::vector<double>& target) {
    double top = -1e300;
    for (double v : target) {
        top = std::max(top, Db(v));
    }
    std::vector<size_t> points;
    for (size_t k = 0; k < target.size(); ++k) {
        if (Db(target[k]) >= top - 40.0) {
            points.push_back(k);
        }
    }
    return points;
}

}  // namespace

double WorstDeviationDb(const std::vector<double>& target, const std::vector<double>& curve) {
    double worst = 0.0;
    for (size_t k : PlotRange(target)) {
        worst = std::max(worst, std::fabs(Db(curve[k]) - Db(target[k])));
    }
    return worst;
}

CRoundingGuard::CRoundingGuard(std::vector<double> target) : target_(std::move(target)) {}

void CRoundingGuard::AddStage(std::vector<double> rounded, std::vector<double> searched) {
    rounded_.push_back(std::move(rounded));
    searched_.push_back(std::move(searched));
}

std::vector<double> CRoundingGuard::Product(const std::vector<bool>& rounded) const {
    std::vector<double> product(target_.size(), 1.0);
    for (size_t i = 0; i < rounded_.size(); ++i) {
        const std::vector<double>& stage = rounded[i] ? rounded_[i] : searched_[i];
        for (size_t k = 0; k < product.size(); ++k) {
            product[k] *= stage[k];
        }
    }
    return product;
}

std::vector<bool> CRoundingGuard::Choose() const {
    const size_t n = rounded_.size();
    const std::vector<bool> allRounded(n, true);
    const double roundedWorst = WorstDeviationDb(target_, Product(allRounded));
    if (WorstDeviationDb(target_, Product(std::vector<bool>(n, false))) <= roundedWorst) {
        return std::vector<bool>(n, false);
    }
    std::vector<bool> mix = GreedyMix();
    return WorstDeviationDb(target_, Product(mix)) <= roundedWorst ? mix : allRounded;
}

std::vector<bool> CRoundingGuard::GreedyMix() const {
    // In dB the stages add, so a swap changes the sum at each point by the stage's difference.
    const std::vector<size_t> points = PlotRange(target_);
    const size_t n = rounded_.size();
    std::vector<std::vector<double>> change(n, std::vector<double>(points.size()));
    std::vector<double> deviation(points.size());
    for (size_t p = 0; p < points.size(); ++p) {
        const size_t k = points[p];
        deviation[p] = -Db(target_[k]);
        for (size_t i = 0; i < n; ++i) {
            deviation[p] += Db(searched_[i][k]);
            change[i][p] = Db(rounded_[i][k]) - Db(searched_[i][k]);
        }
    }
    auto worstWith = [&](const std::vector<double>* swap) {
        double worst = 0.0;
        for (size_t p = 0; p < points.size(); ++p) {
            worst = std::max(worst, std::fabs(deviation[p] + (swap ? (*swap)[p] : 0.0)));
        }
        return worst;
    };
    std::vector<bool> mix(n, false);
    double worst = worstWith(nullptr);
    for (;;) {
        size_t best = n;
        for (size_t i = 0; i < n; ++i) {
            if (mix[i]) {
                continue;
            }
            const double w = worstWith(&change[i]);
            if (w < worst) {
                worst = w;
                best = i;
            }
        }
        if (best == n) {
            return mix;
        }
        mix[best] = true;
        for (size_t p = 0; p < points.size(); ++p) {
            deviation[p] += change[best][p];
        }
    }
}

}  // namespace vx
