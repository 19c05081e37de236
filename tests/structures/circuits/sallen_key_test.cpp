#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "../design_fixture.h"
#include "../scripted_prompt.h"
#include "model/standard_value.h"
#include "response/rounding_guard.h"
#include "structures/circuits/hp_sallen_key.h"
#include "structures/circuits/lp_sallen_key.h"

namespace vx {
namespace {

using test::Specify;

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
    {Characteristic::CHEBYCHEV, 3, 3.0, GainDistribution::EQUAL},
};

// The exact values, put back into the stage's coefficient equations, give the target pair.
TEST(SallenKey, ExactDimensioningRealisesEveryStage) {
    for (const bool highPass : {false, true}) {
        for (const Case& c : kCases) {
            CDesignSession session;
            Specify(session, highPass ? FilterType::HIGHPASS : FilterType::LOWPASS,
                    StructureKind::SALLEN_KEY, c.characteristic, c.order, 2500.0, c.gainDb,
                    ResistorSeries::E96);
            session.Filter().SetGainDistribution(static_cast<int>(c.distribution));
            auto& s = dynamic_cast<CSallenKeyStructure&>(*session.Current());
            ASSERT_TRUE(s.Prepare());
            const double w = 2.0 * std::numbers::pi * 2500.0;
            for (int i = 0; i < s.StageCount(); ++i) {
                SCOPED_TRACE(testing::Message()
                             << "hp " << highPass << " order " << c.order << " stage " << i);
                s.SelectStage(i);
                s.DesignStage();
                const SallenKeyValues v = s.Values();
                const double gain = 1.0 + v.r3 / v.r4;
                EXPECT_NEAR(gain, s.StageGain(i), 1e-12 * gain);
                const double a = s.CoefficientA(i), b = s.CoefficientB(i);
                if (s.IsFirstOrderStage(i)) {
                    const double realised = highPass ? 1.0 / (w * v.r1 * v.c1) : w * v.r1 * v.c1;
                    EXPECT_NEAR(realised / a, 1.0, 1e-9);
                    continue;
                }
                double ra, rb;
                if (highPass) {
                    ra =
                        (v.c1 + v.c2) / (w * v.r1 * v.c1 * v.c2) + (1.0 - gain) / (w * v.r2 * v.c1);
                    rb = 1.0 / (w * w * v.r1 * v.r2 * v.c1 * v.c2);
                } else {
                    ra = w * (v.c1 * (v.r1 + v.r2) + (1.0 - gain) * v.r1 * v.c2);
                    rb = w * w * v.r1 * v.r2 * v.c1 * v.c2;
                }
                EXPECT_NEAR(ra / a, 1.0, 1e-9);
                EXPECT_NEAR(rb / b, 1.0, 1e-9);
                // Capacitors of the exact design are E12 values.
                EXPECT_DOUBLE_EQ(v.c1, RoundedToSeries(v.c1, 12));
                EXPECT_DOUBLE_EQ(v.c2, RoundedToSeries(v.c2, 12));
            }
        }
    }
}

TEST(SallenKey, TargetCurveIsThePrototypeTimesTheGain) {
    for (const bool highPass : {false, true}) {
        CDesignSession session;
        Specify(session, highPass ? FilterType::HIGHPASS : FilterType::LOWPASS,
                StructureKind::SALLEN_KEY, Characteristic::CHEBYCHEV, 7, 1000.0, 12.0,
                ResistorSeries::E24, 1);
        ASSERT_TRUE(session.Filter().SetPlotRange(0.1, 10.0));
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        ASSERT_EQ(session.Filter().GetDesignState(), DesignState::DESIGNED);
        const double gain = std::pow(10.0, 12.0 / 20.0);
        const double r = std::pow(100.0, 1.0 / 1500.0);
        double x = 0.1;
        for (int i = 0; i < kCurvePoints; ++i, x *= r) {
            const double expected =
                gain * test::PrototypeMagnitude(session.Character(), x, highPass);
            ASSERT_NEAR(session.Curves().target.At(i) / expected, 1.0, 1e-9) << "point " << i;
        }
    }
}

TEST(SallenKey, SearchNeverEndsAboveTheRoundedValues) {
    for (const bool highPass : {false, true}) {
        for (const Case& c : kCases) {
            CDesignSession session;
            Specify(session, highPass ? FilterType::HIGHPASS : FilterType::LOWPASS,
                    StructureKind::SALLEN_KEY, c.characteristic, c.order, 1000.0, c.gainDb,
                    ResistorSeries::E12, 1);
            test::SearchProbe<CLpSallenKey> lp;
            test::SearchProbe<CHpSallenKey> hp;
            CFilterStructure& s = highPass ? static_cast<CFilterStructure&>(hp) : lp;
            s.Attach(session.Filter(), session.OpAmps(), session.Character(), session.Curves());
            ASSERT_TRUE(s.Prepare());
            for (int i = 0; i < s.StageCount(); ++i) {
                s.SelectStage(i);
                const auto [rounded, searched] =
                    highPass ? hp.RoundedThenSearched(true) : lp.RoundedThenSearched(true);
                EXPECT_LE(searched, rounded) << "order " << c.order << " stage " << i;
            }
        }
    }
}

// A slow op-amp at a high cut-off frequency: the rounded design deviates visibly, the searched
// one less.
TEST(SallenKey, SearchAccountsForTheOpAmp) {
    for (const bool highPass : {false, true}) {
        CDesignSession session;
        Specify(session, highPass ? FilterType::HIGHPASS : FilterType::LOWPASS,
                StructureKind::SALLEN_KEY, Characteristic::BUTTERWORTH, 4, 20000.0, 20.0,
                ResistorSeries::E96, session.OpAmps().FindByName("uA741"));
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        const ResponseCurves& c = session.Curves();
        double worst = 0.0;
        for (int i = 0; i < kCurvePoints; ++i) {
            worst =
                std::max(worst, std::fabs(20.0 * std::log10(c.traditional.At(i) / c.target.At(i))));
        }
        EXPECT_GT(worst, 0.5) << "the uA741 should matter at 20 kHz";
        EXPECT_LT(test::DbDistance(c.filter, c.target), test::DbDistance(c.traditional, c.target));
    }
}

// No design ends farther from its target than rounding by the plot's measure (where the
// rounded stages' errors happen to cancel, the design keeps rounded stages), and over common
// designs the search ends closer.
TEST(SallenKey, CommonDesignsEndCloserToTheTargetThanRounding) {
    const struct {
        FilterType type;
        Characteristic characteristic;
        int order;
        double gainDb;
        ResistorSeries series;
    } common[] = {
        {FilterType::LOWPASS, Characteristic::BUTTERWORTH, 4, 0.0, ResistorSeries::E24},
        {FilterType::LOWPASS, Characteristic::BESSEL, 6, 6.0, ResistorSeries::E96},
        {FilterType::LOWPASS, Characteristic::CHEBYCHEV, 4, 0.0, ResistorSeries::E24},
        {FilterType::HIGHPASS, Characteristic::BUTTERWORTH, 4, 0.0, ResistorSeries::E24},
        {FilterType::HIGHPASS, Characteristic::BESSEL, 3, 10.0, ResistorSeries::E96},
    };
    double searched = 0.0;
    double rounded = 0.0;
    for (const auto& c : common) {
        CDesignSession session;
        Specify(session, c.type, StructureKind::SALLEN_KEY, c.characteristic, c.order, 1000.0,
                c.gainDb, c.series, 1);
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        const ResponseCurves& curves = session.Curves();
        const double s = WorstDeviationDb(curves.target.Values(), curves.filter.Values());
        const double r = WorstDeviationDb(curves.target.Values(), curves.traditional.Values());
        EXPECT_LE(s, r) << "order " << c.order;
        searched += s;
        rounded += r;
    }
    EXPECT_LT(searched, 0.8 * rounded);
}

TEST(SallenKey, AbsentPartsAndFollowers) {
    CDesignSession session;
    Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY, Characteristic::BESSEL, 3,
            1000.0, 0.0, ResistorSeries::E24);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    const CFilter& f = session.Filter();
    EXPECT_EQ(f.ComponentCount(0), 4);  // no gain network at 0 dB
    EXPECT_EQ(f.Value(ComponentSlot::C2, 0), 0.0);
    EXPECT_EQ(f.Value(ComponentSlot::R2, 0), 0.0);
    EXPECT_GT(f.Value(ComponentSlot::C2, 1), 0.0);

