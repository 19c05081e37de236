#include "analysis/tolerance_random.h"

#include <cmath>
#include <numbers>

namespace vx {

namespace {

constexpr uint64_t kGolden = 0x9E3779B97F4A7C15ULL;

// The finaliser of SplitMix64: neighbouring inputs give unrelated outputs.
uint64_t Mix(uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

}  // namespace

CToleranceRandom::CToleranceRandom(uint64_t seed, uint64_t run)
    : state_(Mix(Mix(seed + kGolden) + run * kGolden)) {}

uint64_t CToleranceRandom::Next() {
    state_ += kGolden;
    return Mix(state_);
}

double CToleranceRandom::Uniform() {
    return static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

double CToleranceRandom::Normal() {
    // 1 - u lies in (0, 1], so the logarithm is finite.
    const double radius = std::sqrt(-2.0 * std::log(1.0 - Uniform()));
    return radius * std::cos(2.0 * std::numbers::pi * Uniform());
}

double CToleranceRandom::Factor(double tolerance, ToleranceDistribution distribution) {
    // Drawn even for a zero tolerance, so that each part keeps its draws whatever the others'
    // tolerances are.
    if (distribution == ToleranceDistribution::UNIFORM) {
        return 1.0 + tolerance * (2.0 * Uniform() - 1.0);
    }
    double z = Normal();
    while (std::fabs(z) > 3.0) {
        z = Normal();
    }
    return 1.0 + tolerance * z / 3.0;
}

}  // namespace vx
