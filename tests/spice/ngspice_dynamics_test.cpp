#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <variant>

#include "response/filter_dynamics.h"
#include "session/design_session.h"
#include "spice/ngspice_sweep.h"
#include "spice/process_runner.h"
#include "spice/pspice.h"
#include "spice/spice_defaults.h"
#include "spice_test_designs.h"

// The phase and step responses the program computes from its stages' transfer functions
// against ngspice's AC phase and transient of the exported netlists, for every structure with
// the ideal op-amp, the LF411 and the uA741.
namespace vx {
namespace {

using Case = SpiceTestDesign;

const Case kCases[] = {
    {"SkLowPass", FilterType::LOWPASS, StructureKind::SALLEN_KEY, Characteristic::CHEBYCHEV, 5,
     6.0},
    {"SkHighPass", FilterType::HIGHPASS, StructureKind::SALLEN_KEY, Characteristic::BUTTERWORTH, 4,
     0.0},
    {"MfbLowPass", FilterType::LOWPASS, StructureKind::MFB, Characteristic::BESSEL, 6, 0.0},
    {"MfbHighPass", FilterType::HIGHPASS, StructureKind::MFB, Characteristic::CHEBYCHEV, 3, 6.0},
    {"SkxLowPass", FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, Characteristic::BUTTERWORTH, 3,
     6.0},
    {"SkxHighPass", FilterType::HIGHPASS, StructureKind::SALLEN_KEY_X, Characteristic::BESSEL, 3,
     0.0},
    {"MfbBandPass", FilterType::BANDPASS, StructureKind::MFB, Characteristic::BUTTERWORTH, 4, 6.0},
    // Thirty poles, the highest Q of the Chebyshev table: the residues of the whole cascade.
    {"MfbLowPassOrder30", FilterType::LOWPASS, StructureKind::MFB, Characteristic::CHEBYCHEV, 30,
     0.0},
    {"TwinTBandStop", FilterType::BANDREJECT, StructureKind::TWIN_T, Characteristic::BESSEL, 2, 0.0,
     StageSequence::HIGH_LEVEL, 3.0},
};

// The simulated value at time t, linear between the simulator's own (adaptive) steps.
double At(const std::vector<double>& times, const std::vector<double>& values, double t) {
    const auto it = std::upper_bound(times.begin(), times.end(), t);
    if (it == times.begin() || it == times.end()) {
        return it == times.begin() ? values.front() : values.back();
    }
    const size_t i = static_cast<size_t>(it - times.begin());
    const double u = (t - times[i - 1]) / (times[i] - times[i - 1]);
    return values[i - 1] + u * (values[i] - values[i - 1]);
}

class DynamicsAgree : public testing::TestWithParam<Case> {};

TEST_P(DynamicsAgree, WithNgspice) {
    ASSERT_FALSE(FindExecutable("ngspice").empty())
        << "ngspice is needed (scripts/install-deps.sh installs it)";
    const Case& c = GetParam();
    for (const int opAmp : {0, 1, 2}) {
        SCOPED_TRACE(testing::Message() << c.name << " op-amp " << opAmp);
        CDesignSession session;
        SpecifyForSpice(session, c, opAmp);
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        const FilterDynamics dynamics = session.Dynamics();
        ASSERT_TRUE(dynamics.filterStep.has_value());
        const SpiceSettings settings = DefaultSpiceSettings();

        const auto tran = RunNgspice(session.Filter(), session.OpAmps(), settings,
                                     SpiceMode::STEP_RESPONSE, {"v(\"0ut\")"});
        ASSERT_TRUE(std::holds_alternative<AcSweep>(tran));
        const AcSweep& t = std::get<AcSweep>(tran);
        double peak = 0.0, worst = 0.0, at = 0.0;
        for (double v : t.values[0]) {
            peak = std::max(peak, std::fabs(v));
        }
        // From the first step on: at t = 0 the step itself is neither 0 nor 1.
        const TimeResponse& computed = *dynamics.filterStep;
        for (size_t i = 1; i < computed.time.size(); ++i) {
            const double d =
                std::fabs(computed.step[i] - At(t.frequencies, t.values[0], computed.time[i]));
            if (d > worst) {
                worst = d;
                at = computed.time[i];
            }
        }
        EXPECT_GT(t.frequencies.size(), 500u);
        EXPECT_LE(worst, 0.01 * peak) << "at " << at << " s";

        // The phase at the simulator's own frequencies (401 per octave from the lowest).
        const auto ac = RunNgspice(session.Filter(), session.OpAmps(), settings, SpiceMode::PHASE,
                                   {"180/pi*cph(v(\"0ut\"))"});
        ASSERT_TRUE(std::holds_alternative<AcSweep>(ac));
        const AcSweep& a = std::get<AcSweep>(ac);
        const DesignTransfers transfers = session.Current()->CaptureTransfers();
        const std::vector<double> phase =
            CascadePhase(transfers.filter, 2.0 * std::numbers::pi * a.frequencies.front(),
                         std::pow(2.0, 1.0 / 401.0), static_cast<int>(a.frequencies.size()));
        double worstPhase = 0.0;
        for (size_t k = 0; k < phase.size(); ++k) {
            const double d = std::remainder(phase[k] - a.values[0][k], 360.0);
            worstPhase = std::max(worstPhase, std::fabs(d));
        }
        EXPECT_LE(worstPhase, 0.5);
    }
}

INSTANTIATE_TEST_SUITE_P(Structures, DynamicsAgree, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace vx
