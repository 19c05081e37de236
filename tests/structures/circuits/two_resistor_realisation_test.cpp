#include "structures/circuits/two_resistor_realisation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/standard_value.h"

namespace vx {
namespace {

bool IsStandard(double x, int series) {
    return std::fabs(x / RoundedToSeries(x, series) - 1.0) < 1e-12;
}

TEST(TwoResistorRealisation, StandardValueStaysASingleResistor) {
    for (const int series : {12, 24, 96}) {
        for (const double x : {100.0, 4700.0, 8200.0, 1e6}) {
            const double target = RoundedToSeries(x, series);
            const Realisation r = RealiseWithTwoResistors(target, series);
            EXPECT_EQ(r.kind, RealisationKind::SINGLE) << series << " " << target;
            EXPECT_DOUBLE_EQ(r.value, target);
            EXPECT_DOUBLE_EQ(r.first, target);
        }
    }
}

TEST(TwoResistorRealisation, HalfOfAStandardValueIsTwoInParallel) {
    const Realisation r = RealiseWithTwoResistors(5000.0, 12);
    EXPECT_EQ(r.kind, RealisationKind::PARALLEL);
    EXPECT_DOUBLE_EQ(r.first, 10000.0);
    EXPECT_DOUBLE_EQ(r.second, 10000.0);
    EXPECT_DOUBLE_EQ(r.value, 5000.0);
}

// Over many targets: the parts are standard values, the value is what they make, a pair is
// taken only when strictly closer than the nearest single value, and all three kinds occur.
TEST(TwoResistorRealisation, PairOnlyWhenStrictlyCloser) {
    for (const int series : {12, 24}) {
        int kinds[3] = {0, 0, 0};
        for (int i = 0; i < 200; ++i) {
            const double target = 1000.0 * std::pow(10.0, i / 200.0) * 1.0001;
            SCOPED_TRACE(testing::Message() << series << " " << target);
            const Realisation r = RealiseWithTwoResistors(target, series);
            const double singleDeviation = std::fabs(RoundedToSeries(target, series) - target);
            const double deviation = std::fabs(r.value - target);
            ++kinds[static_cast<int>(r.kind)];
            switch (r.kind) {
                case RealisationKind::SINGLE:
                    EXPECT_DOUBLE_EQ(r.value, RoundedToSeries(target, series));
                    break;
                case RealisationKind::PARALLEL:
                    EXPECT_LT(deviation, singleDeviation);
                    EXPECT_TRUE(IsStandard(r.first, series) && IsStandard(r.second, series));
                    EXPECT_NEAR(r.value, 1.0 / (1.0 / r.first + 1.0 / r.second), 1e-9 * r.value);
                    break;
                case RealisationKind::SERIES:
                    EXPECT_LT(deviation, singleDeviation);
                    EXPECT_TRUE(IsStandard(r.first, series) && IsStandard(r.second, series));
                    EXPECT_NEAR(r.value, r.first + r.second, 1e-9 * r.value);
                    break;
            }
            // Two resistors of the series come within a few tenths of a percent.
            EXPECT_LT(deviation / target, series == 12 ? 0.01 : 0.005);
        }
        EXPECT_GT(kinds[1], 0);
        EXPECT_GT(kinds[2], 0);
    }
}

}  // namespace
}  // namespace vx
