#include "analysis/tolerance_mask.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vx {

namespace {

double FromDb(double db) {
    return std::pow(10.0, db / 20.0);
}

}  // namespace

CToleranceMask::CToleranceMask(std::span<const double> target)
    : lower_(target.size(), 0.0), upper_(target.size(), 0.0) {
    const double peak = *std::max_element(target.begin(), target.end());
    const double edge = peak * FromDb(-kEdgeDb);
    const double floor = peak * FromDb(-kMaxAttenuationDb);
    for (size_t k = 0; k < target.size(); ++k) {
        if (target[k] >= edge) {
            lower_[k] = target[k] * FromDb(-kPassBandDb);
            upper_[k] = target[k] * FromDb(kPassBandDb);
        } else {
            upper_[k] = std::max(target[k], floor) * FromDb(kStopBandMarginDb);
        }
    }
}

double SchemeReference(std::span<const double> target) {
    return *std::max_element(target.begin(), target.end());
}

CToleranceMask::CToleranceMask(const ToleranceScheme& scheme, std::span<const double> omegas,
                               std::span<const double> target)
    : lower_(omegas.size(), 0.0), upper_(omegas.size(), INFINITY) {
    const double reference = SchemeReference(target);
    for (const SchemeRegion& r : SchemeRegions(scheme)) {
        const double limit = reference * FromDb(-r.attenuationDb);
        for (size_t k = 0; k < omegas.size(); ++k) {
            const double f = omegas[k] / (2.0 * std::numbers::pi);
            if (f >= r.from && f <= r.to) {
                (r.pass ? lower_[k] : upper_[k]) = limit;
            }
        }
    }
}

bool CToleranceMask::Passes(std::span<const double> m) const {
    for (size_t k = 0; k < m.size(); ++k) {
        if (!(m[k] >= lower_[k] && m[k] <= upper_[k])) {
            return false;
        }
    }
    return true;
}

}  // namespace vx
