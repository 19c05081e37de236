#include "structures/circuits/lp_mfb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "../design_fixture.h"
#include "../nodal_network.h"
#include "../scripted_prompt.h"
#include "model/standard_value.h"
#include "structures/capacitors/capacitor_choice.h"

namespace vx {
namespace {

using test::Specify;

constexpr double kPi = std::numbers::pi;

struct Case {
    Characteristic characteristic;
    int order;
    double gainDb;
    GainDistribution distribution;
};

const Case kCases[] = {
    {Characteristic::BESSEL, 2, 0.0, GainDistribution::EQUAL},
    {Characteristic::BUTTERWORTH, 5, 6.0, GainDistribution::EQUAL},
    {Characteristic::CHEBYCHEV, 8, 20.0, GainDistribution::EQUAL_GBP},
    {Characteristic::BESSEL, 9, 40.0, GainDistribution::EQUAL},
    {Characteristic::CHEBYCHEV, 3, -6.0, GainDistribution::EQUAL},
    {Characteristic::BUTTERWORTH, 4, -6.0, GainDistribution::EQUAL_GBP},
};

// The section's coefficient equations: a = w C1 (R2 + R3 + R2 R3/R1), b = w^2 C1 C2 R2 R3,
// A = R2/R1.
struct Realised {
    double a, b, gain;
};
Realised Coefficients(const MfbValues& v, double w) {
    return {w * v.c1 * (v.r2 + v.r3 + v.r2 * v.r3 / v.r1), w * w * v.c1 * v.c2 * v.r2 * v.r3,
            v.r2 / v.r1};
}

// The stage as a circuit: in 1, internal node 2, inverting input 3, output 4; R1 in-2,
// C2 2-ground, R2 2-out, R3 2-inverting, C1 out-inverting.
Complex CircuitResponse(const MfbValues& v, double w, Complex openLoopGain) {
    test::NodalNetwork n(5);
    n.Resistor(1, 2, v.r1);
    n.Capacitor(2, 0, v.c2, w);
    n.Resistor(2, 4, v.r2);
    n.Resistor(2, 3, v.r3);
    n.Capacitor(4, 3, v.c1, w);
    n.OpAmp(0, 3, 4, openLoopGain);
    return n.Solve(4);
}

CLpMfb& LowPass(CDesignSession& session) {
    return dynamic_cast<CLpMfb&>(*session.StructureFor(FilterType::LOWPASS, StructureKind::MFB));
}

TEST(LpMfb, ExactDimensioningRealisesEveryStage) {
    for (const Case& c : kCases) {
        CDesignSession session;
        Specify(session, FilterType::LOWPASS, StructureKind::MFB, c.characteristic, c.order, 2500.0,
                c.gainDb, ResistorSeries::E96);
        session.Filter().SetGainDistribution(static_cast<int>(c.distribution));
        CLpMfb& s = LowPass(session);
        ASSERT_TRUE(s.Prepare());
        const double w = 2.0 * kPi * 2500.0;
        for (int i = 0; i < s.StageCount(); ++i) {
            SCOPED_TRACE(testing::Message() << "order " << c.order << " stage " << i);
            s.SelectStage(i);
            s.DesignStage();
            const MfbValues v = s.Values();
            const Realised r = Coefficients(v, w);
            EXPECT_NEAR(r.gain / s.StageGain(i), 1.0, 1e-9);
            EXPECT_NEAR(r.a / s.CoefficientA(i), 1.0, 1e-9);
            EXPECT_DOUBLE_EQ(v.c1, RoundedToSeries(v.c1, 12));
            if (s.IsFirstOrderStage(i)) {
                EXPECT_EQ(v.c2, 0.0);
                EXPECT_EQ(v.r3, 0.0);
                continue;
            }
            EXPECT_NEAR(r.b / s.CoefficientB(i), 1.0, 1e-9);
            EXPECT_DOUBLE_EQ(v.c2, RoundedToSeries(v.c2, 12));
            // C2 reaches the ratio that keeps the square root of the dimensioning real.
            const double a = s.CoefficientA(i), b = s.CoefficientB(i);
            EXPECT_GE(v.c2, 4.0 * b * (1.0 + s.StageGain(i)) * v.c1 / (a * a));
            // The second pass brings R1 near the impedance level.
            EXPECT_GT(v.r1, 0.3 * 10000.0);
            EXPECT_LT(v.r1, 3.0 * 10000.0);
        }
    }
}

TEST(LpMfb, IdealTransferIsTheInvertedSection) {
    CDesignSession session;
    Specify(session, FilterType::LOWPASS, StructureKind::MFB, Characteristic::CHEBYCHEV, 5, 1000.0,
            -6.0, ResistorSeries::E24);
    CLpMfb& s = LowPass(session);
    ASSERT_TRUE(s.Prepare());
    const double wg = 2.0 * kPi * 1000.0;
    for (int i = 0; i < s.StageCount(); ++i) {
        s.SelectStage(i);
        s.DesignStage();
        const double a = s.CoefficientA(i), b = s.CoefficientB(i), gain = s.StageGain(i);
        for (const double x : {0.01, 0.3, 1.0, 1.7, 10.0}) {
            const std::complex<double> p(0.0, x);
            const double expected = gain / std::abs(1.0 + a * p + b * p * p);
            const Complex h = CLpMfb::Network(s.Values(), OpAmpParams::Ideal(), x * wg);
            EXPECT_NEAR(std::abs(h) / expected, 1.0, 1e-9) << "stage " << i << " x " << x;
        }
        // Inverting: the pass band is negative.
        EXPECT_LT(CLpMfb::Network(s.Values(), OpAmpParams::Ideal(), 1e-3 * wg).real(), 0.0);
    }
}

TEST(LpMfb, TransferWithAnOpAmpMatchesANodalSolve) {
    const MfbValues v{3.3e-9, 47e-9, 0.0, 12e3, 24e3, 5.6e3};
    const OpAmpParams opAmp{0.004350816, 9.192118e-08, 27148.72};
    for (const double f : {10.0, 1000.0, 30e3, 1e6}) {
        const double w = 2.0 * kPi * f;
        const Complex openLoop =
            opAmp.a0 / ((1.0 + Complex(0.0, w * opAmp.t1)) * (1.0 + Complex(0.0, w * opAmp.t2)));
        const Complex expected = CircuitResponse(v, w, openLoop);
        const Complex h = CLpMfb::Network(v, opAmp, w);
        EXPECT_NEAR(std::abs(h - expected) / std::abs(expected), 0.0, 1e-9) << f << " Hz";
    }
    // The first-order stage (C2 = 0, R3 = 0) at DC: the inverting amplifier's gain
    // -(R2/R1) / (1 + (1 + R2/R1)/A0).
    const MfbValues first{10e-9, 0.0, 0.0, 10e3, 30e3, 0.0};
    const OpAmpParams dc{0.0, 0.0, 100.0};
    EXPECT_NEAR(CLpMfb::Network(first, dc, 1e-6).real(), -3.0 / (1.0 + 4.0 / 100.0), 1e-9);
}

// The search starts from the resistor pair that meets the gain best, not from the rounded
// values; the design keeps the rounded stage where that ends closer. R1 and R2 stay standard.
TEST(LpMfb, DesignNeverEndsAboveTheRoundedValues) {
    for (const CapacitorMode mode : {CapacitorMode::OPTIMIZE, CapacitorMode::ENTER}) {
        for (const Case& c : kCases) {
            CDesignSession session;
            Specify(session, FilterType::LOWPASS, StructureKind::MFB, c.characteristic, c.order,
                    1000.0, c.gainDb, ResistorSeries::E12, 1, mode);
            session.Filter().SetGainDistribution(static_cast<int>(c.distribution));
            CFilterStructure& s = *session.Current();
            if (mode == CapacitorMode::ENTER) {
                test::ScriptedPrompt prompt;
                ASSERT_TRUE(s.PrepareUntilStable());
                ASSERT_TRUE(s.EnterAllCapacitors(true, prompt));
            }
            SilentMonitor monitor;
            ASSERT_TRUE(session.Design(monitor));
            for (int i = 0; i < s.StageCount(); ++i) {
                EXPECT_LE(s.Outcome(i).finalError, s.Outcome(i).roundedError)
                    << "order " << c.order << " stage " << i;
                const double r1 = session.Filter().Value(ComponentSlot::R1, i);
                const double r2 = session.Filter().Value(ComponentSlot::R2, i);
                EXPECT_DOUBLE_EQ(r1, RoundedToSeries(r1, 12));
                EXPECT_DOUBLE_EQ(r2, RoundedToSeries(r2, 12));
            }
        }
    }
}

// The design the gain pairs were found lacking with (Bessel, order 5, +6 dB, E24): merely
// rounding R2 = A R1 missed the gain by 3 %, the search traded pole quality for it and left
// pole pairs the circuit cannot reach; the filter was 3 dB down at 0.89 fg.
TEST(LpMfb, GainPairsKeepThePolePairsReachable) {
    CDesignSession session;
    Specify(session, FilterType::LOWPASS, StructureKind::MFB, Characteristic::BESSEL, 5, 2000.0,
            6.0, ResistorSeries::E24);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    const CFilter& f = session.Filter();
    const CFilterStructure& s = *session.Current();
    const double step = std::pow(10.0, 1.0 / 24.0) - 1.0;
    for (int i = 0; i < s.StageCount(); ++i) {
        const double gain = f.Value(ComponentSlot::R2, i) / f.Value(ComponentSlot::R1, i);
        EXPECT_NEAR(gain / s.StageGain(i), 1.0, step / 10.0) << "stage " << i;
        if (!s.IsFirstOrderStage(i)) {
            const double a = s.CoefficientA(i), b = s.CoefficientB(i);
            EXPECT_GE(f.Value(ComponentSlot::C2, i) / f.Value(ComponentSlot::C1, i),
                      4.0 * b * (1.0 + gain) / (a * a))
                << "stage " << i;
        }
    }
    // Where the target and the filter fall 3 dB below the pass-band gain of 2.
    const ResponseCurves& c = session.Curves();
    auto corner = [&](const CShowFregang& curve) {
        int i = 0;
        while (i < curve.Count() && curve.At(i) >= 2.0 / std::sqrt(2.0)) {
            ++i;
        }
        return f.PlotMin() * std::pow(f.PlotMax() / f.PlotMin(), i / 1500.0);
    };
    EXPECT_NEAR(corner(c.filter) / corner(c.target), 1.0, 0.01);
}

// With a slow op-amp at 20 kHz rounding alone misses the target by far; the search, which
// sees the op-amp, ends closer to it on the whole curve. (Where rounding is the only error,
// the per-stage grid error the search minimises and the curve's dB distance may disagree.)
TEST(LpMfb, DesignsWithASlowOpAmpEndCloserToTheTargetThanRounding) {
    const Case cases[] = {
        {Characteristic::BESSEL, 5, 0.0, GainDistribution::EQUAL},
        {Characteristic::BUTTERWORTH, 4, 20.0, GainDistribution::EQUAL},
        {Characteristic::CHEBYCHEV, 2, 0.0, GainDistribution::EQUAL},
        {Characteristic::CHEBYCHEV, 5, 20.0, GainDistribution::EQUAL_GBP},
    };
    for (const Case& c : cases) {
        CDesignSession session;
        Specify(session, FilterType::LOWPASS, StructureKind::MFB, c.characteristic, c.order,
                20000.0, c.gainDb, ResistorSeries::E24, session.OpAmps().FindByName("uA741"));
        session.Filter().SetGainDistribution(static_cast<int>(c.distribution));
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        ASSERT_EQ(session.Filter().GetDesignState(), DesignState::DESIGNED);
        const ResponseCurves& curves = session.Curves();
        EXPECT_LT(test::DbDistance(curves.filter, curves.target),
                  test::DbDistance(curves.traditional, curves.target))
            << "order " << c.order;
        // The target carries the magnitude of the inverting gain.
        const double gain = std::pow(10.0, c.gainDb / 20.0);
        EXPECT_NEAR(curves.target.At(0) /
                        (gain * test::PrototypeMagnitude(session.Character(), 0.5, false)),
                    1.0, 1e-9);
    }
}

TEST(LpMfb, FirstOrderStageHasNoC2AndNoR3) {
    CDesignSession session;
    Specify(session, FilterType::LOWPASS, StructureKind::MFB, Characteristic::BESSEL, 3, 1000.0,
            6.0, ResistorSeries::E12);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    const CFilter& f = session.Filter();
    EXPECT_EQ(f.Value(ComponentSlot::C2, 0), 0.0);
    EXPECT_EQ(f.Value(ComponentSlot::R3, 0), 0.0);
    EXPECT_GT(f.Value(ComponentSlot::C1, 0), 0.0);
    EXPECT_GT(f.Value(ComponentSlot::C2, 1), 0.0);
    EXPECT_GT(f.Value(ComponentSlot::R3, 1), 0.0);
    for (const ComponentSlot r : {ComponentSlot::R1, ComponentSlot::R2, ComponentSlot::R3}) {
        EXPECT_DOUBLE_EQ(f.Value(r, 1), RoundedToSeries(f.Value(r, 1), 12));
    }
}

TEST(LpMfb, CapacitorEntryAsksC1ThenC2AboveItsMinimum) {
    CDesignSession session;
    Specify(session, FilterType::LOWPASS, StructureKind::MFB, Characteristic::BUTTERWORTH, 3,
            1000.0, 6.0, ResistorSeries::E24, 0, CapacitorMode::ENTER);
    CLpMfb& s = LowPass(session);
    s.PrepareUntilStable();
    EXPECT_EQ(s.CapacitorLabels(), std::make_pair(std::string("C1"), std::string("C2")));
    test::ScriptedPrompt prompt;
    prompt.answers = {22e-9, 10e-9};  // C2 of the second stage stays at its proposal
    ASSERT_TRUE(s.EnterAllCapacitors(true, prompt));
    ASSERT_EQ(prompt.asked.size(), 3u);
    EXPECT_EQ(prompt.asked[0].caption, "C1");
    EXPECT_EQ(prompt.asked[0].minimum, 1e-12);
    EXPECT_EQ(prompt.asked[1].caption, "C1");
    EXPECT_EQ(prompt.asked[1].stageNumber, 2);
    EXPECT_EQ(prompt.asked[2].caption, "C2");
    EXPECT_EQ(prompt.asked[2].stageCount, 2);
    // Butterworth third order, second stage a = b = 1, A = 3 dB: the minimum is just above
    // 4 b (1 + A) C1 / a^2.
    const double gain = std::pow(10.0, 6.0 / 40.0);
    const double ratio = 4.0 * (1.0 + gain);
    EXPECT_NEAR(prompt.asked[2].minimum, 1.001 * ratio * 10e-9, 1e-4 * ratio * 10e-9);
    EXPECT_DOUBLE_EQ(prompt.asked[2].minimum, s.MinimumCapacitor(1, 1, 10e-9));
    EXPECT_EQ(prompt.proposals[2], E12AtOrAbove(prompt.asked[2].minimum));

    const CFilter& f = session.Filter();
    const double w = 2.0 * kPi * 1000.0;
    EXPECT_EQ(f.Value(ComponentSlot::C1, 0), 22e-9);
    EXPECT_EQ(f.Value(ComponentSlot::C2, 0), 0.0);
    EXPECT_NEAR(w * 22e-9 * f.Value(ComponentSlot::R2, 0), 1.0, 1e-9);  // a = 1, R3 = 0
    const MfbValues v{f.Value(ComponentSlot::C1, 1),
                      f.Value(ComponentSlot::C2, 1),
                      0.0,
                      f.Value(ComponentSlot::R1, 1),
                      f.Value(ComponentSlot::R2, 1),
                      f.Value(ComponentSlot::R3, 1)};
    const Realised r = Coefficients(v, w);
    EXPECT_NEAR(r.a, 1.0, 1e-9);
    EXPECT_NEAR(r.b, 1.0, 1e-9);
    EXPECT_NEAR(r.gain, gain, 1e-9);

    // The design keeps the entered capacitors.
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    EXPECT_EQ(f.GetDesignState(), DesignState::DESIGNED);
    EXPECT_EQ(f.Value(ComponentSlot::C1, 1), 10e-9);
    EXPECT_EQ(f.Value(ComponentSlot::C2, 1), v.c2);
}

TEST(LpMfb, CancelledCapacitorPromptStopsTheEntry) {
    CDesignSession session;
    Specify(session, FilterType::LOWPASS, StructureKind::MFB, Characteristic::BUTTERWORTH, 4,
            1000.0, 0.0, ResistorSeries::E24, 0, CapacitorMode::ENTER);
    CLpMfb& s = LowPass(session);
    s.PrepareUntilStable();
    test::ScriptedPrompt prompt;
    prompt.answers = {10e-9, 220e-9, 10e-9, std::nullopt};
    EXPECT_FALSE(s.EnterAllCapacitors(true, prompt));
    EXPECT_EQ(prompt.asked.size(), 4u);
    EXPECT_EQ(session.Filter().Value(ComponentSlot::C2, 0), 220e-9);
    EXPECT_EQ(session.Filter().Value(ComponentSlot::C1, 1), 0.0);  // second stage not stored
}

TEST(LpMfb, StoredPairBelowTheRatioNeedsARepair) {
    CDesignSession session;
    Specify(session, FilterType::LOWPASS, StructureKind::MFB, Characteristic::BUTTERWORTH, 2,
            1000.0, 0.0, ResistorSeries::E24, 0, CapacitorMode::ENTER);
    CLpMfb& s = LowPass(session);
    s.PrepareUntilStable();
    // Butterworth, gain 1: C2/C1 must reach 4 b (1 + A) / a^2 = 4.
    const double ratio = 4.0;
    CFilter& f = session.Filter();

    f.SetValue(ComponentSlot::C1, 0, 10e-9);
    f.SetValue(ComponentSlot::C2, 0, ratio * 10e-9 * (1.0 + 1e-12));
    test::ScriptedPrompt atRatio;
    EXPECT_TRUE(s.EnterAllCapacitors(false, atRatio));
    EXPECT_TRUE(atRatio.mismatches.empty());
    EXPECT_TRUE(std::isfinite(f.Value(ComponentSlot::R3, 0)));

    f.SetValue(ComponentSlot::C2, 0, 33e-9);
    test::ScriptedPrompt cancels;
    EXPECT_FALSE(s.EnterAllCapacitors(false, cancels));
    ASSERT_EQ(cancels.mismatches.size(), 1u);
    EXPECT_NEAR(cancels.mismatches[0].minimumRatio, ratio, 1e-12);
    EXPECT_EQ(cancels.mismatches[0].stageNumber, 1);
    EXPECT_EQ(f.Value(ComponentSlot::C2, 0), 33e-9);

    test::ScriptedPrompt repairs;
    repairs.repairs = {std::make_pair(10e-9, 47e-9)};
    EXPECT_TRUE(s.EnterAllCapacitors(false, repairs));
    EXPECT_EQ(f.Value(ComponentSlot::C2, 0), 47e-9);
    EXPECT_EQ(s.StoredCapacitor(0, 1), 47e-9);
    EXPECT_GT(f.Value(ComponentSlot::R1, 0), 0.0);
}

TEST(LpMfb, ResistorsForGivenCapacitorsRealiseTheStage) {
    CDesignSession session;
    Specify(session, FilterType::LOWPASS, StructureKind::MFB, Characteristic::BESSEL, 3, 500.0,
            12.0, ResistorSeries::E24, 0, CapacitorMode::ENTER);
    CLpMfb& s = LowPass(session);
    s.PrepareUntilStable();
    const double w = 2.0 * kPi * 500.0;
    s.DesignFromCapacitors(1, 4.7e-9, 100e-9);
    const CFilter& f = session.Filter();
    const MfbValues v{f.Value(ComponentSlot::C1, 1),
                      f.Value(ComponentSlot::C2, 1),
                      0.0,
                      f.Value(ComponentSlot::R1, 1),
                      f.Value(ComponentSlot::R2, 1),
                      f.Value(ComponentSlot::R3, 1)};
    const Realised r = Coefficients(v, w);
    EXPECT_NEAR(r.a / s.CoefficientA(1), 1.0, 1e-9);
    EXPECT_NEAR(r.b / s.CoefficientB(1), 1.0, 1e-9);
    EXPECT_NEAR(r.gain / s.StageGain(1), 1.0, 1e-9);
    s.DesignFromCapacitors(0, 10e-9, 1e-6);
    EXPECT_EQ(f.Value(ComponentSlot::C2, 0), 0.0);
    EXPECT_EQ(f.Value(ComponentSlot::R3, 0), 0.0);
    EXPECT_NEAR(w * 10e-9 * f.Value(ComponentSlot::R2, 0) / s.CoefficientA(0), 1.0, 1e-9);
}

}  // namespace
}  // namespace vx
