#include "structures/search/line_screen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <random>
#include <utility>
#include <vector>

namespace vx {
namespace {

using Cx = std::complex<double>;

// The screen may only drop candidates whose error exceeds the bound, or which a condition of
// realisation refuses: over random lines, every candidate with an error within the bound and
// every condition met must be kept, and a good share of the others must be dropped. The same
// holds for the terms' fourth power, and for parts of a line taken as continuous.
TEST(LineScreen, KeepsEveryCandidateThatMayWinAndDropsMostOthers) {
    std::mt19937_64 random(16);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    auto complex = [&] { return Cx(unit(random), unit(random)); };
    std::vector<double> u;
    for (int i = 0; i < 96; ++i) {
        u.push_back(0.1 * std::pow(100.0, i / 95.0));  // 0.1 .. 10, rising
    }
    for (const auto& [withCondition, power] :
         {std::pair{false, CLineScreen::Power::SQUARE}, std::pair{true, CLineScreen::Power::SQUARE},
          std::pair{true, CLineScreen::Power::FOURTH}}) {
        const bool fourth = power == CLineScreen::Power::FOURTH;
        SCOPED_TRACE(testing::Message()
                     << (withCondition ? "with a condition" : "without conditions")
                     << (fourth ? ", fourth power" : ""));
        int mayWin = 0, dropped = 0, others = 0, partsReached = 0, partsRefused = 0;
        for (int trial = 0; trial < 200; ++trial) {
            struct Point {
                Cx p0, p1, p2, q1, q2;
                double m, target;
            };
            std::vector<Point> points;
            CLineScreen screen(2, 2, power);
            for (int k = 0; k < 40; ++k) {
                const Point p{1.0,
                              complex(),
                              complex(),
                              complex(),
                              complex(),
                              1.0 + 0.5 * unit(random),
                              1.0 + 0.5 * unit(random)};
                points.push_back(p);
                CLineScreen::Point s;
                s.p0 = p.p0;
                s.p = {p.p1, p.p2};
                s.q = {p.q1, p.q2};
                s.m = p.m;
                s.alpha = 0.9;
                s.beta = p.target;
                s.gamma = 1.0 / p.target;
                screen.AddPoint(s);
            }
            const std::array<double, 2> a = {unit(random), unit(random)};
            const std::array<double, 2> b = {unit(random), unit(random)};
            const double c = 1.0 + 0.2 * unit(random);
            screen.StartLine(a, b, c);
            // Realised only above a threshold along the line.
            const double threshold = 1.0 + unit(random);
            if (withCondition) {
                const std::array<CLineScreen::Condition, 1> conditions = {
                    {{0.0, 0.0, 0.0, 0.0, -threshold, 1.0}}};
                screen.SetConditions(conditions);
            }
            std::vector<double> errors;
            for (double v : u) {
                double sum = 0.0;
                for (const Point& p : points) {
                    const Cx denominator =
                        p.p0 + a[0] * p.p1 + a[1] * p.p2 + v * (b[0] * p.q1 + b[1] * p.q2);
                    const double d = (c * p.m / std::abs(denominator) * 0.9 - p.target) / p.target;
                    sum += fourth ? d * d * d * d : d * d;
                }
                errors.push_back(sum);
            }
            std::vector<double> sorted = errors;
            std::nth_element(sorted.begin(), sorted.begin() + 20, sorted.end());
            const double bound = sorted[20];
            const IndexRange range = screen.Screen(u, bound);
            for (size_t i = 0; i < u.size(); ++i) {
                const bool realised = !withCondition || u[i] > threshold;
                const bool kept = screen.Keeps(static_cast<int>(i));
                if (realised && errors[i] <= bound) {
                    ++mayWin;
                    EXPECT_TRUE(kept) << "trial " << trial << " candidate " << i;
                    EXPECT_TRUE(range.first <= static_cast<int>(i) &&
                                static_cast<int>(i) < range.last);
                } else {
                    ++others;
                    dropped += kept ? 0 : 1;
                }
            }
            // Parts of eight candidates: one that may win must be reached.
            for (size_t first = 0; first + 8 <= u.size(); first += 8) {
                bool holdsWinner = false;
                for (size_t i = first; i < first + 8; ++i) {
                    holdsWinner =
                        holdsWinner || ((!withCondition || u[i] > threshold) && errors[i] <= bound);
                }
                const bool reached = screen.Reaches(u[first], u[first + 7], bound, 4);
                if (holdsWinner) {
                    EXPECT_TRUE(reached) << "trial " << trial << " part at " << first;
                }
                (reached ? partsReached : partsRefused) += holdsWinner ? 0 : 1;
            }
        }
        EXPECT_GT(mayWin, 1000);
        EXPECT_GT(dropped, others / 2);
        EXPECT_GT(partsRefused, partsReached);
    }
}

// The band screen keeps every candidate whose |H| lies within the band at every point and which
// every condition realises, on rising and on falling lines; it drops the candidates in the
// stretch where a convex condition is negative, also inside the band's interval.
TEST(LineScreen, BandKeepsWhatMayWinAndDropsWhatCannotBeRealised) {
    std::mt19937_64 random(24);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (const bool falling : {false, true}) {
        SCOPED_TRACE(falling ? "falling u" : "rising u");
        std::vector<double> u;
        for (int i = 0; i < 200; ++i) {
            u.push_back(std::pow(10.0, (falling ? 199 - i : i) / 199.0));  // 1 .. 10
        }
        int mayWin = 0, holesDropped = 0;
        for (int trial = 0; trial < 300; ++trial) {
            // |H| = m / |p0 + u q| at a few points, the band wide enough to keep a stretch.
            CLineScreen screen(0, 1);
            struct Point {
                Cx p0, q;
                double m;
            };
            std::vector<Point> points;
            for (int k = 0; k < 6; ++k) {
                const Point p{Cx(1.0 + unit(random), unit(random)),
                              Cx(0.2 * unit(random), 0.3 + 0.2 * unit(random)), 2.0};
                points.push_back(p);
                CLineScreen::Point s;
                s.p0 = p.p0;
                s.q = {p.q};
                s.m = p.m;
                s.beta = std::abs(p.m / (p.p0 + 4.0 * p.q));
                screen.AddPoint(s);
            }
            const std::array<double, 1> b = {1.0};
            screen.StartLine({}, b, 1.0);
            // Negative between two roots (convex), and below a linear threshold.
            const double r1 = 2.0 + 3.0 * (unit(random) + 1.0), r2 = r1 + 1.5;
            const double threshold = 1.0 + 0.5 * (unit(random) + 1.0);
            const std::array<CLineScreen::Condition, 2> conditions = {
                {{-r1, 1.0, -r2, 1.0, 0.0, 0.0}, {0.0, 0.0, 0.0, 0.0, -threshold, 1.0}}};
            screen.SetConditions(conditions);
            const double ratio = 1.6;
            screen.ScreenBand(u, ratio);
            for (size_t i = 0; i < u.size(); ++i) {
                bool within = true;
                for (const Point& p : points) {
                    const double h = std::abs(p.m / (p.p0 + u[i] * p.q));
                    const double t = std::abs(p.m / (p.p0 + 4.0 * p.q));
                    within = within && h <= t * ratio && h >= t / ratio;
                }
                const bool inHole = u[i] > r1 && u[i] < r2;
                const bool realised = !inHole && u[i] > threshold;
                const bool kept = screen.Keeps(static_cast<int>(i));
                if (within && realised) {
                    ++mayWin;
                    EXPECT_TRUE(kept) << "trial " << trial << " candidate " << i;
                }
                holesDropped += within && inHole && !kept ? 1 : 0;
            }
        }
        EXPECT_GT(mayWin, 1000);
        EXPECT_GT(holesDropped, 200);
    }
}

}  // namespace
}  // namespace vx
