#include "model/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace vx {
namespace {

constexpr ValueKind kAny = ValueKind::ANY;
constexpr ValueKind kC = ValueKind::CAPACITANCE;
constexpr ValueKind kR = ValueKind::RESISTANCE;
constexpr ValueKind kT = ValueKind::TIME;

struct ParseCase {
    const char* text;
    double expected;
};

TEST(ParseValue, ReadsPrefixLettersAndDecimalComma) {
    const ParseCase cases[] = {
        {"4k7", 4700.0},
        {"4,7k", 4700.0},
        {"4.7k", 4700.0},
        {"2u2", 2.2e-6},
        {"2,2n", 2.2e-9},
        {"10 n", 1e-8},
        {"1M", 1e6},
        {"1m", 1e-3},
        {"1G", 1e9},
        {"3,3T", 3.3e12},
        {"100p", 1e-10},
        // Upper-case P, N and U are small prefixes as well; K is kilo.
        {"3P3", 3.3e-12},
        {"1N", 1e-9},
        {"1U", 1e-6},
        {"47K", 47e3},
        {"1e3", 1000.0},
        {"1.5e-3", 1.5e-3},
        {"1,5 k", 1500.0},
        {"1 000", 1000.0},
        {"  12  ", 12.0},
        {"-4k7", -4700.0},
        {"+2,5", 2.5},
        {"k5", 500.0},
        // The leftmost letter wins, whichever is searched first.
        {"1m5k", 0.0015},
        {"4k7m", 4700.0},
        {"1,5 kHz", 1500.0},
        {"4k7 Ohm", 4700.0},
        {"1e3k", 1e6},
        // The conversion stops at the first character that does not fit.
        {"1.5.3", 1.5},
        {"12abc", 12.0},
        {"abc", 0.0},
        {"", 0.0},
        {"k", 0.0},
        {"Draht", 0.0},
    };
    for (const ParseCase& c : cases) {
        EXPECT_DOUBLE_EQ(ParseValue(c.text), c.expected) << "'" << c.text << "'";
    }
}

struct FormatCase {
    double x;
    bool compact;
    int digits;
    ValueKind kind;
    const char* expected;
};

TEST(FormatValue, ChoosesPrefixAndPrecision) {
    const FormatCase cases[] = {
        {4700.0, false, 3, kR, "4,7 k"},
        {4700.0, true, 3, kR, "4,7k"},
        {4700.0, true, 3, kC, "4,7k"},
        // Outside component values a non-whole kilo number is written out.
        {4700.0, true, 3, kAny, "4700"},
        {4700.0, true, 3, kT, "4700"},
        {2000.0, true, 3, kAny, "2k"},
        {2000.0, false, 3, kAny, "2 k"},
        {12345.0, true, 3, kAny, "12345"},
        {123456.0, true, 3, kAny, "123456"},
        {123456.0, true, 3, kR, "123k"},
        {1000.0, false, 3, kR, "1 k"},
        {1e6, true, 3, kAny, "1M"},
        {2.5e6, true, 3, kAny, "2,5M"},
        {4.7e6, false, 3, kR, "4,7 M"},
        {1e9, true, 3, kAny, "1G"},
        {3.3e12, true, 3, kAny, "3,3T"},
        // From peta on the exponent form: a typed "P" is pico.
        {1e15, true, 3, kAny, "1e+15"},
        {4.32e15, false, 3, kR, "4,32e+15"},
        {-4.32e15, true, 3, kR, "-4,32e+15"},
        {1e18, true, 3, kAny, "1e+18"},
        {1.0, true, 3, kAny, "1"},
        {1.5, false, 3, kAny, "1,5"},
        {999.0, true, 3, kAny, "999"},
        {12.3456, true, 4, kAny, "12,35"},
        {0.005, true, 3, kAny, "5m"},
        {0.5, true, 3, kAny, "500m"},
        {1e-3, true, 3, kAny, "1m"},
        {4.7e-6, true, 3, kC, "4,7u"},
        {4.7e-4, true, 3, kC, "470u"},
        // A capacitance has no milli prefix, and its microfarads are not cut.
        {4.7e-3, true, 3, kC, "4700u"},
        {0.47, false, 3, kC, "470000 u"},
        // Rounding that carries into a new digit stays a plain number.
        {999.7, true, 3, kAny, "1000"},
        {-999.7, true, 3, kAny, "-1000"},
        // A carry at a prefix boundary keeps the smaller prefix.
        {9.9995e-7, true, 4, kC, "1000n"},
        {0.99995, true, 4, kAny, "1000m"},
        {999.96e3, true, 4, kR, "1000k"},
        {1.5e-9, true, 3, kC, "1,5n"},
        {1.5e-9, false, 3, kC, "1,5 n"},
        // An exact power of ten takes the larger prefix.
        {1e-9, true, 3, kC, "1n"},
        {1e-6, true, 3, kC, "1u"},
        {1e-12, true, 3, kC, "1p"},
        {2.2e-12, true, 3, kC, "2,2p"},
        {1e-10, true, 3, kC, "100p"},
        {470e-9, true, 3, kC, "470n"},
        {1e-13, true, 3, kC, "1e-13"},
        {0.0, true, 3, kAny, "0"},
        {1e-21, true, 3, kC, "0"},
        {-1e-21, true, 3, kC, "0"},
        {1e25, true, 3, kC, "Draht"},
        {-1e25, true, 3, kC, "Draht"},
        {1e20, true, 3, kC, "Draht"},
        {1e25, true, 3, kR, ""},
        {1e25, true, 3, kAny, ""},
        // Not a number is named, whatever the kind (no prefix is worked out for it).
        {std::nan(""), true, 3, kC, "nan"},
        {-std::nan(""), false, 3, kR, "nan"},
        {-4700.0, false, 3, kR, "-4,7 k"},
        {-0.005, true, 3, kAny, "-5m"},
        {-12345.0, true, 3, kAny, "-12345"},
        {-1.5e-9, true, 3, kC, "-1,5n"},
        // Time keeps one trailing zero when the number is short of digits + 1 characters.
        {1.5e-3, false, 3, kT, "1,50m"},
        {1.5e-3, true, 4, kT, "1,50m"},
        {1.25e-6, true, 3, kT, "1,25u"},
        {-1.5e-3, true, 3, kT, "-1,5m"},
        {2e-3, true, 3, kT, "2m"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatValue(c.x, c.compact, c.digits, c.kind), c.expected)
            << c.x << " compact=" << c.compact << " digits=" << c.digits
            << " kind=" << static_cast<int>(c.kind);
    }
}

TEST(FormatValue, NoMilliWritesSmallValuesWithoutMilli) {
    const FormatCase cases[] = {
        {0.005, true, 3, kAny, "0,005"},
        {0.5, false, 3, kAny, "0,5"},
        {-0.25, true, 4, kAny, "-0,25"},
        // The other prefixes stay.
        {4.7e-6, true, 3, kAny, "4,7u"},
        {2000.0, true, 3, kAny, "2k"},
        {6.0206, false, 4, kAny, "6,021"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatValueNoMilli(c.x, c.compact, c.digits, c.kind), c.expected) << c.x;
    }
}

// What is shown reads back as the value, within the digits shown, whatever the prefix.
TEST(FormatValue, RoundTripsThroughParseValue) {
    const double values[] = {3.3e-12,    1.2345e-12, 1.5e-9,     4.7e-9,  2.2e-6,  0.005,
                             0.123,      1.0,        47.5,       150.0,   4.7e3,   12.3456e3,
                             1e6,        8.2e9,      3.3e12,     9.99e14, 1e15,    4.32e15,
                             7.77777e16, 1e18,       1.23456e19, -4.7e3,  -4.32e15};
    for (const double x : values) {
        for (const int digits : {3, 4, 6}) {
            for (const ValueKind kind : {kAny, kC, kR, kT}) {
                for (const bool compact : {false, true}) {
                    const std::string text = FormatValue(x, compact, digits, kind);
                    const double tolerance = 0.5 * std::pow(10.0, 1 - digits) * std::fabs(x);
                    EXPECT_NEAR(ParseValue(text), x, tolerance) << text << " digits " << digits;
                }
            }
            const std::string text = FormatValueNoMilli(x, true, digits, kAny);
            EXPECT_NEAR(ParseValue(text), x, 0.5 * std::pow(10.0, 1 - digits) * std::fabs(x))
                << text;
        }
    }
}

TEST(FormatValue, LimitsTheNumberTo40Characters) {
    EXPECT_EQ(FormatValueNoMilli(0.1, true, 60, kAny), "0,10000000000000000555111512312578270211");
}

TEST(FormatTime, AppendsSeconds) {
    EXPECT_EQ(FormatTime(0.0015), "1,50ms");
    EXPECT_EQ(FormatTime(0.002), "2ms");
    EXPECT_EQ(FormatTime(1.5e-10), "150ps");
    EXPECT_EQ(FormatTime(2.5), "2,50s");
    EXPECT_EQ(FormatTime(0.0), "0s");
    EXPECT_EQ(FormatTime(1e-9), "1ns");
}

struct QuantityCase {
    double x;
    const char* unit;
    ValueKind kind;
    const char* expected;
};

TEST(FormatQuantity, JoinsValueAndUnit) {
    const QuantityCase cases[] = {
        {470.0, "Ohm", kR, "470 Ohm"},
        {4700.0, "Ohm", kR, "4,7 kOhm"},
        {-4700.0, "Ohm", kR, "-4,7 kOhm"},
        {1.5e-9, "F", kC, "1,5 nF"},
        {1000.0, "Hz", kAny, "1 kHz"},
        {1500.0, "Hz", kAny, "1500 Hz"},
        {-3.01, "dB", kAny, "-3,01 dB"},
        {0.0015, "s", kT, "1,50ms"},
        {-0.0015, "s", kT, "-1,50ms"},
        {0.0, "F", kC, "0 F"},
        {-1e-21, "V", kAny, "0 V"},
        {1e25, "F", kC, "Draht"},
        {1e25, "Ohm", kR, ""},
        {2.2e-6, "", kC, "2,2 u"},
        {-2.2e-6, "", kC, "-2,2 u"},
    };
    for (const QuantityCase& c : cases) {
        EXPECT_EQ(FormatQuantity(c.x, c.unit, c.kind), c.expected) << c.x << " " << c.unit;
    }
    EXPECT_EQ(FormatQuantity(4700.0, kR), "4,7 k");
    EXPECT_EQ(FormatQuantity(0.0, kAny), "0");
}

TEST(FormatValueWithUnit, LeavesTheUnitOffAnInfiniteValue) {
    const QuantityCase cases[] = {
        {4.7e-9, "F", kC, "4,7 nF"},
        {1.0, "F", kC, "1F"},
        {std::numeric_limits<double>::infinity(), "F", kC, "Draht"},
        {1e20, "F", kC, "Draht"},
        {-1e25, "F", kC, "Draht"},
        {1e25, "s", kT, ""},
    };
    for (const QuantityCase& c : cases) {
        EXPECT_EQ(FormatValueWithUnit(c.x, false, 4, c.kind, c.unit), c.expected) << c.x;
    }
}

TEST(FormatFixed, WritesHugeValuesInTheExponentForm) {
    const struct {
        double x;
        int decimals;
        const char* expected;
    } cases[] = {
        {2.0, 8, "2,00000000"},
        {-0.5, 3, "-0,500"},
        {9.99e17, 0, "999000000000000000"},
        {1e300, 8, "1e+300"},
        {-1.5e20, 3, "-1,5e+20"},
        {std::numeric_limits<double>::infinity(), 3, "inf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatFixed(c.x, c.decimals), c.expected) << c.x;
    }
    EXPECT_EQ(FormatFixed(1.5, 2, 6), "  1,50");
}

TEST(RoundSignificant, RoundsToDigits) {
    EXPECT_DOUBLE_EQ(RoundSignificant(12345.678, 3), 12300.0);
    EXPECT_DOUBLE_EQ(RoundSignificant(-12345.678, 3), -12300.0);
    EXPECT_DOUBLE_EQ(RoundSignificant(12355.0, 3), 12400.0);
    EXPECT_DOUBLE_EQ(RoundSignificant(2.5, 1), 3.0);
    EXPECT_DOUBLE_EQ(RoundSignificant(-2.5, 1), -3.0);
    EXPECT_DOUBLE_EQ(RoundSignificant(999.7, 3), 1000.0);
    EXPECT_DOUBLE_EQ(RoundSignificant(4.71234e9, 2), 4.7e9);
    // Below 1 the exponent is truncated toward zero, which keeps one digit fewer.
    EXPECT_DOUBLE_EQ(RoundSignificant(0.012345, 3), 0.012);
    // Out of range digits or a value of 0 leave x unchanged.
    EXPECT_EQ(RoundSignificant(1.2345, 0), 1.2345);
    EXPECT_EQ(RoundSignificant(1.2345, 20), 1.2345);
    EXPECT_EQ(RoundSignificant(1.2345, -1), 1.2345);
    EXPECT_EQ(RoundSignificant(1e-21, 3), 1e-21);
    EXPECT_EQ(RoundSignificant(0.0, 3), 0.0);
}

TEST(RoundToTenth, RoundsHalfAwayFromZero) {
    EXPECT_DOUBLE_EQ(RoundToTenth(1.24), 1.2);
    EXPECT_DOUBLE_EQ(RoundToTenth(1.25), 1.3);
    EXPECT_DOUBLE_EQ(RoundToTenth(-1.25), -1.3);
    EXPECT_DOUBLE_EQ(RoundToTenth(20.0 * std::log10(2.0)), 6.0);
    EXPECT_DOUBLE_EQ(RoundToTenth(0.04), 0.0);
    EXPECT_DOUBLE_EQ(RoundToTenth(-0.06), -0.1);
}

struct StepCase {
    double span;
    double step;
    int subdivisions;
};

TEST(NiceStep, PicksOneFiveOrTen) {
    const StepCase cases[] = {
        {1.0, 1.0, 10},     {1.5, 1.0, 10},  {2.9, 5.0, 5},     {3.0, 5.0, 5},
        {5.0, 5.0, 5},      {7.5, 10.0, 10}, {10.0, 10.0, 10},  {1500.0, 1000.0, 10},
        {0.03, 0.05, 5},    {0.7, 1.0, 10},  {5.625, 5.0, 5},   {62.4375, 50.0, 5},
        {1.2e-7, 1e-7, 10}, {4e9, 5e9, 5},   {0.0625, 0.05, 5}, {99.0, 100.0, 10},
    };
    for (const StepCase& c : cases) {
        const AxisStep s = NiceStep(c.span);
        EXPECT_NEAR(s.step, c.step, c.step * 1e-12) << c.span;
        EXPECT_EQ(s.subdivisions, c.subdivisions) << c.span;
    }
}

TEST(NiceStep, RejectsSpansThatCannotBeScaled) {
    for (const double span : {0.0, -1.0, std::numeric_limits<double>::infinity(),
                              std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_THROW(NiceStep(span), std::invalid_argument) << span;
    }
    EXPECT_THROW(AxisRange(5.0, 5.0), std::invalid_argument);
}

struct RangeCase {
    double min;
    double max;
    double low;
    double high;
    double step;
};

TEST(AxisRange, CoversTheRangeInNiceSteps) {
    const RangeCase cases[] = {
        {0.0, 160.0, 0.0, 160.0, 10.0},
        {1.0, 1000.0, 0.0, 1000.0, 50.0},
        {3.0, 47.0, 0.0, 50.0, 5.0},
        {0.0, 1.0, 0.0, 1.0, 0.05},
        // The bounds are truncated toward zero, so a negative low bound can lie above min.
        {-160.0, 0.0, -150.0, 0.0, 10.0},
        {-80.0, 10.0, -75.0, 10.0, 5.0},
        {-83.0, 7.0, -80.0, 10.0, 5.0},
    };
    for (const RangeCase& c : cases) {
        const AxisBounds b = AxisRange(c.min, c.max);
        EXPECT_NEAR(b.step, c.step, c.step * 1e-12) << c.min << ".." << c.max;
        EXPECT_NEAR(b.low, c.low, c.step * 1e-9) << c.min << ".." << c.max;
        EXPECT_NEAR(b.high, c.high, c.step * 1e-9) << c.min << ".." << c.max;
    }
}

}  // namespace
}  // namespace vx