    auto& hp = dynamic_cast<CHpSallenKey&>(
        *session.StructureFor(FilterType::HIGHPASS, StructureKind::SALLEN_KEY));
    Specify(session, FilterType::HIGHPASS, StructureKind::SALLEN_KEY, Characteristic::BUTTERWORTH,
            3, 1000.0, 0.0, ResistorSeries::E24);
    ASSERT_TRUE(hp.Prepare());
    hp.SelectStage(0);
    hp.DesignStage();
    EXPECT_EQ(hp.Values().c2, 2e20);
    EXPECT_EQ(hp.Values().r2, 2e20);
    // A unity-gain high-pass stage uses equal capacitors.
    hp.SelectStage(1);
    hp.DesignStage();
    const SallenKeyValues v = hp.Values();
    const double w = 2.0 * std::numbers::pi * 1000.0;
    EXPECT_EQ(v.c1, v.c2);
    EXPECT_NEAR(v.r1, 2.0 / (hp.CoefficientA(1) * w * v.c1), 1e-9 * v.r1);
    EXPECT_EQ(v.r3, 0.0);
}

TEST(SallenKey, ReversedSequenceReversesTheStages) {
    double firstHigh = 0.0, lastLow = 0.0;
    for (const StageSequence sequence : {StageSequence::HIGH_LEVEL, StageSequence::LOW_NOISE}) {
        CDesignSession session;
        Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                Characteristic::BUTTERWORTH, 6, 1000.0, 0.0, ResistorSeries::E24);
        SpecificationBlock block = session.Filter().Specification();
        block.stageSequence = sequence;
        session.Filter().SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
        CFilterStructure& s = *session.Current();
        ASSERT_TRUE(s.Prepare());
        if (sequence == StageSequence::HIGH_LEVEL) {
            firstHigh = s.Record(0).poleQuality;
            EXPECT_LT(s.Record(0).poleQuality, s.Record(2).poleQuality);
        } else {
            lastLow = s.Record(2).poleQuality;
            EXPECT_GT(s.Record(0).poleQuality, s.Record(2).poleQuality);
        }
    }
    EXPECT_DOUBLE_EQ(firstHigh, lastLow);
}

