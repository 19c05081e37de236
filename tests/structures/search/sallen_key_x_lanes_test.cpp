#include "structures/search/sallen_key_x_lanes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <random>
#include <vector>

namespace vx {
namespace {

using Cx = std::complex<double>;

struct Point {
    Cx x, gain;
    double target;
};

// The search's scalar error of one candidate, written with std::complex as the structure does.
double ScalarError(const std::vector<Point>& points, double d1, double d2, double d3, double e1,
                   double e2, double correction) {
    double sum = 0.0;
    for (const Point& p : points) {
        const Cx g = p.gain, x = p.x;
        const Cx h = g / (1.0 + x * (d1 - g * e1 + x * (d2 - g * e2 + x * d3)));
        const double re = std::fabs(h.real()), im = std::fabs(h.imag());
        double magnitude = re + im;
        if (std::isfinite(re) && std::isfinite(im)) {
            const double scale = std::max(re, im) >= 1.0 ? 0.25 : 4.0;
            magnitude = std::sqrt(re * scale * (re * scale) + im * scale * (im * scale)) / scale;
        }
        const double d = (magnitude * correction - p.target) / p.target;
        sum += d * d;
    }
    return sum;
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Every lane must give the scalar error bit for bit (or infinity where that exceeds the bound),
// whatever the gains (real for an ideal amplifier, complex otherwise), the spread of the values
// (including denominators beyond the range of the plain division formula) and the lanes left
// empty.
TEST(SallenKeyXLanes, EachLaneHasTheBitsOfTheScalarError) {
    struct Spread {
        const char* name;
        double decades;  // of the polynomial coefficients and targets
        bool realGain;   // an ideal amplifier
        double extreme;  // a factor for one coefficient of every fourth candidate
    };
    const Spread spreads[] = {
        {"typical", 3.0, false, 1.0},
        {"ideal amplifier", 3.0, true, 1.0},
        {"wide", 12.0, false, 1.0},
        {"beyond the plain division", 3.0, false, 1e302},
    };
    std::mt19937_64 random(16);
    for (const Spread& s : spreads) {
        SCOPED_TRACE(s.name);
        std::uniform_real_distribution<double> exponent(-s.decades, s.decades);
        auto value = [&] { return std::pow(10.0, exponent(random)); };
        int pruned = 0, summed = 0;
        for (int trial = 0; trial < 400; ++trial) {
            std::vector<Point> points;
            CSallenKeyXLanes lanes;
            for (int k = 0; k < 24; ++k) {
                const double sign = k % 2 == 0 ? 1.0 : -1.0;
                points.push_back({Cx(0.0, sign * value()),
                                  Cx(value(), s.realGain ? 0.0 : -sign * value()), value()});
                lanes.AddPoint(points.back().x, points.back().gain, points.back().target);
            }
            lanes.SetProbes({23, 20, 17, 12});
            CSallenKeyXLanes::Candidates c;
            c.e1 = value();
            c.e2 = value();
            for (size_t l = 0; l < CSallenKeyXLanes::kLanes; ++l) {
                c.d1[l] = value();
                c.d2[l] = value();
                c.d3[l] = value() * (trial % 4 == 0 && l == 1 ? s.extreme : 1.0);
                c.live[l] = (trial + static_cast<int>(l)) % 7 != 0;
            }
            const double correction = 0.9;
            const double bound = std::pow(10.0, exponent(random) * 2.0);
            const auto errors = lanes.Errors(c, correction, bound);
            for (size_t l = 0; l < CSallenKeyXLanes::kLanes; ++l) {
                const double scalar =
                    ScalarError(points, c.d1[l], c.d2[l], c.d3[l], c.e1, c.e2, correction);
                if (!c.live[l] || scalar > bound) {
                    EXPECT_TRUE(errors[l] > bound) << "trial " << trial << " lane " << l;
                    pruned += c.live[l] ? 1 : 0;
                } else {
                    EXPECT_TRUE(SameBits(errors[l], scalar))
                        << "trial " << trial << " lane " << l << ": " << errors[l] << " vs "
                        << scalar;
                    ++summed;
                }
            }
        }
        // Both outcomes occur, so that both are checked.
        EXPECT_GT(pruned, 50);
        EXPECT_GT(summed, 50);
    }
}

}  // namespace
}  // namespace vx
