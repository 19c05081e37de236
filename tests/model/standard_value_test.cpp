#include "model/standard_value.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>
#include <stdexcept>

namespace vx {
namespace {

constexpr int kAllSeries[] = {12, 24, 48, 96, 192};

// Relative comparison: the decade factor carries the rounding error of repeated scaling.
void ExpectClose(double expected, double actual) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * 1e-12) << "expected " << expected;
}

TEST(SeriesTable, E12AndE24AreTheIecValues) {
    const int e12[] = {100, 120, 150, 180, 220, 270, 330, 390, 470, 560, 680, 820, 1000, 0};
    const int e24[] = {100, 110, 120, 130, 150, 160, 180, 200, 220, 240, 270, 300,  330,
                       360, 390, 430, 470, 510, 560, 620, 680, 750, 820, 910, 1000, 0};
    EXPECT_TRUE(std::ranges::equal(SeriesTable(12), e12));
    EXPECT_TRUE(std::ranges::equal(SeriesTable(24), e24));
}

TEST(SeriesTable, E48ToE192FollowTheIecRuleWithItsOneException) {
    for (const int n : {48, 96, 192}) {
        const auto table = SeriesTable(n);
        ASSERT_EQ(table.size(), static_cast<size_t>(n) + 2);
        for (int i = 0; i < n; ++i) {
            const int rule = static_cast<int>(std::lround(100.0 * std::pow(10.0, i / double(n))));
            const int expected = n == 192 && i == 185 ? 920 : rule;
            EXPECT_EQ(table[static_cast<size_t>(i)], expected) << "E" << n << " entry " << i;
        }
    }
    EXPECT_EQ(SeriesTable(192)[185], 920);
}

TEST(SeriesTable, EverySeriesRisesFrom100AndEndsWith1000And0) {
    for (const int n : kAllSeries) {
        const auto table = SeriesTable(n);
        ASSERT_EQ(table.size(), static_cast<size_t>(n) + 2) << n;
        EXPECT_EQ(table[0], 100);
        for (int i = 1; i <= n; ++i) {
            EXPECT_LT(table[static_cast<size_t>(i - 1)], table[static_cast<size_t>(i)]) << n;
        }
        EXPECT_EQ(table[static_cast<size_t>(n)], 1000);
        EXPECT_EQ(table[static_cast<size_t>(n) + 1], 0);
    }
}

TEST(SeriesTable, SeriesNumberMapsTheResistorSeriesIndex) {
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(SeriesNumber(i), kAllSeries[i]);
    }
    EXPECT_THROW(SeriesNumber(-1), std::invalid_argument);
    EXPECT_THROW(SeriesNumber(5), std::invalid_argument);
}

TEST(SeriesTable, InvalidSeriesNumbersThrow) {
    for (const int n : {0, 6, 13, 100, 193, -12}) {
        EXPECT_THROW(SeriesTable(n), std::invalid_argument) << n;
        EXPECT_THROW(StandardValue{n}, std::invalid_argument) << n;
        EXPECT_THROW(StandardValue(n, 1000.0), std::invalid_argument) << n;
        EXPECT_THROW(RoundedToSeries(1000.0, n), std::invalid_argument) << n;
    }
    StandardValue v(24, 1000.0);
    EXPECT_THROW(v.SetSeries(10), std::invalid_argument);
    EXPECT_EQ(v.Series(), 24);
    ExpectClose(1000.0, v.Value());
}

// The scaling of 1 pF into the mantissa range may land just below 1000 (position n) or on 100.
constexpr int kEitherEnd = -2;

struct RoundingCase {
    int series;
    double x;
    double expected;
    int position;
};

void PrintTo(const RoundingCase& c, std::ostream* os) {
    *os << "E" << c.series << " x=" << c.x;
}

class Rounding : public testing::TestWithParam<RoundingCase> {};

TEST_P(Rounding, GivesTheNearestStandardValue) {
    const RoundingCase& c = GetParam();
    StandardValue v(c.series);
    ExpectClose(c.expected, v.SetValue(c.x));
    ExpectClose(c.expected, v.Value());
    if (c.position == kEitherEnd) {
        EXPECT_TRUE(v.Position() == 0 || v.Position() == c.series) << v.Position();
    } else {
        EXPECT_EQ(v.Position(), c.position);
    }
    EXPECT_TRUE(v.HasValue());
    ExpectClose(c.expected, RoundedToSeries(c.x, c.series));
}

INSTANTIATE_TEST_SUITE_P(
    StandardValue, Rounding,
    testing::Values(
        // 125 lies nearer 120 than 150; 135 is a tie and goes up.
        RoundingCase{12, 1250.0, 1200.0, 1}, RoundingCase{12, 1350.0, 1500.0, 2},
        // Above the midpoint between 910 and 1000 the value is the entry 1000 (position n).
        RoundingCase{24, 960.0, 1000.0, 24}, RoundingCase{24, 955.0, 1000.0, 24},
        RoundingCase{24, 954.0, 910.0, 23}, RoundingCase{12, 911.0, 1000.0, 12},
        RoundingCase{192, 919.4, 920.0, 185}, RoundingCase{192, 925.0, 920.0, 185},
        // Exact standard values stay, in any decade.
        RoundingCase{12, 4700.0, 4700.0, 8}, RoundingCase{24, 1000.0, 1000.0, 0},
        RoundingCase{96, 4.99e3, 4.99e3, 67}, RoundingCase{48, 1e6, 1e6, 0},
        RoundingCase{12, 2.2e-9, 2.2e-9, 4}, RoundingCase{24, 10.0, 10.0, 0},
        RoundingCase{24, 1.0, 1.0, 0}, RoundingCase{12, 3.3e-12, 3.3e-12, 6},
        RoundingCase{12, 5.0e-7, 4.7e-7, 8}, RoundingCase{48, 2.0e5, 1.96e5, 14},
        RoundingCase{96, 123.0, 124.0, 9}, RoundingCase{192, 1.234e4, 1.23e4, 17},
        // 0 and values below 1e-20 are 0; tiny positive values become 1 pF first.
        RoundingCase{12, 0.0, 0.0, -1}, RoundingCase{12, 1e-21, 0.0, -1},
        RoundingCase{24, -4700.0, 0.0, -1}, RoundingCase{24, 1e-15, 1e-12, kEitherEnd},
        RoundingCase{24, 1e-19, 1e-12, kEitherEnd}));