class CancelAtStage : public DesignMonitor {
  public:
    explicit CancelAtStage(int stage) : stage_(stage) {}
    void Report(const DesignProgress& p) override { cancel_ = cancel_ || p.stage >= stage_; }
    bool CancelRequested() override { return cancel_; }

  private:
    int stage_;
    bool cancel_ = false;
};

TEST(SallenKey, CancelStopsTheRunWithoutStoringTheStage) {
    for (const CapacitorMode mode : {CapacitorMode::OPTIMIZE, CapacitorMode::ENTER}) {
        CDesignSession session;
        Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                Characteristic::BUTTERWORTH, 6, 1000.0, 6.0, ResistorSeries::E24, 0, mode);
        if (mode == CapacitorMode::ENTER) {
            test::ScriptedPrompt prompt;
            session.Current()->PrepareUntilStable();
            ASSERT_TRUE(session.Current()->EnterAllCapacitors(true, prompt));
        }
        const double storedBefore = session.Filter().Value(ComponentSlot::R1, 1);
        CancelAtStage monitor(1);
        ASSERT_TRUE(session.Design(monitor));
        EXPECT_EQ(session.Filter().GetDesignState(), DesignState::CANCELLED);
        EXPECT_FALSE(session.Filter().resultModified);
        EXPECT_GT(session.Filter().Value(ComponentSlot::R1, 0), 0.0);
        EXPECT_EQ(session.Filter().Value(ComponentSlot::R1, 1), storedBefore);
    }
}

