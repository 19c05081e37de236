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

// A scheme of `type` whose stop edges lie `ratio` times as far from the pass band as its pass
// edges, in the low-pass prototype's omega: fm / f for a high-pass, |f/fm - fm/f| relative to
// the pass edges' for the band types (band-pass centre 1414 Hz between 1 and 2 kHz, band-stop
// notch at 1 kHz between 500 Hz and 2 kHz).
ToleranceScheme SchemeOfRatio(FilterType type, double amax, double amin, double ratio) {
    ToleranceScheme s;
    s.type = type;
    s.passAttenuation = amax;
    s.stopAttenuation = amin;
    // The frequency above fm at distance d = f/fm - fm/f.
    auto at = [](double fm, double d) { return fm * (d + std::sqrt(d * d + 4.0)) / 2.0; };
    switch (type) {
        case FilterType::LOWPASS:
            s.passEdge = 1000.0;
            s.stopEdge = 1000.0 * ratio;
            break;
        case FilterType::HIGHPASS:
            s.passEdge = 1000.0;
            s.stopEdge = 1000.0 / ratio;
            break;
        case FilterType::BANDPASS: {
            const double fm = std::sqrt(2.0) * 1000.0;
            s.passEdge = 1000.0;
            s.passEdgeHigh = 2000.0;
            s.stopEdgeHigh = at(fm, ratio * 1000.0 / fm);
            s.stopEdge = fm * fm / s.stopEdgeHigh;
            break;
        }
        case FilterType::BANDREJECT:
            s.passEdge = 500.0;
            s.passEdgeHigh = 2000.0;
            s.stopEdgeHigh = at(1000.0, 1.5 / ratio);
            s.stopEdge = 1e6 / s.stopEdgeHigh;
            break;
    }
    return s;
}

// The response of a planned row in dB below its pass band: the prototype at the low-pass
// omega, or for the band-stop the twin-T notch's own formula.
double PlannedAttenuationDb(const ToleranceScheme& s, const PlanRow& row, double f) {
    const double x = f / row.frequency;
    switch (s.type) {
        case FilterType::LOWPASS:
            return PrototypeAttenuationDb(row.characteristic, row.rippleDb, row.order, x);
        case FilterType::HIGHPASS:
            return PrototypeAttenuationDb(row.characteristic, row.rippleDb, row.order, 1.0 / x);
        case FilterType::BANDPASS:
            return PrototypeAttenuationDb(row.characteristic, row.rippleDb, row.order / 2,
                                          std::abs(x - 1.0 / x) * row.frequency / row.bandwidth);
        case FilterType::BANDREJECT: {
            const double notch = std::abs(1.0 - x * x);
            return -20.0 * std::log10(notch / std::hypot(1.0 - x * x, x / row.quality));
        }
    }
    return NAN;
}

// The minimum orders agree with the closed formulas (Butterworth, Chebyshev with ripple Amax)
// and with the Bessel polynomial's own response, for every type (a band-pass has twice the
// prototype's order, a band-stop is one notch of the first-order prototype); each placement
// puts the pass edges within Amax and the stop edges beyond Amin.
TEST(OrderPlan, MinimumOrdersAgreeWithIndependentComputations) {
    struct Scheme {
        double amax;
        double amin;
        double ratio;
    };
    const Scheme schemes[] = {{1.0, 40.0, 3.0},  {0.5, 60.0, 1.5},  {3.0, 20.0, 2.0},
                              {0.1, 80.0, 4.0},  {2.0, 30.0, 1.2},  {1.0, 100.0, 1.05},
                              {3.0, 10.0, 10.0}, {0.01, 50.0, 2.5}, {3.0, 20.0, 12.0}};
    const FilterType types[] = {FilterType::LOWPASS, FilterType::HIGHPASS, FilterType::BANDPASS,
                                FilterType::BANDREJECT};
    for (const Scheme& sc : schemes) {
        for (const FilterType type : types) {
            const ToleranceScheme scheme = SchemeOfRatio(type, sc.amax, sc.amin, sc.ratio);
            ASSERT_FALSE(CheckScheme(scheme));
            const std::vector<PlanRow> rows = PlanOrders(scheme);
            SCOPED_TRACE(testing::Message() << sc.amax << "/" << sc.amin << " dB, ratio "
                                            << sc.ratio << ", type " << static_cast<int>(type));
            const int butterworth = ButterworthOrder(sc.amax, sc.amin, sc.ratio);
            if (type == FilterType::BANDREJECT) {
                ASSERT_EQ(rows.size(), 1U);
                EXPECT_EQ(rows[0].order, butterworth == 1 ? 2 : 0);
            } else {
                // The band-pass builds orders up to 30 from prototypes up to 15.
                const int most = type == FilterType::BANDPASS ? 15 : 30;
                const int scale = type == FilterType::BANDPASS ? 2 : 1;
                auto expected = [&](int n) { return n >= 1 && n <= most ? scale * n : 0; };
                EXPECT_EQ(rows[0].order, expected(BesselOrder(sc.amax, sc.amin, sc.ratio)));
                EXPECT_EQ(rows[1].order, expected(butterworth));
                EXPECT_EQ(rows[2].order, expected(ChebyshevOrder(sc.amax, sc.amin, sc.ratio)));
            }
            for (const PlanRow& row : rows) {
                if (row.order == 0) {
                    continue;
                }
                for (const SchemeRegion& r : SchemeRegions(scheme)) {
                    for (const double edge : {r.from, r.to}) {
                        if (edge == 0.0 || std::isinf(edge)) {
                            continue;
                        }
                        const double db = PlannedAttenuationDb(scheme, row, edge);
                        if (r.pass) {
                            EXPECT_LE(db, sc.amax + 1e-6) << edge;
                        } else {
                            EXPECT_GE(db, sc.amin - 1e-6) << edge;
                        }
                    }
                }
                EXPECT_GE(row.stopMarginDb, -1e-6);
            }
        }
    }
}

// The figures of the optional limits: a third-order Butterworth low-pass overshoots by the
// textbook's 8.15 %, a Bessel one hardly (under 1 %), and the Bessel's delay is the flattest.
TEST(OrderPlan, StepAndDelayFiguresOfALowPass) {
    ToleranceScheme scheme = SchemeOfRatio(FilterType::LOWPASS, 3.0, 20.0, 3.0);
    scheme.overshootPercent = 1.0;
    const std::vector<PlanRow> rows = PlanOrders(scheme);
    ASSERT_EQ(rows[1].order, 3);
    EXPECT_TRUE(rows[0].meetsLimits);
    EXPECT_FALSE(rows[1].meetsLimits);
    EXPECT_NEAR(rows[1].overshootPercent, 8.15, 0.05);
    EXPECT_LT(rows[0].overshootPercent, 1.0);
    EXPECT_LT(rows[0].delayVariationPercent, rows[1].delayVariationPercent);
    EXPECT_LT(rows[1].delayVariationPercent, rows[2].delayVariationPercent);
    const std::vector<PlanRow> high =
        PlanOrders(SchemeOfRatio(FilterType::HIGHPASS, 3.0, 20.0, 3.0));
    EXPECT_EQ(high[1].order, 3);
    EXPECT_TRUE(std::isnan(high[1].overshootPercent));
}

}  // namespace
}  // namespace vx
