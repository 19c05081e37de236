#include "plot/axis_label.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

struct LabelCase {
    double f;
    int maxDigits;
    const char* expected;
};

TEST(AxisFrequencyLabel, KeepsThePrefixAndTheDigitsTheValueNeeds) {
    const LabelCase cases[] = {
        {1000.0, 15, "1k"},
        {1100.0, 15, "1,1k"},
        {1010.0, 15, "1,01k"},
        {3500.0, 15, "3,5k"},
        {12345.0, 15, "12,345k"},
        {900.0, 15, "900"},
        {2.5e8, 15, "250M"},
        {0.25, 15, "250m"},
        // Sums of steps are their nice value up to rounding.
        {0.1 + 0.2, 15, "300m"},
        {3 * 1.1e6, 15, "3,3M"},
        // A range end is cut to the digits of the axis, without a carry into "1000m".
        {1000.0 * 0.333333, 3, "333"},
        {0.999999, 3, "1"},
        {999999.0, 4, "1M"},
    };
    for (const LabelCase& c : cases) {
        EXPECT_EQ(AxisFrequencyLabel(c.f, c.maxDigits), c.expected) << c.f;
    }
}

}  // namespace
}  // namespace vx
