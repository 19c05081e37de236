#include "model/character.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <stdexcept>

namespace vx {
namespace {

// Magnitude of the prototype 1 / prod(1 + a s + b s^2) at s = j w.
double MagnitudeDb(const CCharacter& c, double w) {
    std::complex<double> denominator = 1.0;
    for (int i = 0; i < c.Count(); ++i) {
        denominator *= std::complex<double>(1.0 - c.B(i) * w * w, c.A(i) * w);
    }
    return -20.0 * std::log10(std::abs(denominator));
}

// Group delay -d(phase)/dw of the prototype, from the phase derivative of each stage.
double GroupDelay(const CCharacter& c, double w) {
    double delay = 0.0;
    for (int i = 0; i < c.Count(); ++i) {
        const double a = c.A(i);
        const double b = c.B(i);
        const double re = 1.0 - b * w * w;
        const double im = a * w;
        delay += a * (1.0 + b * w * w) / (re * re + im * im);
    }
    return delay;
}

double PoleQuality(const CCharacter& c, int i) {
    return std::sqrt(c.B(i)) / c.A(i);
}

const double kHalfPowerDb = 10.0 * std::log10(0.5);

// Stage layout every characteristic shares: (n + 1) / 2 pairs, a first-order pair first exactly
// for odd n, then second-order pairs of rising pole quality.
void ExpectStageLayout(const CCharacter& c, int n) {
    ASSERT_EQ(c.Count(), (n + 1) / 2) << "order " << n;
    for (int i = 0; i < c.Count(); ++i) {
        EXPECT_GT(c.A(i), 0.0) << "order " << n << " stage " << i;
        if (i == 0 && n % 2 == 1) {
            EXPECT_EQ(c.B(i), 0.0) << "order " << n;
        } else {
            EXPECT_GT(c.B(i), 0.0) << "order " << n << " stage " << i;
        }
    }
    for (int i = n % 2 == 1 ? 2 : 1; i < c.Count(); ++i) {
        EXPECT_GT(PoleQuality(c, i), PoleQuality(c, i - 1)) << "order " << n << " stage " << i;
    }
}

TEST(CharacterListTest, HoldsAtMostFifteenPairsAndReadsZeroOutside) {
    CCharacter c;
    for (int i = 0; i < 16; ++i) {
        c.Add(i + 1.0, 2.0 * i);
    }
    EXPECT_EQ(c.Count(), 15);
    EXPECT_EQ(c.A(14), 15.0);
    EXPECT_EQ(c.A(15), 0.0);
    EXPECT_EQ(c.B(-1), 0.0);

    c.SetButterworth(2);
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(c.A(5), 0.0);
    EXPECT_EQ(c.B(1), 0.0);
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.A(0), 0.0);
}

TEST(CharacterListTest, RefusesOrdersOutsideOneToThirty) {
    CCharacter c;
    EXPECT_THROW(c.SetBessel(0), std::invalid_argument);
    EXPECT_THROW(c.SetButterworth(31), std::invalid_argument);
    EXPECT_THROW(c.SetChebyshev(1.0, -1), std::invalid_argument);
    EXPECT_THROW(c.SetChebyshev(0.0, 4), std::invalid_argument);
    EXPECT_THROW(c.SetIndividual(31, false), std::invalid_argument);
}

TEST(BesselTest, OrdersOneAndTwoMatchTheClosedForm) {
    CCharacter c;
    c.SetBessel(1);
    ASSERT_EQ(c.Count(), 1);
    EXPECT_NEAR(c.A(0), 1.0, 1e-12);
    EXPECT_EQ(c.B(0), 0.0);
    c.SetBessel(2);
    ASSERT_EQ(c.Count(), 1);
    EXPECT_NEAR(c.A(0), 1.36165412871613, 1e-12);
    EXPECT_NEAR(c.B(0), 0.618033988749895, 1e-12);
}

TEST(BesselTest, EveryOrderIsThreeDbDownAtOneWithRisingQuality) {
    CCharacter c;
    for (int n = 1; n <= 30; ++n) {
        c.SetBessel(n);
        ExpectStageLayout(c, n);
        EXPECT_NEAR(MagnitudeDb(c, 1.0), kHalfPowerDb, 1e-6) << "order " << n;
        EXPECT_NEAR(MagnitudeDb(c, 0.0), 0.0, 1e-12) << "order " << n;
    }
}

TEST(BesselTest, GroupDelayIsMaximallyFlat) {
    CCharacter c;
    c.SetBessel(10);
    EXPECT_NEAR(GroupDelay(c, 0.1) / GroupDelay(c, 0.0), 1.0, 1e-6);
    // From order 12 on, the delay is flat across the whole pass band.
    for (int n = 12; n <= 30; ++n) {
        c.SetBessel(n);
        EXPECT_NEAR(GroupDelay(c, 1.0) / GroupDelay(c, 0.0), 1.0, 1e-8) << "order " << n;
    }
    // A lower order already bends; the flatness above is not an artefact of the check.
    c.SetBessel(4);
    EXPECT_LT(GroupDelay(c, 1.0) / GroupDelay(c, 0.0), 0.99);
}

TEST(BesselTest, MatchesPublishedAndHighPrecisionValues) {
    struct Pair {
        int order;
        int stage;
        double a;
        double b;
        double tolerance;
    };
    // Four-digit values of the filter handbooks, and order 29 and 30 from an 80-digit root
    // computation; the roots near the real axis of these orders are the hardest to get right.
    const Pair kPairs[] = {
        {3, 0, 0.7560, 0.0, 1e-4},
        {3, 1, 0.9996, 0.4772, 1e-4},
        {4, 0, 1.3397, 0.4889, 1e-4},
        {4, 1, 0.7743, 0.3890, 1e-4},
        {10, 0, 1.0215, 0.2650, 1e-4},
        {10, 4, 0.2883, 0.1665, 1e-4},
        {29, 0, 0.3204766827005879, 0.0, 1e-13},
        {29, 14, 0.08112466588031695, 0.05435275934317276, 1e-13},
        {30, 0, 0.6300340122966509, 0.09941882343689235, 1e-13},
        {30, 14, 0.07788502566897071, 0.05243745376260613, 1e-13},
    };
    CCharacter c;
    for (const Pair& p : kPairs) {
        c.SetBessel(p.order);
        EXPECT_NEAR(c.A(p.stage), p.a, p.tolerance) << "order " << p.order << " stage " << p.stage;
        EXPECT_NEAR(c.B(p.stage), p.b, p.tolerance) << "order " << p.order << " stage " << p.stage;
    }
}

TEST(ButterworthTest, KnownPairs) {
    CCharacter c;
    c.SetButterworth(4);
    ASSERT_EQ(c.Count(), 2);
    EXPECT_NEAR(c.A(0), 1.847759, 1e-6);
    EXPECT_EQ(c.B(0), 1.0);
    EXPECT_NEAR(c.A(1), 0.765367, 1e-6);
    EXPECT_EQ(c.B(1), 1.0);
    c.SetButterworth(3);
    ASSERT_EQ(c.Count(), 2);
    EXPECT_EQ(c.A(0), 1.0);
    EXPECT_EQ(c.B(0), 0.0);
    EXPECT_NEAR(c.A(1), 1.0, 1e-12);
    EXPECT_EQ(c.B(1), 1.0);
}

TEST(ButterworthTest, EveryOrderIsThreeDbDownAtOneAndFlat) {
    CCharacter c;
    for (int n = 1; n <= 30; ++n) {
        c.SetButterworth(n);
        ExpectStageLayout(c, n);
        EXPECT_NEAR(MagnitudeDb(c, 1.0), kHalfPowerDb, 1e-9) << "order " << n;
        // |H|^2 = 1 / (1 + w^2n): at w = 0.5 the loss is 10 log10(1 + 4^-n).
        EXPECT_NEAR(MagnitudeDb(c, 0.5), -10.0 * std::log10(1.0 + std::pow(0.25, n)), 1e-9);
    }
}

TEST(ChebyshevTest, KnownPairs) {
    CCharacter c;
    c.SetChebyshev(1.0, 2);
    ASSERT_EQ(c.Count(), 1);
    EXPECT_NEAR(c.A(0), 0.99567, 5e-6);
    EXPECT_NEAR(c.B(0), 0.90702, 5e-6);
    for (double ripple : {0.1, 1.0, 3.0, 20.0}) {
        c.SetChebyshev(ripple, 1);
        ASSERT_EQ(c.Count(), 1);
        EXPECT_EQ(c.A(0), 1.0);
        EXPECT_EQ(c.B(0), 0.0);
    }
    c.SetChebyshev(3.0, 3);
    ASSERT_EQ(c.Count(), 2);
    EXPECT_EQ(c.B(0), 0.0);
    EXPECT_NEAR(c.A(0), 1.0 / std::sinh(std::asinh(1.00238) / 3.0), 1e-3);
    EXPECT_NEAR(c.A(0), 3.3487, 1e-4);
}

TEST(ChebyshevTest, RippleBandEndsAtOne) {
    CCharacter c;
    for (double ripple : {0.1, 0.5, 1.0, 3.0}) {
        for (int n = 2; n <= 30; ++n) {
            c.SetChebyshev(ripple, n);
            ExpectStageLayout(c, n);
            // Even orders start at the ripple's low edge, odd ones at its top.
            const double low = n % 2 == 0 ? 0.0 : -ripple;
            double highest = -1e9;
            double lowest = 1e9;
            for (int k = 0; k <= 2000; ++k) {
                const double db = MagnitudeDb(c, k / 2000.0);
                highest = std::max(highest, db);
                lowest = std::min(lowest, db);
            }
            EXPECT_NEAR(MagnitudeDb(c, 1.0), low, 1e-9) << "ripple " << ripple << " order " << n;
            EXPECT_NEAR(lowest, low, 1e-9) << "ripple " << ripple << " order " << n;
            EXPECT_LE(highest, low + ripple + 1e-9) << "ripple " << ripple << " order " << n;
            EXPECT_GT(highest, low + ripple - 0.05) << "ripple " << ripple << " order " << n;
            EXPECT_LT(MagnitudeDb(c, 1.01), low) << "ripple " << ripple << " order " << n;
        }
    }
}

TEST(IndividualTest, StagesHaveTheEnteredPoleFrequencyAndQuality) {
    CCharacter c;
    EXPECT_EQ(c.individualQ[14], 1.0);
    EXPECT_EQ(c.individualFrequency[0], 1.0);

    c.individualFrequency[0] = 2.0;
    c.individualQ[0] = 0.5;
    c.SetIndividual(2, true);
    ASSERT_EQ(c.Count(), 1);
    EXPECT_DOUBLE_EQ(c.A(0), 4.0);
    EXPECT_DOUBLE_EQ(c.B(0), 4.0);

    c.individualFrequency = {0.8, 1.2, 1.5};
    c.individualQ = {7.0, 0.9, 3.0};
    c.SetIndividual(5, false);
    ASSERT_EQ(c.Count(), 3);
    // First order: the corner 1/a is the entered frequency; the quality is not used.
    EXPECT_DOUBLE_EQ(c.A(0), 1.25);
    EXPECT_EQ(c.B(0), 0.0);
    for (int i = 1; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(1.0 / std::sqrt(c.B(i)), c.individualFrequency[i]);
        EXPECT_DOUBLE_EQ(PoleQuality(c, i), c.individualQ[i]);
    }
    // The high-pass prototype mirrors the pole frequency: Omega -> 1 / Omega.
    c.SetIndividual(5, true);
    EXPECT_DOUBLE_EQ(c.A(0), 0.8);
    EXPECT_DOUBLE_EQ(std::sqrt(c.B(2)), 1.5);
}

}  // namespace
}  // namespace vx
