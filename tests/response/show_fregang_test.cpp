#include "response/show_fregang.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

CShowFregang Curve(double (*f)(double)) {
    CShowFregang c;
    for (int i = 0; i < c.Count(); ++i) {
        c.AddAt(i, f(i));
    }
    return c;
}

TEST(ShowFregang, AccumulatesAndIgnoresIndicesOutside) {
    CShowFregang c;
    c.Fill(1.0);
    c.MultiplyAt(3, 2.5);
    c.MultiplyAt(-1, 7.0);
    c.MultiplyAt(kCurvePoints, 7.0);
    c.AddAt(kCurvePoints + 5, 1.0);
    EXPECT_EQ(c.At(3), 2.5);
    EXPECT_EQ(c.GetMaximum(), 2.5);
    EXPECT_EQ(c.GetMinimum(), 1.0);
}

TEST(ShowFregang, DisplayResampling) {
    CShowFregang line = Curve([](double i) { return 3.0 * i - 7.0; });
    line.SetLinearInterpolation(true);
    line.SetDisplayPoints(2);
    EXPECT_EQ(line.GetDisplayValue(1), 0.0);  // too narrow to draw
    line.SetDisplayPoints(kCurvePoints);
    EXPECT_EQ(line.GetDisplayValue(700), line.At(700));  // read unchanged
    line.SetDisplayPoints(400);
    EXPECT_EQ(line.GetDisplayValue(0), line.At(0));
    EXPECT_EQ(line.GetDisplayValue(399), line.At(kCurvePoints - 1));
    for (int k = 1; k < 399; ++k) {
        const double x = static_cast<double>(k) / 399 * (kCurvePoints - 1);
        ASSERT_NEAR(line.GetDisplayValue(k), 3.0 * x - 7.0, 1e-9);
    }
    // The parabola is exact for quadratic samples, also at both ends of the grid.
    CShowFregang parabola = Curve([](double i) { return 0.01 * i * i - i + 4.0; });
    parabola.SetLinearInterpolation(false);
    for (const int points : {7, 400, 1499, 2000}) {
        parabola.SetDisplayPoints(points);
        for (int k = 1; k < points - 1; ++k) {
            const double x = static_cast<double>(k) / (points - 1) * (kCurvePoints - 1);
            ASSERT_NEAR(parabola.GetDisplayValue(k), 0.01 * x * x - x + 4.0, 1e-6)
                << points << " " << k;
        }
    }
}

TEST(ShowFregang, LinearModeDoesNotOvershootANotch) {
    CShowFregang notch;
    notch.Fill(1.0);
    notch.MultiplyAt(750, 0.0);
    notch.SetLinearInterpolation(true);
    notch.SetDisplayPoints(1000);
    for (int k = 0; k < 1000; ++k) {
        EXPECT_GE(notch.GetDisplayValue(k), 0.0);
    }
}

}  // namespace
}  // namespace vx
