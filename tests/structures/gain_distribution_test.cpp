#include "structures/gain_distribution.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "design_fixture.h"
#include "model/standard_value.h"
#include "structures/gain_resistors.h"

namespace vx {
namespace {

double Product(const std::vector<StageRecord>& stages) {
    double p = 1.0;
    for (const StageRecord& s : stages) {
        p *= s.gain;
    }
    return p;
}

TEST(GainDistribution, ByQKeepsTheProductAndFavoursLowQ) {
    std::vector<StageRecord> stages = {
        {1000.0, -1.0, 2.0}, {1100.0, 1.3, 2.0}, {1200.0, 2.0, 2.0}, {1300.0, 4.0, 2.0}};
    DistributeByQ(stages, false);
    EXPECT_NEAR(Product(stages), 16.0, 1e-12);
    // A first-order stage counts with Q = 1.
    for (size_t i = 1; i < stages.size(); ++i) {
        EXPECT_LT(stages[i].gain, stages[i - 1].gain) << "higher Q gets less gain";
    }
    // Gain times Q^2 fp is the same for every stage.
    const double first = stages[0].gain * stages[0].poleFrequency;
    for (size_t i = 1; i < stages.size(); ++i) {
        const double q = stages[i].poleQuality;
        EXPECT_NEAR(stages[i].gain * q * q * stages[i].poleFrequency / first, 1.0, 1e-12);
    }
}

TEST(GainDistribution, SallenKeyNeverGoesBelowUnity) {
    // A modest total gain over stages of very different Q would push the high-Q stages below 1.
    std::vector<StageRecord> stages = {
        {1000.0, 0.52, 1.5}, {1000.0, 0.8, 1.5}, {1000.0, 2.5, 1.5}, {1000.0, 8.0, 1.5}};
    const double total = Product(stages);
    DistributeByQ(stages, true);
    for (const StageRecord& s : stages) {
        EXPECT_GE(s.gain, 1.0);
    }
    EXPECT_EQ(stages[3].gain, 1.0);
    EXPECT_LE(Product(stages), total * 1.001);

    // At 0 dB every Sallen-Key stage ends at exactly 1.
    std::vector<StageRecord> unity = {{1000.0, 0.6, 1.0}, {1000.0, 3.0, 1.0}};
    DistributeByQ(unity, true);
    EXPECT_EQ(unity[0].gain, 1.0);
    EXPECT_EQ(unity[1].gain, 1.0);
}

TEST(GainDistribution, BandPassLimitMovesGainToStagesThatCanTakeIt) {
    // Limits 2 Q^2: 2, 8, 50.
    std::vector<StageRecord> stages = {{900.0, 1.0, 4.0}, {1000.0, 2.0, 4.0}, {1100.0, 5.0, 4.0}};
    const double unplaced = LimitBandPassGain(stages);
    EXPECT_NEAR(unplaced, 1.0, 1e-9);
    EXPECT_NEAR(Product(stages), 64.0, 1e-9);
    EXPECT_NEAR(stages[0].gain, 0.999 * 2.0, 1e-12);
    for (const StageRecord& s : stages) {
        EXPECT_LE(s.gain, 0.999 * 2.0 * s.poleQuality * s.poleQuality + 1e-12);
    }
}

TEST(GainDistribution, BandPassLimitReportsWhatCannotBePlaced) {
    std::vector<StageRecord> stages = {{900.0, 1.0, 10.0}, {1100.0, 1.0, 10.0}};
    const double unplaced = LimitBandPassGain(stages);
    EXPECT_NEAR(unplaced, 100.0 / (1.998 * 1.998), 1e-9);
    std::vector<StageRecord> fits = {{900.0, 3.0, 4.0}, {1100.0, 3.0, 4.0}};
    EXPECT_EQ(LimitBandPassGain(fits), 1.0);
    EXPECT_EQ(fits[0].gain, 4.0);
}

TEST(GainDistribution, EnteredStageGainsReachTheStages) {
    CDesignSession session;
    test::Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                  Characteristic::BUTTERWORTH, 5, 1000.0, 10.0, ResistorSeries::E24);
    session.Filter().SetGainDistribution(static_cast<int>(GainDistribution::VALUES));
    session.Filter().SetStageGain(0, 1.5);
    session.Filter().SetStageGain(1, 2.0);
    session.Filter().SetStageGain(2, 3.0);
    CFilterStructure& s = *session.Current();
    ASSERT_TRUE(s.Prepare());
    EXPECT_EQ(s.StageGain(0), 1.5);
    EXPECT_EQ(s.StageGain(1), 2.0);
    EXPECT_EQ(s.StageGain(2), 3.0);
}

TEST(GainResistors, FollowerAtUnityGain) {
    const GainResistors r = ChooseGainResistors(1.0, 10000.0, 24);
    EXPECT_EQ(r.feedback, 0.0);
    EXPECT_EQ(r.ground, 1e20);
    EXPECT_EQ(ChooseGainResistors(1.00005, 10000.0, 24).ground, 1e20);
}

TEST(GainResistors, PairIsCloseToTheGainInEverySeries) {
    for (const int series : {12, 24, 48, 96, 192}) {
        for (const double gain : {1.05, 1.585, 2.0, 3.3, 10.0, 100.0}) {
            const GainResistors r = ChooseGainResistors(gain, 10000.0, series);
            const double realised = 1.0 + r.feedback / r.ground;
            // A standard pair can hit the gain to within a fraction of one series step.
            const double step = std::pow(10.0, 1.0 / series) - 1.0;
            EXPECT_LT(std::fabs(realised - gain) / gain, step) << series << " " << gain;
            EXPECT_GE(r.feedback, 0.7 * (1.0 - 1.0 / gain) * 10000.0 * 0.9);
        }
    }
}

TEST(GainResistors, WithinAWindowTheBestPairOfEveryPairThere) {
    // A gain of 12 needs more than the ratio 10 of a window of 3,16: the pair comes closest.
    const struct {
        double gain;
        int series;
        double window;
    } cases[] = {
        {1.05, 24, 3.16}, {2.0, 96, 3.16},  {6.3, 12, 3.16},
        {12.0, 24, 3.16}, {12.0, 24, 10.0}, {31.6, 192, 100.0},
    };
    const double r0 = 10000.0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.gain << " E" << c.series << " x" << c.window);
        // Every pair of the series within the window, by brute force.
        std::vector<double> values;
        for (StandardValue v(c.series, r0 / c.window / 1.2); v.Value() <= r0 * c.window * 1.2;
             v.Next()) {
            if (v.Value() >= r0 / c.window && v.Value() <= r0 * c.window) {
                values.push_back(v.Value());
            }
        }
        double best = INFINITY;
        for (double feedback : values) {
            for (double ground : values) {
                best = std::min(best, std::fabs(feedback / ground + 1.0 - c.gain));
            }
        }
        const std::optional<GainResistors> r =
            ChooseGainResistorsWithin(c.gain, r0, c.series, c.window);
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(std::fabs(r->feedback / r->ground + 1.0 - c.gain), best);
        for (double part : {r->feedback, r->ground}) {
            EXPECT_GE(part, r0 / c.window);
            EXPECT_LE(part, r0 * c.window);
        }
    }
}

}  // namespace
}  // namespace vx
