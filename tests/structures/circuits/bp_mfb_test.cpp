#include "structures/circuits/bp_mfb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "../nodal_network.h"
#include "../scripted_prompt.h"
#include "model/standard_value.h"
#include "session/design_session.h"
#include "structures/design_messages.h"
#include "structures/search/safe_magnitude.h"

namespace vx {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

struct BandPass {
    Characteristic characteristic = Characteristic::BUTTERWORTH;
    int order = 4;
    double fm = 1000.0;
    double bandwidth = 100.0;
    double gainDb = 0.0;
    GainDistribution distribution = GainDistribution::EQUAL;
    ResistorSeries series = ResistorSeries::E12;
    double impedance = 10000.0;
    bool stepless = false;
    CapacitorMode mode = CapacitorMode::OPTIMIZE;
};

CBpMfb& Specify(CDesignSession& session, const BandPass& bp) {
    SpecificationBlock block = session.Filter().Specification();
    block.characteristic = bp.characteristic;
    block.rippleDb = 1.0;
    block.orderBpBs = bp.order;
    block.frequency = bp.fm;
    block.bandwidth = bp.bandwidth;
    block.gainDb = bp.gainDb;
    block.gainDistribution = bp.distribution;
    block.resistorSeries = bp.series;
    block.impedance = bp.impedance;
    block.steplessR2 = bp.stepless;
    block.capacitorMode = bp.mode;
    session.Filter().SetSpecification(block, StructureKind::MFB, FilterType::BANDPASS);
    session.FillCharacteristic();
    return dynamic_cast<CBpMfb&>(*session.Current());
}

// The stage as a circuit: in 1, internal node 2, inverting input 3, output 4.
test::NodalNetwork::Complex CircuitResponse(const BpMfbValues& v, double w,
                                            test::NodalNetwork::Complex a) {
    test::NodalNetwork n(5);
    n.Resistor(1, 2, v.r1);
    n.Resistor(2, 0, v.r2);
    n.Capacitor(2, 3, v.c, w);
    n.Capacitor(2, 4, v.c, w);
    n.Resistor(4, 3, v.r3);
    n.OpAmp(0, 3, 4, a);
    return n.Solve(4);
}

double IdealMagnitude(const BpMfbValues& v, double f) {
    return std::abs(CircuitResponse(v, kTwoPi * f, 1e12));
}

// Centre frequency, gain there and Q of a stage, measured on its ideal circuit response.
struct Measured {
    double centre;
    double gain;
    double q;
};

Measured Measure(const BpMfbValues& v, double guess) {
    double lo = std::log(guess / 3.0), hi = std::log(guess * 3.0);
    const double phi = (std::sqrt(5.0) - 1.0) / 2.0;
    for (int i = 0; i < 200; ++i) {
        const double m1 = hi - phi * (hi - lo), m2 = lo + phi * (hi - lo);
        if (IdealMagnitude(v, std::exp(m1)) < IdealMagnitude(v, std::exp(m2))) {
            lo = m1;
        } else {
            hi = m2;
        }
    }
    const double centre = std::exp(0.5 * (lo + hi));
    const double peak = IdealMagnitude(v, centre);
    auto edge = [&](double inside, double outside) {
        for (int i = 0; i < 200; ++i) {
            const double mid = std::sqrt(inside * outside);
            (IdealMagnitude(v, mid) > peak / std::sqrt(2.0) ? inside : outside) = mid;
        }
        return inside;
    };
    const double low = edge(centre, centre / 100.0);
    const double high = edge(centre, centre * 100.0);
    return {centre, peak, centre / (high - low)};
}

bool IsStandard(double x, int series) {
    return std::fabs(x / RoundedToSeries(x, series) - 1.0) < 1e-12;
}

TEST(BpMfb, TransferIsTheCircuitsNodalSolution) {
    const BpMfbValues v{22e-9, 8200.0, 470.0, 150000.0};
    const OpAmpParams real{1.6e-2, 3e-8, 2e5};
    for (const OpAmpParams& amp : {OpAmpParams::Ideal(), real}) {
        for (const double f : {10.0, 300.0, 1000.0, 4000.0, 1e5}) {
            const double w = kTwoPi * f;
            const auto expected = CircuitResponse(v, w, 1.0 / amp.InverseGain(w));
            const auto h = CBpMfb::Transfer(v, amp, w);
            EXPECT_NEAR(std::abs(h - expected) / std::abs(expected), 0.0, 1e-9) << f;
        }
    }
    // Inverting at the centre, with the gain R3 / (2 R1).
    const double w0 = std::sqrt((1.0 / v.r1 + 1.0 / v.r2) / v.r3) / v.c;
    const auto h0 = CBpMfb::Transfer(v, OpAmpParams::Ideal(), w0);
    EXPECT_NEAR(h0.real(), -v.r3 / (2.0 * v.r1), 1e-9);
    EXPECT_NEAR(h0.imag(), 0.0, 1e-9);
}

TEST(BpMfb, ExactDimensioningRealisesEveryStage) {
    const BandPass cases[] = {
        {},
        {Characteristic::CHEBYCHEV, 6, 2500.0, 500.0, 20.0},
        {Characteristic::BESSEL, 8, 400.0, 40.0, 12.0, GainDistribution::EQUAL_GBP},
        {Characteristic::BUTTERWORTH, 2, 1000.0, 300.0, 6.0},
    };
    for (const BandPass& bp : cases) {
        CDesignSession session;
        CBpMfb& s = Specify(session, bp);
        ASSERT_TRUE(s.Prepare());
        for (int i = 0; i < s.StageCount(); ++i) {
            SCOPED_TRACE(testing::Message() << "order " << bp.order << " stage " << i);
            s.SelectStage(i);
            s.DesignStage();
            const BpMfbValues v = s.Values();
            const StageRecord& r = s.Record(i);
            const Measured m = Measure(v, r.poleFrequency);
            EXPECT_NEAR(m.centre / r.poleFrequency, 1.0, 1e-6);
            EXPECT_NEAR(m.gain / r.gain, 1.0, 1e-9);
            EXPECT_NEAR(m.q / r.poleQuality, 1.0, 1e-6);
            EXPECT_DOUBLE_EQ(v.c, RoundedToSeries(v.c, 12));
        }
    }
}

// Butterworth band-pass of order 4: the two stages mirror each other about fm, and the target
// response is the prototype's |H| = 1 / sqrt(1 + W^4) with W = (f/fm - fm/f) fm / B.
TEST(BpMfb, ButterworthTargetIsThreeDecibelsDownAtTheBandEdges) {
    CDesignSession session;
    const BandPass bp;
    CBpMfb& s = Specify(session, bp);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    ASSERT_EQ(s.StageCount(), 2);
    const double f0 = s.Record(0).poleFrequency, f1 = s.Record(1).poleFrequency;
    EXPECT_LT(f0, bp.fm);
    EXPECT_NEAR(f0 * f1 / (bp.fm * bp.fm), 1.0, 1e-12);
    EXPECT_NEAR(s.Record(0).poleQuality, s.Record(1).poleQuality, 1e-12);

    const CShowFregang& target = session.Curves().target;
    const double ratio = std::pow(4.0, 1.0 / 1500.0);  // plot range fm/2 .. 2 fm
    auto targetDb = [&](double f) {
        const double x = std::log(f / (0.5 * bp.fm)) / std::log(ratio);
        const int i = static_cast<int>(x);
        const double t = x - i;
        return 20.0 * std::log10((1.0 - t) * target.At(i) + t * target.At(i + 1));
    };
    const double half = bp.bandwidth / 2.0;
    const double root = std::sqrt(bp.fm * bp.fm + half * half);
    EXPECT_NEAR(targetDb(root - half), -10.0 * std::log10(2.0), 0.01);
    EXPECT_NEAR(targetDb(root + half), -10.0 * std::log10(2.0), 0.01);
    EXPECT_NEAR(20.0 * std::log10(target.At(750)), 0.0, 1e-6);
    double f = 0.5 * bp.fm;
    for (int i = 0; i < kCurvePoints; ++i, f *= ratio) {
        const double w = (f / bp.fm - bp.fm / f) * bp.fm / bp.bandwidth;
        ASSERT_NEAR(target.At(i) * std::sqrt(1.0 + w * w * w * w), 1.0, 1e-9) << i;
    }
}

// Order 4 with B = fm / 3: the stages have Q about 4.3, so 2 Q^2 allows about 31 dB each;
// 80 dB cannot be placed.
TEST(BpMfb, TooHighGainIsLoweredAndTheDesignRealisesIt) {
    CDesignSession session;
    BandPass bp;
    bp.bandwidth = 333.0;
    bp.gainDb = 80.0;
    CBpMfb& s = Specify(session, bp);
    EXPECT_FALSE(s.Prepare());
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    EXPECT_EQ(session.Filter().GetDesignState(), DesignState::DESIGNED);
    EXPECT_TRUE(session.Filter().gainReduced);
    const double lowered = session.Filter().GainDb();
    EXPECT_LT(lowered, 80.0);
    EXPECT_GT(lowered, 40.0);
    for (int i = 0; i < s.StageCount(); ++i) {
        const StageRecord& r = s.Record(i);
        EXPECT_LT(r.gain, 2.0 * r.poleQuality * r.poleQuality);
    }
    // The target response at fm has the lowered gain (Butterworth: the pass band is flat).
    EXPECT_NEAR(20.0 * std::log10(session.Curves().target.At(750)), lowered, 1e-6);
}

// Order 30, Butterworth, B = fm, distributed by Q: the gain limit lowers 60 dB to about 53 dB in
// about 25 runs of Prepare. Stopped after two runs, the stage gains already fit their limits and
// put the gain lowered so far at fm, so the design can go on with them.
TEST(BpMfb, GainLimitStopsAfterItsRunsWithGainsTheStagesCanGive) {
    CDesignSession session;
    BandPass bp;
    bp.order = 30;
    bp.bandwidth = 1000.0;
    bp.gainDb = 60.0;
    bp.distribution = GainDistribution::EQUAL_GBP;
    CBpMfb& s = Specify(session, bp);
    ASSERT_TRUE(s.PrepareUntilStable(2));
    const double afterTwo = session.Filter().GainDb();
    EXPECT_LT(afterTwo, 60.0);
    double atCentre = 1.0;
    for (int i = 0; i < s.StageCount(); ++i) {
        const StageRecord& r = s.Record(i);
        EXPECT_LT(r.gain, 2.0 * r.poleQuality * r.poleQuality);
        const double detuning = r.poleQuality * (bp.fm / r.poleFrequency - r.poleFrequency / bp.fm);
        atCentre *= r.gain / std::sqrt(1.0 + detuning * detuning);
    }
    EXPECT_NEAR(20.0 * std::log10(atCentre), afterTwo, 1e-6);

    ASSERT_TRUE(s.PrepareUntilStable());
    EXPECT_LT(session.Filter().GainDb(), afterTwo - 1.0);
    EXPECT_GT(session.Filter().GainDb(), 40.0);
}

// Bessel, order 10, B = 10 fm: the first-order pair gives a stage of Q 0.066 whose gain cannot
// exceed -42 dB; the filter could give no more than about -126 dB, below the -100 dB the input
// accepts. The design ends with a message and leaves the gain the user asked for.
TEST(BpMfb, GainBelowTheInputsRangeEndsTheDesign) {
    CDesignSession session;
    BandPass bp;
    bp.characteristic = Characteristic::BESSEL;
    bp.order = 10;
    bp.bandwidth = 10000.0;
    Specify(session, bp);
    SilentMonitor monitor;
    EXPECT_FALSE(session.Design(monitor));
    EXPECT_EQ(session.DesignFailure(), GainBelowLowestMessage());
    EXPECT_EQ(session.Filter().GetDesignState(), DesignState::CANCELLED);
    EXPECT_EQ(session.Filter().GainDb(), 0.0);
    EXPECT_FALSE(session.Filter().gainReduced);
}

// One stage at its gain limit with a high impedance level: R2 would be about 1 GOhm.
TEST(BpMfb, LargeR2IsLeftOpen) {
    CDesignSession session;
    BandPass bp;
    bp.order = 2;
    bp.gainDb = 47.0;  // above 2 Q^2 = 200 (46 dB): clipped to just below it
    bp.impedance = 1e6;
    CBpMfb& s = Specify(session, bp);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    s.SelectStage(0);
    s.DesignStage();
    EXPECT_GT(s.Values().r2, CBpMfb::kLargestR2);
    EXPECT_EQ(session.Filter().Value(ComponentSlot::R2, 0), kOpenResistor);
    // Without R2 the stage still has its centre frequency within a few percent.
    BpMfbValues stored{session.Filter().Value(ComponentSlot::C1, 0),
                       session.Filter().Value(ComponentSlot::R1, 0), kOpenResistor,
                       session.Filter().Value(ComponentSlot::R3, 0)};
    EXPECT_NEAR(Measure(stored, bp.fm).centre / bp.fm, 1.0, 0.05);
}

TEST(BpMfb, SteplessR2IsNoSeriesValueWhileR1AndR3Are) {
    for (const bool stepless : {false, true}) {
        CDesignSession session;
        BandPass bp;
        bp.gainDb = 6.0;
        bp.stepless = stepless;
        CBpMfb& s = Specify(session, bp);
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        int nonStandard = 0;
        for (int i = 0; i < s.StageCount(); ++i) {
            const CFilter& f = session.Filter();
            EXPECT_TRUE(IsStandard(f.Value(ComponentSlot::R1, i), 12));
            EXPECT_TRUE(IsStandard(f.Value(ComponentSlot::R3, i), 12));
            EXPECT_TRUE(IsStandard(f.Value(ComponentSlot::C1, i), 12));
            EXPECT_EQ(f.Value(ComponentSlot::C1, i), f.Value(ComponentSlot::C2, i));
            nonStandard += IsStandard(f.Value(ComponentSlot::R2, i), 12) ? 0 : 1;
        }
        EXPECT_EQ(nonStandard, stepless ? s.StageCount() : 0);
    }
}

// Entered capacitors: the stage is dimensioned around them and the search keeps them.
TEST(BpMfb, EnteredCapacitorIsKeptAndRealisesTheTarget) {
    CDesignSession session;
    BandPass bp;
    bp.gainDb = 10.0;
    bp.mode = CapacitorMode::ENTER;
    CBpMfb& s = Specify(session, bp);
    ASSERT_TRUE(s.Prepare());
    test::ScriptedPrompt prompt;
    prompt.answers = {47e-9, 6.8e-9};
    ASSERT_TRUE(s.EnterAllCapacitors(true, prompt));
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[0].caption, "C1 = C2");
    EXPECT_TRUE(IsStandard(prompt.proposals[0], 12));
    for (int i = 0; i < 2; ++i) {
        const CFilter& f = session.Filter();
        const BpMfbValues v{f.Value(ComponentSlot::C1, i), f.Value(ComponentSlot::R1, i),
                            f.Value(ComponentSlot::R2, i), f.Value(ComponentSlot::R3, i)};
        EXPECT_EQ(f.Value(ComponentSlot::C2, i), v.c);
        const Measured m = Measure(v, s.Record(i).poleFrequency);
        EXPECT_NEAR(m.centre / s.Record(i).poleFrequency, 1.0, 1e-6);
        EXPECT_NEAR(m.q / s.Record(i).poleQuality, 1.0, 1e-6);
        EXPECT_NEAR(m.gain / s.Record(i).gain, 1.0, 1e-9);
    }
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    EXPECT_EQ(session.Filter().Value(ComponentSlot::C1, 0), 47e-9);
    EXPECT_EQ(session.Filter().Value(ComponentSlot::C1, 1), 6.8e-9);