TEST(SallenKey, CapacitorEntryAsksWithProposalsAndMinimum) {
    CDesignSession session;
    Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY, Characteristic::BUTTERWORTH, 3,
            1000.0, 6.0, ResistorSeries::E24, 0, CapacitorMode::ENTER);
    CFilterStructure& s = *session.Current();
    s.PrepareUntilStable();
    test::ScriptedPrompt prompt;
    prompt.answers = {22e-9, 10e-9, 47e-9};
    ASSERT_TRUE(s.EnterAllCapacitors(true, prompt));
    ASSERT_EQ(prompt.asked.size(), 3u);  // C1 of the first-order stage, C1 and C2 of the second
    EXPECT_EQ(prompt.asked[0].caption, "C1");
    EXPECT_EQ(prompt.asked[0].stageNumber, 1);
    EXPECT_EQ(prompt.asked[0].stageCount, 2);
    EXPECT_EQ(prompt.asked[2].caption, "C2");
    EXPECT_EQ(prompt.asked[2].stageNumber, 2);
    // The minimum of C2 is just above the ratio the stage needs, and so is the proposal.
    const double ratio = s.MinimumCapacitor(1, 1, 10e-9) / 10e-9;
    EXPECT_GT(prompt.asked[2].minimum, 0.0);
    EXPECT_NEAR(prompt.asked[2].minimum, ratio * 10e-9, 1e-3 * ratio * 10e-9);
    EXPECT_GE(prompt.proposals[2], prompt.asked[2].minimum);
    EXPECT_EQ(session.Filter().Value(ComponentSlot::C1, 0), 22e-9);
    EXPECT_EQ(session.Filter().Value(ComponentSlot::C1, 1), 10e-9);
    EXPECT_EQ(session.Filter().Value(ComponentSlot::C2, 1), 47e-9);

    // The design keeps the entered capacitors and searches the resistors.
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    EXPECT_EQ(session.Filter().GetDesignState(), DesignState::DESIGNED);
    EXPECT_EQ(session.Filter().Value(ComponentSlot::C1, 1), 10e-9);
    EXPECT_EQ(session.Filter().Value(ComponentSlot::C2, 1), 47e-9);
    const double r1 = session.Filter().Value(ComponentSlot::R1, 1);
    EXPECT_DOUBLE_EQ(r1, RoundedToSeries(r1, 24));
}

TEST(SallenKey, SecondCapacitorAtItsMinimumGivesARealStage) {
    // Rounded to four digits, 1.0007e-7 once became 1.00e-7, below the C2 that a C1 of 5.0035 nF
    // needs (C2/C1 >= 2 for this stage): the root of the dimensioning turned imaginary.
    CDesignSession session;
    Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY, Characteristic::BUTTERWORTH, 2,
            1000.0, 0.0, ResistorSeries::E24, 0, CapacitorMode::ENTER);
    CFilterStructure& s = *session.Current();
    ASSERT_TRUE(s.PrepareUntilStable());
    for (double c1 = 5.0e-8; c1 < 5.01e-8; c1 *= 1.00005) {
        s.DesignFromCapacitors(0, c1, s.MinimumCapacitor(0, 1, c1));
        const double r1 = session.Filter().Value(ComponentSlot::R1, 0);
        const double r2 = session.Filter().Value(ComponentSlot::R2, 0);
        ASSERT_TRUE(std::isfinite(r1) && r1 > 0.0 && std::isfinite(r2) && r2 > 0.0) << c1;
    }
}

