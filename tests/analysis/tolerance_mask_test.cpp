#include "analysis/tolerance_mask.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace vx {
namespace {

double FromDb(double db) {
    return std::pow(10.0, db / 20.0);
}

// A target in dB: a pass band at 0 dB and -2 dB, an edge point at -3.5 dB, a stop band at
// -20 dB and, deeper than the mask follows, at -80 dB.
const std::vector<double> kTargetDb = {0.0, -2.0, -3.5, -20.0, -80.0};

TEST(ToleranceMask, HoldsThePassBandTightAndTheStopBandDownToItsDepth) {
    std::vector<double> target;
    for (double db : kTargetDb) {
        target.push_back(FromDb(db));
    }
    const CToleranceMask mask(target);
    struct Case {
        std::vector<double> responseDb;
        bool passes;
        const char* why;
    };
    const Case cases[] = {
        {{0.0, -2.0, -3.5, -20.0, -80.0}, true, "the target itself"},
        {{0.49, -2.49, -0.6, -17.1, -37.1}, true, "just inside every limit"},
        {{0.51, -2.0, -3.5, -20.0, -80.0}, false, "0.51 dB above in the pass band"},
        {{0.0, -2.51, -3.5, -20.0, -80.0}, false, "0.51 dB below in the pass band"},
        {{0.0, -2.0, -0.4, -20.0, -80.0}, false, "3.1 dB above beyond the edge"},
        {{0.0, -2.0, -3.5, -16.9, -80.0}, false, "3.1 dB above in the stop band"},
        {{0.0, -2.0, -3.5, -20.0, -36.9}, false, "less than 37 dB where the target is deeper"},
        {{0.0, -2.0, -3.5, -90.0, -120.0}, true, "more attenuation is always fine"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::vector<double> response;
        for (double db : c.responseDb) {
            response.push_back(FromDb(db));
        }
        EXPECT_EQ(mask.Passes(response), c.passes);
    }
}

}  // namespace
}  // namespace vx
