#include "analysis/stage_poles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace vx {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// The pair of the quadratic s^2 + b s + c (c > 0): w0 = sqrt(c), Q = w0 / b.
void SetPair(StagePoles& poles, double b, double c) {
    const double w0 = std::sqrt(c);
    poles.hasPair = true;
    poles.pairFrequency = w0 / kTwoPi;
    poles.pairQuality = w0 / b;
}

// A real root of the cubic u^3 + p u^2 + q u + r by bisection between the Cauchy bounds.
double RealRoot(double p, double q, double r) {
    auto f = [&](double u) { return ((u + p) * u + q) * u + r; };
    const double bound = 1.0 + std::max({std::fabs(p), std::fabs(q), std::fabs(r)});
    double low = -bound;
    double high = bound;
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (low + high);
        if (mid <= low || mid >= high) {
            break;
        }
        (f(mid) < 0.0 ? low : high) = mid;
    }
    return 0.5 * (low + high);
}

}  // namespace

std::vector<double> FitDenominator(const std::function<std::complex<double>(double)>& transfer,
                                   int numeratorPower, int degree, double w1, double w2) {
    if (degree < 1 || degree > 3 || w1 == w2) {
        throw std::invalid_argument("FitDenominator: degree 1 to 3 and two frequencies");
    }
    auto y = [&](double w) {
        return std::pow(std::complex<double>(0.0, w), numeratorPower) / transfer(w);
    };
    const std::complex<double> y1 = y(w1);
    const std::complex<double> y2 = y(w2);
    // Re y = c0 - c2 w^2, Im y / w = c1 - c3 w^2.
    std::vector<double> c(static_cast<size_t>(degree) + 1, 0.0);
    if (degree == 1) {
        c[0] = y1.real();
        c[1] = y1.imag() / w1;
    } else {
        const double span = w2 * w2 - w1 * w1;
        c[2] = (y1.real() - y2.real()) / span;
        c[0] = y1.real() + c[2] * w1 * w1;
        if (degree == 3) {
            c[3] = (y1.imag() / w1 - y2.imag() / w2) / span;
        }
        c[1] = y1.imag() / w1 + (degree == 3 ? c[3] * w1 * w1 : 0.0);
    }
    const double c0 = c[0];
    for (double& v : c) {
        v /= c0;
    }
    return c;
}

StagePoles PolesOf(const std::vector<double>& d) {
    StagePoles poles;
    switch (d.size()) {
        case 2:
            poles.hasReal = true;
            poles.realFrequency = std::fabs(d[0] / d[1]) / kTwoPi;
            return poles;
        case 3:
            SetPair(poles, d[1] / d[2], d[0] / d[2]);
            return poles;
        case 4:
            break;
        default:
            throw std::invalid_argument("PolesOf: a denominator of degree 1 to 3");
    }
    // In u = s / scale the cubic's coefficients are of order one whatever the frequency.
    const double scale = std::cbrt(d[0] / d[3]);
    const double p = d[2] / d[3] / scale;
    const double q = d[1] / d[3] / (scale * scale);
    const double r = d[0] / d[3] / (scale * scale * scale);
    const double u = RealRoot(p, q, r);
    // Dividing by (u - root) leaves u^2 + b u + c.
    const double b = p + u;
    const double c = q + u * b;
    const double discriminant = b * b - 4.0 * c;
    if (discriminant < 0.0) {
        SetPair(poles, b * scale, c * scale * scale);
        poles.hasReal = true;
        poles.realFrequency = std::fabs(u) * scale / kTwoPi;
        return poles;
    }
    std::array<double, 3> roots = {u, 0.5 * (-b + std::sqrt(discriminant)),
                                   0.5 * (-b - std::sqrt(discriminant))};
    std::sort(roots.begin(), roots.end(),
              [](double x, double y) { return std::fabs(x) < std::fabs(y); });
    // Sorted by size, the closest pair are neighbours.
    const bool lowPair = std::fabs(roots[1] / roots[0]) <= std::fabs(roots[2] / roots[1]);
    const double first = lowPair ? roots[0] : roots[1];
    const double second = lowPair ? roots[1] : roots[2];
    const double single = lowPair ? roots[2] : roots[0];
    SetPair(poles, -(first + second) * scale, first * second * scale * scale);
    poles.hasReal = true;
    poles.realFrequency = std::fabs(single) * scale / kTwoPi;
    return poles;
}

}  // namespace vx