    test::ScriptedPrompt cancel;
    cancel.answers = {std::nullopt};
    EXPECT_FALSE(s.EnterAllCapacitors(true, cancel));
}

}  // namespace

// The search skips the R2 of a line outside the kernel's g2 range: every R2 whose term at a
// grid point stays within the bound (the candidates that may win) must lie inside it, also for
// lines far from the design and for open R2, and the kernel gives Transfer's values exactly.
TEST(BpMfb, LineScreenKeepsEveryR2WithinTheBound) {
    CDesignSession session;
    CBpMfb& s = Specify(session, {Characteristic::CHEBYCHEV, 6, 2500.0, 500.0, 20.0});
    ASSERT_TRUE(s.Prepare());
    s.SetOpAmp({1.6e-3, 2e-8, 2e5});
    std::vector<double> r2s;
    for (double r = 10.0; r < 1e8; r *= 1.05) {
        r2s.push_back(r);
    }
    r2s.push_back(kOpenResistor);
    long long kept = 0;
    long long skipped = 0;
    for (int stage = 0; stage < s.StageCount(); ++stage) {
        s.SelectStage(stage);
        s.StoreTarget();
        s.DesignStage();
        CBpMfb::LineKernel kernel(s);
        for (double cScale : {0.2, 1.0, 5.0}) {
            for (double r3Scale : {0.3, 1.0, 3.0}) {
                BpMfbValues v = s.Values();
                v.c *= cScale;
                v.r3 *= r3Scale;
                kernel.StartLine(v);
                for (size_t k = 0; k < s.Grid().size(); ++k) {
                    for (double bound : {1e-6, 1e-3, 0.05, 1.0}) {
                        const auto [lo, hi] =
                            kernel.G2Range(k, s.Target()[k], bound, 1.0 / r2s.front());
                        for (double r2 : r2s) {
                            const double g2 = 1.0 / r2;
                            const Complex h = kernel.At(g2, k);
                            BpMfbValues t = v;
                            t.r2 = r2;
                            const Complex reference = CBpMfb::Transfer(t, s.OpAmp(), s.Grid()[k]);
                            ASSERT_EQ(h.real(), reference.real());
                            ASSERT_EQ(h.imag(), reference.imag());
                            const double d = SafeMagnitude(h) - s.Target()[k];
                            const bool inside = g2 >= lo && g2 <= hi;
                            if (d * d <= bound) {
                                ASSERT_TRUE(inside) << "stage " << stage << " k " << k << " bound "
                                                    << bound << " R2 " << r2;
                            }
                            (inside ? kept : skipped) += 1;
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(2 * skipped, kept);  // the screen skips a good share
}

}  // namespace vx