TEST(SallenKey, CancelledCapacitorPromptStopsTheEntry) {
    CDesignSession session;
    Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY, Characteristic::BUTTERWORTH, 4,
            1000.0, 0.0, ResistorSeries::E24, 0, CapacitorMode::ENTER);
    CFilterStructure& s = *session.Current();
    s.PrepareUntilStable();
    test::ScriptedPrompt prompt;
    prompt.answers = {10e-9, 33e-9, std::nullopt};
    EXPECT_FALSE(s.EnterAllCapacitors(true, prompt));
    EXPECT_EQ(session.Filter().Value(ComponentSlot::C1, 0), 10e-9);
    EXPECT_EQ(session.Filter().Value(ComponentSlot::C1, 1), 0.0);  // second stage not stored
}

TEST(SallenKey, StoredPairBelowTheRatioNeedsARepair) {
    CDesignSession session;
    Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY, Characteristic::BUTTERWORTH, 2,
            1000.0, 0.0, ResistorSeries::E24, 0, CapacitorMode::ENTER);
    CFilterStructure& s = *session.Current();
    s.PrepareUntilStable();
    // Butterworth, unity gain: C2/C1 must reach 4b/a^2 = 2.
    const double ratio = 2.0;
    CFilter& f = session.Filter();

    f.SetValue(ComponentSlot::C1, 0, 10e-9);
    f.SetValue(ComponentSlot::C2, 0, ratio * 10e-9 * (1.0 + 1e-12));
    test::ScriptedPrompt atRatio;
    EXPECT_TRUE(s.EnterAllCapacitors(false, atRatio));
    EXPECT_TRUE(atRatio.mismatches.empty());

    f.SetValue(ComponentSlot::C2, 0, 15e-9);
    test::ScriptedPrompt cancels;
    EXPECT_FALSE(s.EnterAllCapacitors(false, cancels));
    ASSERT_EQ(cancels.mismatches.size(), 1u);
    EXPECT_NEAR(cancels.mismatches[0].minimumRatio, ratio, 1e-12);
    EXPECT_EQ(f.Value(ComponentSlot::C2, 0), 15e-9);

    test::ScriptedPrompt repairs;
    repairs.repairs = {std::make_pair(10e-9, 22e-9)};
    EXPECT_TRUE(s.EnterAllCapacitors(false, repairs));
    EXPECT_EQ(f.Value(ComponentSlot::C2, 0), 22e-9);
    EXPECT_GT(f.Value(ComponentSlot::R1, 0), 0.0);
}

// Far below the poles the delay of 1 + a P + b P^2 is a / wg per stage; the phase passes -90
// degrees at each pole without leaving a spike in the smoothed delay.
TEST(SallenKey, GroupDelayIsSmoothAndMatchesTheLowFrequencyLimit) {
    CDesignSession session;
    Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY, Characteristic::BESSEL, 6,
            1000.0, 0.0, ResistorSeries::E192);
    ASSERT_TRUE(session.Filter().SetPlotRange(0.01, 100.0));
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    double sumA = 0.0;
    for (int i = 0; i < session.Character().Count(); ++i) {
        sumA += session.Character().A(i);
    }
    const CShowFregang& delay = session.Curves().groupDelay;
    EXPECT_NEAR(delay.At(0) / (sumA / (2.0 * std::numbers::pi * 1000.0)), 1.0, 2e-3);
    for (int i = 1; i < kCurvePoints; ++i) {
        ASSERT_GT(delay.At(i), 0.0);
        ASSERT_LT(std::fabs(delay.At(i) / delay.At(i - 1) - 1.0), 0.05) << "spike at " << i;
    }
}

}  // namespace
}  // namespace vx
