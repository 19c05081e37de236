#pragma once

#include <complex>
#include <functional>
#include <optional>
#include <vector>

namespace vx {

// A stage's transfer function as a ratio of polynomials in z = s / scale, coefficients from the
// constant up; the denominator's constant is 1. The scale (rad/s, near the stage's poles) keeps
// the coefficients of a stage whose amplifier poles lie decades above its own within reach of
// each other.
struct RationalStage {
    double scale = 1.0;
    std::vector<double> numerator;
    std::vector<double> denominator;
    // The poles in s, each once with its multiplicity.
    std::vector<std::complex<double>> poles;

    std::complex<double> At(std::complex<double> s) const;
};

// The rational function of lowest degree (denominator up to kMaxFitDegree) that agrees with
// `transfer` to within a relative 1e-9 at points of the right half of the s-plane around
// `scale`, where a stable stage has no poles; its poles found. Nothing when no degree agrees (a
// stage that is not rational of that degree, or an evaluation that is not finite there).
inline constexpr int kMaxFitDegree = 8;
std::optional<RationalStage> FitRational(
    const std::function<std::complex<double>(std::complex<double>)>& transfer, double scale);

// The roots of the polynomial with real coefficients c0 + c1 z + ... + cn z^n (cn != 0).
std::vector<std::complex<double>> PolynomialRoots(const std::vector<double>& coefficients);

}  // namespace vx
