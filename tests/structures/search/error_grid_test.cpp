#include "structures/search/error_grid.h"

#include <gtest/gtest.h>

#include <random>

namespace vx {
namespace {

// The searches prune on the sums' promise: a candidate stopped early has a partial sum above the
// bound, and one within the bound gets its full sum, bit for bit, with or without a hint. Over
// random stages, transfers, hints and bounds around the full sum, every sum must keep it (the
// band-pass stage's squared sum too).
TEST(ErrorGrid, SumsStopOnlyAboveTheBoundAndOtherwiseGiveTheFullSum) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int trial = 0; trial < 200; ++trial) {
        CErrorGrid grid;
        grid.SetLog(1 + static_cast<int>(unit(random) * 60), 100.0, 1.05);
        const double pole = 100.0 + 300.0 * unit(random);
        grid.SetTargets([pole](double w) { return 1.0 / std::hypot(1.0, w / pole); });
        const double shifted = pole * (0.7 + 0.6 * unit(random));
        auto transfer = [shifted](double w) {
            return Complex(1.0, 0.0) / Complex(1.0, w / shifted);
        };
        auto atPoint = [&](size_t k) { return transfer(grid.Omega(k)); };

        const double full = grid.Error(transfer);
        const double fullSquared = grid.SquaredError(transfer);
        size_t hint = static_cast<size_t>(unit(random) * static_cast<double>(grid.Size()));
        EXPECT_EQ(grid.ErrorAt(atPoint, INFINITY, hint), full);
        for (const double factor : {0.0, 0.3, 0.999, 1.0, 1.001, 4.0}) {
            const double bound = factor * full;
            const size_t hintBefore = hint;
            const double squaredBound = factor * fullSquared;
            const struct {
                double sum, full, bound;
            } sums[] = {{grid.Error(transfer, bound), full, bound},
                        {grid.ErrorAt(atPoint, bound, hint), full, bound},
                        {grid.SquaredError(transfer, squaredBound), fullSquared, squaredBound}};
            for (const auto& s : sums) {
                if (s.full > s.bound) {
                    EXPECT_GT(s.sum, s.bound) << "trial " << trial << ", bound " << factor;
                } else {
                    EXPECT_EQ(s.sum, s.full) << "trial " << trial << ", bound " << factor;
                }
            }
            if (full <= bound) {
                EXPECT_EQ(hint, hintBefore);
            }
            ASSERT_LT(hint, grid.Size());
        }
    }
}

}  // namespace
}  // namespace vx
