#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "../support/cli_runner.h"
#include "analysis/tolerance_mask.h"
#include "session/design_session.h"
#include "session/stored_capacitor_prompt.h"
#include "structures/design_monitor.h"

namespace vx {
namespace {

// What `new --passband --stopband` writes meets its scheme on the designed target: every type
// through its own structure's stage targets (the band transformations of the structures, not
// the plan's), checked at a grid that spans all edges. The file keeps the scheme.
TEST(PlannedDesign, MeetsItsSchemeOnTheDesignedTarget) {
    struct Case {
        const char* name;
        const char* options;
        int order;
    };
    const Case cases[] = {
        {"plan_lp.vxs", "lowpass sk --passband 1k:1 --stopband 3k:40", 4},
        {"plan_lp_bessel.vxs",
         "lowpass mfb --passband 1k:3 --stopband 4k:30 --characteristic bessel", 4},
        {"plan_hp.vxs",
         "highpass mfb --passband 1k:0,5 --stopband 250:60 --characteristic chebyshev", 5},
        {"plan_bp.vxs",
         "bandpass mfb --passband 1k:2k:1 --stopband 500:4k:40 --characteristic butterworth", 10},
        {"plan_br.vxs", "bandreject twin-t --passband 500:2k:1 --stopband 950:1,05k:10", 2},
        {"plan_lp_limit.vxs", "lowpass sk --passband 1k:1 --stopband 3k:30 --overshoot 10", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = ::testing::TempDir() + c.name;
        const test::CliResult made = test::RunCli(std::string("new ") + c.options + " -o " + file);
        ASSERT_EQ(made.status, 0) << made.err;
        CDesignSession session;
        SilentMonitor monitor;
        StoredCapacitorPrompt prompt;
        ASSERT_EQ(session.LoadAndDesign(file, monitor, prompt).outcome, LoadOutcome::DESIGNED);
        const CFilter& filter = session.Filter();
        EXPECT_EQ(filter.Order(), c.order);
        const ToleranceScheme* scheme = filter.SchemeOfType();
        ASSERT_TRUE(scheme);
        // The grid from half the lowest edge to twice the highest.
        const double low = std::min(scheme->passEdge, scheme->stopEdge) / 2.0;
        const double high = 2.0 * std::max({scheme->passEdge, scheme->stopEdge,
                                            scheme->passEdgeHigh, scheme->stopEdgeHigh});
        const double start = low / filter.Frequency();
        const double end = high / filter.Frequency();
        const std::optional<ResponseCurves> curves = session.CurvesOver(start, end);
        ASSERT_TRUE(curves);
        const std::vector<double>& target = curves->target.Values();
        std::vector<double> omegas(target.size());
        for (size_t k = 0; k < omegas.size(); ++k) {
            omegas[k] = 2.0 * std::numbers::pi * low *
                        std::pow(high / low, static_cast<double>(k) / (omegas.size() - 1));
        }
        const CToleranceMask mask(*scheme, omegas, target);
        EXPECT_TRUE(mask.Passes(target));
    }
}

}  // namespace
}  // namespace vx
