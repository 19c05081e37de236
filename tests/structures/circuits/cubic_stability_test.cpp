#include "structures/circuits/cubic_stability.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <random>

namespace vx {
namespace {

using Cx = std::complex<double>;

// Roots of s^3 + p s^2 + q s + r by the Durand-Kerner iteration.
std::array<Cx, 3> Roots(double p, double q, double r) {
    auto f = [&](Cx s) { return ((s + p) * s + q) * s + r; };
    const double scale = 1.0 + std::max({std::abs(p), std::abs(q), std::abs(r)});
    std::array<Cx, 3> z = {Cx(0.4, 0.9) * scale, Cx(0.4, 0.9) * Cx(0.4, 0.9) * scale,
                           Cx(0.4, 0.9) * Cx(0.4, 0.9) * Cx(0.4, 0.9) * scale};
    for (int iteration = 0; iteration < 500; ++iteration) {
        double step = 0.0;
        for (size_t i = 0; i < 3; ++i) {
            Cx d = 1.0;
            for (size_t j = 0; j < 3; ++j) {
                if (j != i) {
                    d *= z[i] - z[j];
                }
            }
            const Cx delta = f(z[i]) / d;
            z[i] -= delta;
            step = std::max(step, std::abs(delta));
        }
        if (step < 1e-14 * scale) {
            break;
        }
    }
    return z;
}

// (s - x)(s^2 - 2 u s + u^2 + v^2): one real root x and the pair u +- jv.
std::array<double, 3> FromRoots(double x, double u, double v) {
    const double m = u * u + v * v;
    return {-x - 2.0 * u, 2.0 * u * x + m, -x * m};
}

TEST(CubicStability, AgreesWithTheRootsOfRandomCubics) {
    std::mt19937 rng(17);
    std::uniform_real_distribution<double> coefficient(-3.0, 3.0);
    int stable = 0;
    for (int i = 0; i < 5000; ++i) {
        const double p = coefficient(rng), q = coefficient(rng), r = coefficient(rng);
        const std::array<Cx, 3> z = Roots(p, q, r);
        double largest = -INFINITY;
        for (const Cx& root : z) {
            largest = std::max(largest, root.real());
        }
        // Roots this close to the axis are decided by the constructed cases below.
        if (std::abs(largest) < 1e-6) {
            continue;
        }
        SCOPED_TRACE(testing::Message() << p << " " << q << " " << r);
        EXPECT_EQ(CubicIsStable(p, q, r), largest < 0.0);
        stable += largest < 0.0 ? 1 : 0;
    }
    EXPECT_GT(stable, 250);  // both outcomes are exercised
}

TEST(CubicStability, RootsJustEitherSideOfTheImaginaryAxis) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> magnitude(0.1, 10.0);
    for (int i = 0; i < 2000; ++i) {
        const double x = -magnitude(rng), v = magnitude(rng);
        for (const double u : {-1e-6, 1e-6}) {
            const auto [p, q, r] = FromRoots(x, u * v, v);
            EXPECT_EQ(CubicIsStable(p, q, r), u < 0.0) << x << " " << u * v << " " << v;
        }
        // A real root just right of the origin.
        const auto [p, q, r] = FromRoots(1e-6 * v, -v, v);
        EXPECT_FALSE(CubicIsStable(p, q, r));
    }
}

TEST(CubicStability, RootsOnTheAxisAreNotStable) {
    // (s + 2)(s^2 + 3): p q = r exactly.
    EXPECT_FALSE(CubicIsStable(2.0, 3.0, 6.0));
    // A root at the origin.
    EXPECT_FALSE(CubicIsStable(2.0, 3.0, 0.0));
    // Three negative real roots, and a stable cubic whose only fault would be q = 0.
    EXPECT_TRUE(CubicIsStable(6.0, 11.0, 6.0));
    EXPECT_FALSE(CubicIsStable(1.0, 0.0, 0.5));
}

}  // namespace
}  // namespace vx
