#include "analysis/stage_poles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "structures/circuits/twin_t_network.h"

namespace vx {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// (1 + s / wr) (1 + s / (w0 Q) + s^2 / w0^2), ascending.
std::vector<double> Cubic(double wr, double w0, double q) {
    const double a = 1.0 / (w0 * q);
    const double b = 1.0 / (w0 * w0);
    return {1.0, a + 1.0 / wr, b + a / wr, b / wr};
}

TEST(StagePoles, FindsThePairAndTheRealPoleOfADenominator) {
    struct Case {
        std::vector<double> denominator;
        bool pair;
        double frequency;  // Hz
        double quality;
        bool real;
        double realFrequency;
    };
    const double w = kTwoPi * 1000.0;
    const Case cases[] = {
        {{1.0, 1.0 / w}, false, 0, 0, true, 1000.0},
        {{1.0, 1.0 / (w * 0.7071), 1.0 / (w * w)}, true, 1000.0, 0.7071, false, 0},
        // Overdamped: two real poles still make a pair of Q below 1/2.
        {{1.0, 1.0 / (w * 0.3), 1.0 / (w * w)}, true, 1000.0, 0.3, false, 0},
        {Cubic(0.5 * w, w, 2.0), true, 1000.0, 2.0, true, 500.0},
        {Cubic(20.0 * w, w, 0.6), true, 1000.0, 0.6, true, 20000.0},
        // Three real poles: the two closest form the pair.
        {Cubic(50.0 * w, w, 0.45), true, 1000.0, 0.45, true, 50000.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.denominator.size() << " " << c.quality);
        const StagePoles p = PolesOf(c.denominator);
        EXPECT_EQ(p.hasPair, c.pair);
        EXPECT_EQ(p.hasReal, c.real);
        if (c.pair) {
            EXPECT_NEAR(p.pairFrequency, c.frequency, 1e-9 * c.frequency);
            EXPECT_NEAR(p.pairQuality, c.quality, 1e-9 * c.quality);
        }
        if (c.real) {
            EXPECT_NEAR(p.realFrequency, c.realFrequency, 1e-9 * c.realFrequency);
        }
    }
}

// The twin-T's denominator belongs to its transfer function: H D is then a polynomial of at
// most third degree, whose four coefficients two frequencies fix and a third must confirm.
// The balanced network has the pole pair Q = 1 / (2 (2 - k)) at 1 / (2 pi R C).
TEST(StagePoles, TheTwinTDenominatorIsThatOfItsNetwork) {
    const double r = 10e3;
    const double c = 100e-9;
    const TwinTNetwork balanced{c, c, 2 * c, r, r, r / 2, 7.5e3, 10e3};
    const TwinTNetwork built{1.02 * c,  0.97 * c, 2.05 * c, 1.01 * r,
                             0.995 * r, 0.49 * r, 7.5e3,    10e3};
    for (const TwinTNetwork& n : {balanced, built}) {
        const std::vector<double> d = TwinTDenominator(n);
        ASSERT_EQ(d.size(), 4u);
        auto numerator = [&](double w) {
            const std::complex<double> s(0.0, w);
            return TwinTTransfer(n, OpAmpParams::Ideal(), w) *
                   (d[0] + s * (d[1] + s * (d[2] + s * d[3])));
        };
        const double w0 = 1.0 / (r * c);
        const double w1 = 0.5 * w0;
        const double w2 = 1.7 * w0;
        // Re N = n0 - n2 w^2, Im N / w = n1 - n3 w^2.
        const std::complex<double> a = numerator(w1);
        const std::complex<double> b = numerator(w2);
        const double n2 = (a.real() - b.real()) / (w2 * w2 - w1 * w1);
        const double n0 = a.real() + n2 * w1 * w1;
        const double n3 = (a.imag() / w1 - b.imag() / w2) / (w2 * w2 - w1 * w1);
        const double n1 = a.imag() / w1 + n3 * w1 * w1;
        for (double w : {0.1 * w0, 0.93 * w0, 3.0 * w0}) {
            const std::complex<double> expected(n0 - n2 * w * w, n1 * w - n3 * w * w * w);
            EXPECT_NEAR(std::abs(numerator(w) - expected), 0.0, 1e-9 * std::abs(expected));
        }
    }
    const StagePoles p = PolesOf(TwinTDenominator(balanced));
    const double k = 1.0 + 7.5 / 10.0;
    EXPECT_NEAR(p.pairQuality, 1.0 / (2.0 * (2.0 - k)), 1e-9);
    EXPECT_NEAR(p.pairFrequency, 1.0 / (kTwoPi * r * c), 1e-9 / (r * c));
}

}  // namespace
}  // namespace vx
