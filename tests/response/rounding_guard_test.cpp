#include "response/rounding_guard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace vx {
namespace {

// Eight pass-band points at 0 dB and two stop-band points at -60 dB, below the 40 dB the
// measure looks at.
constexpr int kPass = 8;
constexpr int kPoints = 10;

std::vector<double> Target() {
    std::vector<double> t(kPoints, 1.0);
    t[8] = t[9] = 1e-3;
    return t;
}

// A stage that is `passDb` off in the pass band and `stopDb` off in the stop band.
std::vector<double> Stage(double passDb, double stopDb = 0.0) {
    std::vector<double> m(kPoints);
    for (int k = 0; k < kPoints; ++k) {
        m[static_cast<size_t>(k)] = std::pow(10.0, (k < kPass ? passDb : stopDb) / 20.0);
    }
    return m;
}

struct StagePair {
    double roundedDb;
    double searchedDb;
    double searchedStopDb = 0.0;
};

struct GuardCase {
    const char* name;
    std::vector<StagePair> stages;
    std::vector<bool> rounded;  // the expected choice
    double worstDb;             // the chosen filter's worst deviation
};

TEST(RoundingGuard, KeepsTheSearchedStagesUnlessRoundingEndsCloser) {
    const GuardCase cases[] = {
        // Far down in the stop band a deviation does not count.
        {"searched closer", {{0.3, 0.1, 20.0}, {-0.2, -0.05}}, {false, false}, 0.05},
        // Rounding's errors cancel; no single stage back at rounding helps.
        {"rounding cancels", {{0.5, 0.1}, {-0.5, 0.1}}, {true, true}, 0.0},
        // The stage whose rounding helps most goes back first; then none helps any more.
        {"mix wins", {{0.5, 0.3}, {-0.4, 0.2}, {0.3, 0.25}}, {false, true, false}, 0.15},
        {"two back", {{-0.2, 0.3}, {-0.1, 0.3}, {0.6, 0.3}}, {true, true, false}, 0.0},
    };
    for (const GuardCase& c : cases) {
        CRoundingGuard guard(Target());
        for (const StagePair& s : c.stages) {
            guard.AddStage(Stage(s.roundedDb), Stage(s.searchedDb, s.searchedStopDb));
        }
        const std::vector<bool> choice = guard.Choose();
        EXPECT_EQ(choice, c.rounded) << c.name;
        EXPECT_NEAR(WorstDeviationDb(Target(), guard.Product(choice)), c.worstDb, 1e-9) << c.name;
    }
}

TEST(RoundingGuard, AllRoundedGivesTheRoundedProductBitForBit) {
    CRoundingGuard guard(Target());
    std::vector<double> product(kPoints, 1.0);
    for (const double db : {0.37, -0.11, 0.29}) {
        const std::vector<double> stage = Stage(db, 3.0 * db);
        guard.AddStage(stage, Stage(0.0));
        for (int k = 0; k < kPoints; ++k) {
            product[static_cast<size_t>(k)] *= stage[static_cast<size_t>(k)];
        }
    }
    EXPECT_EQ(guard.Product({true, true, true}), product);
}

TEST(RoundingGuard, WorstDeviationLooksWithin40DbOfTheTop) {
    // A target falling from +6 dB: points below -34 dB do not count.
    const std::vector<double> target = {2.0, 1.0, 0.1, 0.021, 0.019};
    const std::vector<double> curve = {2.0 * 1.01, 1.0 / 1.02, 0.1, 0.021 * 1.05, 0.019 * 2.0};
    EXPECT_NEAR(WorstDeviationDb(target, curve), 20.0 * std::log10(1.05), 1e-12);
}

}  // namespace
}  // namespace vx
