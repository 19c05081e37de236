#include "analysis/plan/order_plan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

namespace vx {
namespace {

int ButterworthOrder(double amax, double amin, double ratio) {
    return static_cast<int>(std::ceil(
        std::log10((std::pow(10.0, amin / 10.0) - 1.0) / (std::pow(10.0, amax / 10.0) - 1.0)) /
            (2.0 * std::log10(ratio)) -
        1e-9));
}

int ChebyshevOrder(double amax, double amin, double ratio) {
    return static_cast<int>(std::ceil(std::acosh(std::sqrt((std::pow(10.0, amin / 10.0) - 1.0) /
                                                           (std::pow(10.0, amax / 10.0) - 1.0))) /
                                          std::acosh(ratio) -
                                      1e-9));
}

// The Bessel filter from its polynomial, independent of the program's pole tables: the
// attenuation of theta_n(0) / theta_n(j w) in dB, whose scale does not matter for an order.
double BesselAttenuationDb(int n, double w) {
    // Coefficients of the reverse Bessel polynomial: (2n - k)! / (2^(n-k) k! (n-k)!).
    std::vector<double> c(static_cast<size_t>(n) + 1);
    for (int k = 0; k <= n; ++k) {
        c[static_cast<size_t>(k)] = std::exp(std::lgamma(2 * n - k + 1) - (n - k) * std::log(2.0) -
                                             std::lgamma(k + 1) - std::lgamma(n - k + 1));
    }
    std::complex<double> v = 0.0;
    for (int k = n; k >= 0; --k) {
        v = v * std::complex<double>(0.0, w) + c[static_cast<size_t>(k)];
    }
    return 20.0 * std::log10(std::abs(v) / c[0]);
}

int BesselOrder(double amax, double amin, double ratio) {
    for (int n = 1; n <= 30; ++n) {
        auto edge = [n](double db) {
            double low = 1e-6;
            double high = 1e6;
            for (int i = 0; i < 200; ++i) {
                const double mid = std::sqrt(low * high);
                (BesselAttenuationDb(n, mid) <= db ? low : high) = mid;
            }
            return low;
        };
        if (edge(amin) / edge(amax) <= ratio) {
            return n;
        }
    }
    return 0;
}

// The minimum orders agree with the closed formulas (Butterworth, Chebyshev with ripple Amax)
// and with the Bessel polynomial's own response, for low- and high-passes; each placement puts
// the pass edge within Amax and the stop edge beyond Amin.
TEST(OrderPlan, MinimumOrdersAgreeWithIndependentComputations) {
    struct Scheme {
        double amax;
        double amin;
        double ratio;
    };
    const Scheme schemes[] = {{1.0, 40.0, 3.0},  {0.5, 60.0, 1.5}, {3.0, 20.0, 2.0},
                              {0.1, 80.0, 4.0},  {2.0, 30.0, 1.2}, {1.0, 100.0, 1.05},
                              {3.0, 10.0, 10.0}, {0.01, 50.0, 2.5}};
    for (const Scheme& sc : schemes) {
        for (const FilterType type : {FilterType::LOWPASS, FilterType::HIGHPASS}) {
            const bool high = type == FilterType::HIGHPASS;
            const ToleranceScheme scheme{type, 1000.0, sc.amax,
                                         high ? 1000.0 / sc.ratio : 1000.0 * sc.ratio, sc.amin};
            const std::vector<PlanRow> rows = PlanOrders(scheme);
            SCOPED_TRACE(testing::Message() << sc.amax << "/" << sc.amin << " dB, ratio "
                                            << sc.ratio << (high ? " high-pass" : ""));
            auto expected = [](int n) { return n <= 30 ? n : 0; };
            EXPECT_EQ(rows[0].order, BesselOrder(sc.amax, sc.amin, sc.ratio));
            EXPECT_EQ(rows[1].order, expected(ButterworthOrder(sc.amax, sc.amin, sc.ratio)));
            EXPECT_EQ(rows[2].order, expected(ChebyshevOrder(sc.amax, sc.amin, sc.ratio)));
            for (const PlanRow& row : rows) {
                if (row.order == 0) {
                    continue;
                }
                const auto at = [&](double f) {
                    return PrototypeAttenuationDb(row.characteristic, row.rippleDb, row.order,
                                                  high ? row.frequency / f : f / row.frequency);
                };
                EXPECT_LE(at(scheme.passEdge), sc.amax + 1e-6);
                EXPECT_GE(at(scheme.stopEdge), sc.amin - 1e-6);
                EXPECT_GE(row.stopMarginDb, -1e-6);
            }
        }
    }
}

// The figures of the optional limits: a third-order Butterworth low-pass overshoots by the
// textbook's 8.15 %, a Bessel one hardly (under 1 %), and the Bessel's delay is the flattest.
TEST(OrderPlan, StepAndDelayFiguresOfALowPass) {
    const std::vector<PlanRow> rows = PlanOrders({FilterType::LOWPASS, 1000.0, 3.0, 3000.0, 20.0});
    ASSERT_EQ(rows[1].order, 3);
    EXPECT_NEAR(rows[1].overshootPercent, 8.15, 0.05);
    EXPECT_LT(rows[0].overshootPercent, 1.0);
    EXPECT_LT(rows[0].delayVariationPercent, rows[1].delayVariationPercent);
    EXPECT_LT(rows[1].delayVariationPercent, rows[2].delayVariationPercent);
    const std::vector<PlanRow> high = PlanOrders({FilterType::HIGHPASS, 3000.0, 3.0, 1000.0, 20.0});
    EXPECT_EQ(high[1].order, 3);
    EXPECT_TRUE(std::isnan(high[1].overshootPercent));
}

}  // namespace
}  // namespace vx
