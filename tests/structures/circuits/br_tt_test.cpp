#include "structures/circuits/br_tt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "../nodal_network.h"
#include "../scripted_prompt.h"
#include "model/standard_value.h"
#include "session/design_session.h"

namespace vx {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

CBrTt& Specify(CDesignSession& session, double fm, double q,
               CapacitorMode mode = CapacitorMode::OPTIMIZE) {
    session.Filter().SetBandRejectSpecification(mode, ResistorSeries::E24, 0, fm, 10000.0, q);
    return dynamic_cast<CBrTt&>(*session.Current());
}

// The circuit: in 1, capacitor T middle 2 (R2 to the output), resistor T middle 3 (C2 to
// ground), twin-T output 4 (non-inverting input), amplifier output 5, inverting input 6.
test::NodalNetwork::Complex CircuitResponse(const TwinTValues& v, double w,
                                            test::NodalNetwork::Complex a) {
    test::NodalNetwork n(7);
    n.Capacitor(1, 2, v.c1, w);
    n.Capacitor(2, 4, v.c1, w);
    n.Resistor(2, 5, v.r2);
    n.Resistor(1, 3, v.r1);
    n.Resistor(3, 4, v.r1);
    n.Capacitor(3, 0, v.c2, w);
    n.Resistor(5, 6, std::max(v.r3, 1e-6));  // a follower has R3 = 0
    n.Resistor(6, 0, v.r4);
    n.OpAmp(4, 6, 5, a);
    return n.Solve(5);
}

TEST(BrTt, TransferIsTheCircuitsNodalSolution) {
    const TwinTValues v{10e-9, 22e-9, 15000.0, 6800.0, 4700.0, 10000.0};
    const OpAmpParams real{1.6e-2, 3e-8, 2e5};
    for (const OpAmpParams& amp : {OpAmpParams::Ideal(), real}) {
        for (const double f : {10.0, 300.0, 1000.0, 1100.0, 4000.0, 1e5}) {
            const double w = kTwoPi * f;
            const auto expected = CircuitResponse(v, w, 1.0 / amp.InverseGain(w));
            const auto h = CBrTt::Transfer(v, amp, w);
            EXPECT_NEAR(std::abs(h - expected) / std::abs(expected), 0.0, 1e-9) << f;
        }
    }
}

// The exact design has its notch at fm and the pass-band gain k = 1 + R3/R4 = 2 - 1/(2 Q) far
// below and far above it.
TEST(BrTt, ExactDimensioningPutsTheNotchAtFm) {
    for (const double q : {0.5, 0.8, 2.0, 10.0}) {
        for (const double fm : {50.0, 1000.0, 25000.0}) {
            SCOPED_TRACE(testing::Message() << "Q " << q << " fm " << fm);
            CDesignSession session;
            CBrTt& s = Specify(session, fm, q);
            ASSERT_TRUE(s.Prepare());
            s.SelectStage(0);
            s.DesignStage();
            const TwinTValues v = s.Values();
            const double k = 1.0 + v.r3 / v.r4;
            EXPECT_NEAR(k, 2.0 - 1.0 / (2.0 * q), 1e-12);
            EXPECT_NEAR(k, s.Record(0).gain, 1e-12);
            EXPECT_DOUBLE_EQ(v.c2, 2.0 * v.c1);
            EXPECT_LT(std::abs(CircuitResponse(v, kTwoPi * fm, 1e12)), 1e-9);
            EXPECT_NEAR(std::abs(CircuitResponse(v, kTwoPi * fm * 1e-4, 1e12)), k, 1e-3 * k);
            EXPECT_NEAR(std::abs(CircuitResponse(v, kTwoPi * fm * 1e4, 1e12)), k, 1e-3 * k);
            EXPECT_NEAR(std::abs(s.StageTransfer(kTwoPi * fm * 1e-4)), k, 1e-3 * k);
            // The notch is fm / Q wide between its -3 dB points.
            auto edge = [&](double lo, double hi) {
                const bool rising = lo < fm;
                for (int i = 0; i < 200; ++i) {
                    const double mid = std::sqrt(lo * hi);
                    const double m = std::abs(CircuitResponse(v, kTwoPi * mid, 1e12)) / k;
                    ((m > std::sqrt(0.5)) == rising ? lo : hi) = mid;
                }
                return lo;
            };
            const double width = edge(fm, fm * 100.0) - edge(fm / 100.0, fm);
            EXPECT_NEAR(width / (fm / q), 1.0, 1e-6);
        }
    }
}

TEST(BrTt, TargetCurveHasItsNotchAtFm) {
    for (const double q : {0.7, 3.0, 10.0}) {
        CDesignSession session;
        Specify(session, 2000.0, q);
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        const CShowFregang& target = session.Curves().target;
        // The plot range fm/2 .. 2 fm puts fm at the middle point.
        int lowest = 0;
        for (int i = 1; i < kCurvePoints; ++i) {
            if (target.At(i) < target.At(lowest)) {
                lowest = i;
            }
        }
        EXPECT_EQ(lowest, 750) << q;
        EXPECT_LT(target.At(750), 1e-6) << q;
        EXPECT_TRUE(target.LinearInterpolation());
    }
}

// R1 and R2 are realised from the series, each recorded with its parts; the gain network comes
// from standard values too.
TEST(BrTt, DesignRecordsTheRealisationOfR1AndR2) {
    CDesignSession session;
    Specify(session, 1234.0, 5.0);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    const CFilter& f = session.Filter();
    const double w = kTwoPi * 1234.0;
    const double c1 = f.Value(ComponentSlot::C1, 0);
    EXPECT_DOUBLE_EQ(f.Value(ComponentSlot::C2, 0), 2.0 * c1);
    const double exact[2] = {1.0 / (c1 * w), 0.5 / (c1 * w)};
    const ComponentSlot slots[2] = {ComponentSlot::R1, ComponentSlot::R2};
    for (int i = 0; i < 2; ++i) {
        const Realisation& r = f.GetRealisation(i);
        EXPECT_DOUBLE_EQ(f.Value(slots[i], 0), r.value);
        EXPECT_LT(std::fabs(r.value - exact[i]),
                  std::fabs(RoundedToSeries(exact[i], 24) - exact[i]) + 1e-9);
        EXPECT_LT(std::fabs(r.value / exact[i] - 1.0), 0.005);
    }
    const double k = 1.0 + f.Value(ComponentSlot::R3, 0) / f.Value(ComponentSlot::R4, 0);
    EXPECT_NEAR(k, 2.0 - 1.0 / 10.0, 0.02);
}

TEST(BrTt, QualityOneHalfGivesAFollower) {
    CDesignSession session;
    Specify(session, 1000.0, 0.5);
    EXPECT_DOUBLE_EQ(session.Filter().GainDb(), 0.0);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    EXPECT_EQ(session.Filter().Value(ComponentSlot::R3, 0), 0.0);
    EXPECT_EQ(session.Filter().Value(ComponentSlot::R4, 0), 1e20);
}

// Entered C1: the notch stays at fm, and the design keeps the capacitor.
TEST(BrTt, EnteredCapacitorKeepsTheNotch) {
    CDesignSession session;
    CBrTt& s = Specify(session, 800.0, 4.0, CapacitorMode::ENTER);
    ASSERT_TRUE(s.Prepare());
    test::ScriptedPrompt prompt;
    prompt.answers = {33e-9};
    ASSERT_TRUE(s.EnterAllCapacitors(true, prompt));
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "C1");
    EXPECT_DOUBLE_EQ(prompt.asked[0].minimum, 1e-12);
    const CFilter& f = session.Filter();
    const TwinTValues v{f.Value(ComponentSlot::C1, 0), f.Value(ComponentSlot::C2, 0),
                        f.Value(ComponentSlot::R1, 0), f.Value(ComponentSlot::R2, 0),
                        f.Value(ComponentSlot::R3, 0), f.Value(ComponentSlot::R4, 0)};
    EXPECT_EQ(v.c1, 33e-9);
    EXPECT_LT(std::abs(CircuitResponse(v, kTwoPi * 800.0, 1e12)), 1e-9);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    EXPECT_EQ(f.Value(ComponentSlot::C1, 0), 33e-9);
    EXPECT_EQ(f.Value(ComponentSlot::C2, 0), 66e-9);
}

}  // namespace
}  // namespace vx
