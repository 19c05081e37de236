#include "analysis/sensitivity_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "../structures/design_fixture.h"
#include "tolerance_test_support.h"

namespace vx {
namespace {

std::vector<SensitivityRow> Sensitivities(const CDesignSession& session) {
    CToleranceEvaluator evaluator(session);
    return ComputeSensitivities(evaluator);
}

// The textbook sensitivities of a Sallen-Key low-pass stage (R1 into the junction, R2 on to
// the non-inverting input, C1 from there to ground, C2 from the junction to the output) with
// the amplifier gain K = 1 + R3/R4: w0^2 = 1 / (R1 R2 C1 C2) and
// Q = sqrt(R1 R2 C1 C2) / D with D = C1 (R1 + R2) + (1 - K) R1 C2. For K = 1 the classical
// S(w0) = -1/2 of every part, S(Q, C1) = -1/2, S(Q, C2) = 1/2, S(Q, R1) = 1/2 - R1/(R1 + R2).
TEST(Sensitivities, OfASallenKeyStageAreTheTextbookOnes) {
    for (double gainDb : {0.0, 6.0}) {
        SCOPED_TRACE(gainDb);
        CDesignSession session;
        test::Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                      Characteristic::BUTTERWORTH, 2, 1000.0, gainDb, ResistorSeries::E24);
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        const CFilter& f = session.Filter();
        const double r1 = f.Value(ComponentSlot::R1, 0);
        const double r2 = f.Value(ComponentSlot::R2, 0);
        const double c1 = f.Value(ComponentSlot::C1, 0);
        const double c2 = f.Value(ComponentSlot::C2, 0);
        const double r3 = f.Value(ComponentSlot::R3, 0);
        const double r4 = f.Value(ComponentSlot::R4, 0);
        const double k = r3 > 0.0 ? 1.0 + r3 / r4 : 1.0;
        const double d = c1 * (r1 + r2) + (1.0 - k) * r1 * c2;
        std::map<std::string, std::pair<double, double>> expected = {
            {"R1", {-0.5, 0.5 - (c1 + (1.0 - k) * c2) * r1 / d}},
            {"R2", {-0.5, 0.5 - c1 * r2 / d}},
            {"C1", {-0.5, 0.5 - c1 * (r1 + r2) / d}},
            {"C2", {-0.5, 0.5 - (1.0 - k) * r1 * c2 / d}},
        };
        if (gainDb > 0.0) {
            expected["R3"] = {0.0, (k - 1.0) * r1 * c2 / d};
            expected["R4"] = {0.0, -(k - 1.0) * r1 * c2 / d};
        } else {
            EXPECT_NEAR(expected["C1"].second, -0.5, 1e-12);
        }
        const std::vector<SensitivityRow> rows = Sensitivities(session);
        ASSERT_EQ(rows.size(), expected.size());
        for (const SensitivityRow& row : rows) {
            SCOPED_TRACE(row.component);
            ASSERT_EQ(expected.count(row.component), 1u);
            EXPECT_FALSE(row.realPole);
            EXPECT_NEAR(row.frequency, expected[row.component].first, 1e-6);
            EXPECT_NEAR(row.quality, expected[row.component].second, 1e-6);
        }
    }
}

// Scaling every resistor of an RC-active network by x scales its poles by 1/x and leaves their
// qualities alone, and so does scaling every capacitor: over the resistors of a stage, and
// over its capacitors, the sensitivities of each pole frequency add up to -1 and those of each
// quality to 0. This holds for every structure, the twin-T's unbalanced network included.
TEST(Sensitivities, AddUpAsScalingTheImpedanceLevelDemands) {
    for (const char* name : test::kExamples) {
        SCOPED_TRACE(name);
        const auto session = test::DesignedExample(name);
        struct Sums {
            double frequencyR = 0.0;
            double frequencyC = 0.0;
            double qualityR = 0.0;
            double qualityC = 0.0;
        };
        std::map<std::pair<int, bool>, Sums> poles;
        for (const SensitivityRow& row : Sensitivities(*session)) {
            Sums& sums = poles[{row.stage, row.realPole}];
            const bool capacitor = row.component[0] == 'C';
            (capacitor ? sums.frequencyC : sums.frequencyR) += row.frequency;
            if (!row.realPole) {
                (capacitor ? sums.qualityC : sums.qualityR) += row.quality;
            }
        }
        ASSERT_FALSE(poles.empty());
        for (const auto& [pole, sums] : poles) {
            SCOPED_TRACE(testing::Message() << "stage " << pole.first << " real " << pole.second);
            EXPECT_NEAR(sums.frequencyR, -1.0, 1e-5);
            EXPECT_NEAR(sums.frequencyC, -1.0, 1e-5);
            EXPECT_NEAR(sums.qualityR, 0.0, 1e-5);
            EXPECT_NEAR(sums.qualityC, 0.0, 1e-5);
        }
    }
}

// The third-order structure's one stage has a real pole and a pole pair; each has its rows.
TEST(Sensitivities, OfTheThirdOrderStageCoverItsRealPoleAndItsPair) {
    for (const char* name : {"skx_lowpass", "skx_highpass"}) {
        SCOPED_TRACE(name);
        const auto session = test::DesignedExample(name);
        int pair = 0;
        int real = 0;
        for (const SensitivityRow& row : Sensitivities(*session)) {
            (row.realPole ? real : pair) += 1;
            EXPECT_EQ(std::isnan(row.quality), row.realPole);
        }
        EXPECT_GE(pair, 6);
        EXPECT_EQ(pair, real);
    }
}

}  // namespace
}  // namespace vx