// The rounding must pick a value no farther away than any other series value of the decade.
TEST(StandardValue, NoOtherSeriesValueIsNearer) {
    for (const int n : kAllSeries) {
        const auto table = SeriesTable(n);
        // An irrational ratio keeps the samples off the exact midpoints.
        for (double x = 1.3e-11; x < 1e9; x *= 1.0 + 1.0 / std::sqrt(1000.0)) {
            const double rounded = RoundedToSeries(x, n);
            const double decade = std::pow(10.0, std::floor(std::log10(x)) - 2);
            for (int i = 0; i <= n; ++i) {
                const double other = table[static_cast<size_t>(i)] * decade;
                EXPECT_LE(std::fabs(rounded - x), std::fabs(other - x) * (1 + 1e-9))
                    << "E" << n << " x=" << x << " rounded=" << rounded << " other=" << other;
            }
            EXPECT_LE(std::fabs(rounded - x), x * 0.5 * (std::pow(10.0, 1.0 / n) - 1) * 1.6)
                << "E" << n << " x=" << x;
        }
    }
}

TEST(StandardValue, NextAndPreviousWalkADecade) {
    for (const int n : kAllSeries) {
        const auto table = SeriesTable(n);
        StandardValue v(n, 100.0);
        for (int i = 1; i <= n; ++i) {
            const double expected = i == n ? 1000.0 : table[static_cast<size_t>(i)];
            ExpectClose(expected, v.Next());
        }
        EXPECT_EQ(v.Position(), 0);
        for (int i = n - 1; i >= 0; --i) {
            ExpectClose(table[static_cast<size_t>(i)], v.Previous());
        }
        ExpectClose(100.0, v.Value());
    }
}

TEST(StandardValue, StepsAcrossDecades) {
    StandardValue v(12, 100.0);
    ExpectClose(82.0, v.Previous());
    ExpectClose(68.0, v.Previous());
    ExpectClose(82.0, v.Next());
    ExpectClose(100.0, v.Next());

    StandardValue w(12, 820.0);
    ExpectClose(1000.0, w.Next());
    ExpectClose(1200.0, w.Next());
}

TEST(StandardValue, StepsFromTheEntry1000) {
    StandardValue v(24, 960.0);
    ASSERT_EQ(v.Position(), 24);
    // The first step lands on 100 of the next decade, the same value.
    ExpectClose(1000.0, v.Next());
    EXPECT_EQ(v.Position(), 0);
    ExpectClose(1100.0, v.Next());

    StandardValue w(24, 960.0);
    ExpectClose(910.0, w.Previous());
}

TEST(StandardValue, ZeroDoesNotStep) {
    StandardValue v(12, 0.0);
    EXPECT_EQ(v.Next(), 0.0);
    EXPECT_EQ(v.Previous(), 0.0);
    EXPECT_EQ(v.Position(), -1);
    EXPECT_EQ(v.Value(), 0.0);
}

TEST(StandardValue, StartsEmpty) {
    const StandardValue v(48);
    EXPECT_FALSE(v.HasValue());
    EXPECT_EQ(v.Series(), 48);
    EXPECT_EQ(v.Value(), 0.0);
}

TEST(StandardValue, SetSeriesRoundsTheLastInputAgain) {
    StandardValue v(12, 1060.0);
    ExpectClose(1000.0, v.Value());
    // The stepped value is discarded: the new series rounds what was given.
    ExpectClose(1200.0, v.Next());
    v.SetSeries(24);
    ExpectClose(1100.0, v.Value());
    v.SetSeries(48);
    ExpectClose(1050.0, v.Value());
    v.SetSeries(192);
    ExpectClose(1060.0, v.Value());

    StandardValue empty(12);
    empty.SetSeries(24);
    EXPECT_FALSE(empty.HasValue());
    EXPECT_EQ(empty.Value(), 0.0);

    StandardValue zero(12, 1e-21);
    zero.SetSeries(96);
    EXPECT_EQ(zero.Position(), -1);
    EXPECT_EQ(zero.Value(), 0.0);
}

TEST(StandardValue, RoundToSeriesReplacesTheValue) {
    double x = 1250.0;
    RoundToSeries(x, 12);
    ExpectClose(1200.0, x);
    double tiny = 1e-21;
    RoundToSeries(tiny, 192);
    EXPECT_EQ(tiny, 0.0);
}

TEST(StandardValue, NonFiniteInputThrows) {
    StandardValue v(24);
    EXPECT_THROW(v.SetValue(std::numeric_limits<double>::infinity()), std::invalid_argument);
    EXPECT_THROW(v.SetValue(std::numeric_limits<double>::quiet_NaN()), std::invalid_argument);
    // Rounding in place has nothing to round them to and leaves them for the caller to find.
    EXPECT_EQ(RoundedToSeries(std::numeric_limits<double>::infinity(), 24),
              std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(RoundedToSeries(std::numeric_limits<double>::quiet_NaN(), 24)));
}

}  // namespace
}  // namespace vx
