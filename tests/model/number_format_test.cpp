#include "model/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vx {
namespace {

TEST(FormatG, WritesShortestFormWithPrecision) {
    EXPECT_EQ(FormatG(1.5), "1.5");
    EXPECT_EQ(FormatG(1234567.0), "1.23457e+06");
    EXPECT_EQ(FormatG(100.0, 3), "100");
    EXPECT_EQ(FormatG(1000.0, 3), "1e+03");
    EXPECT_EQ(FormatG(0.0001, 3), "0.0001");
    EXPECT_EQ(FormatG(0.00001, 3), "1e-05");
    EXPECT_EQ(FormatG(-2.25, 2), "-2.2");
    EXPECT_EQ(FormatG(0.0), "0");
    // Precision 0 counts as 1, as in printf.
    EXPECT_EQ(FormatG(1.7, 0), "2");
}

TEST(FormatE, WritesSixDecimalsAndUpperCaseExponent) {
    EXPECT_EQ(FormatE(1.5), "1.500000E+00");
    EXPECT_EQ(FormatE(-1234.5), "-1.234500E+03");
    EXPECT_EQ(FormatE(0.0), "0.000000E+00");
    EXPECT_EQ(FormatE(1e-100), "1.000000E-100");
}

TEST(FormatF, WritesFixedPointRightAligned) {
    EXPECT_EQ(FormatF(3.14159, 2), "3.14");
    EXPECT_EQ(FormatF(3.14159, 2, 8), "    3.14");
    EXPECT_EQ(FormatF(-1.0, 1, 2), "-1.0");
    EXPECT_EQ(FormatF(0.5, 0), "0");
    EXPECT_EQ(FormatF(2.0, 3), "2.000");
}

TEST(FormatInt, WritesDecimal) {
    EXPECT_EQ(FormatInt(0), "0");
    EXPECT_EQ(FormatInt(-42), "-42");
    EXPECT_EQ(FormatInt(1234567890123LL), "1234567890123");
}

TEST(ParseDouble, ReadsLikeStrtodInTheCLocale) {
    EXPECT_EQ(ParseDouble("1.5"), 1.5);
    EXPECT_EQ(ParseDouble("  -2.5e3xyz"), -2500.0);
    EXPECT_EQ(ParseDouble("+7"), 7.0);
    EXPECT_EQ(ParseDouble(".5"), 0.5);
    EXPECT_EQ(ParseDouble("1,5"), 1.0);
    EXPECT_EQ(ParseDouble("abc"), 0.0);
    EXPECT_EQ(ParseDouble(""), 0.0);
    EXPECT_EQ(ParseDouble("-"), 0.0);
    EXPECT_EQ(ParseDouble("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDouble("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDouble("1e-400"), 0.0);
}

TEST(ParseDouble, ReadsSignsAndOverflowsAsTheCLibrary) {
    struct Case {
        const char* text;
        double expected;
        long long expectedInt;
    };
    const Case cases[] = {
        {"+-6", 0.0, 0},
        {"--6", 0.0, 0},
        {"-+6", 0.0, 0},
        {" - 6", 0.0, 0},
        // The magnitude of the smallest long long, negated twice, overflowed.
        {"--9223372036854775808", 0.0, 0},
        {"-9223372036854775807", -9223372036854775807.0, -9223372036854775807LL},
        // strtol gives the limit on an overflow's side.
        {"99999999999999999999", 1e20, std::numeric_limits<long long>::max()},
        {"-99999999999999999999", -1e20, std::numeric_limits<long long>::min()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseDouble(c.text), c.expected) << c.text;
        EXPECT_EQ(ParseInt(c.text), c.expectedInt) << c.text;
    }
}

TEST(ParseInt, ReadsLikeStrtolInBase10) {
    EXPECT_EQ(ParseInt("42"), 42);
    EXPECT_EQ(ParseInt(" -17abc"), -17);
    EXPECT_EQ(ParseInt("+8"), 8);
    EXPECT_EQ(ParseInt("3.9"), 3);
    EXPECT_EQ(ParseInt("x"), 0);
    EXPECT_EQ(ParseInt(""), 0);
}

}  // namespace
}  // namespace vx
