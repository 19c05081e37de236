#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>

#include "analysis/noise/noise_analysis.h"
#include "analysis/noise/stage_network.h"
#include "files/opamp_files.h"
#include "model/number_format.h"
#include "session/design_session.h"
#include "spice/ngspice_sweep.h"
#include "spice/process_runner.h"
#include "spice/spice_defaults.h"
#include "spice_test_designs.h"

// The noise and the op-amp outputs' gains of every structure against ngspice on the exported
// netlist: its .noise for the output noise density, its AC analysis at the stages' outputs.
namespace vx {
namespace {

class NgspiceNoise : public testing::TestWithParam<SpiceTestDesign> {};

double Db(double x) {
    return 20.0 * std::log10(x);
}

// The resistors' noise with a noiseless op-amp model (the LF411 has no noise figures), within
// 0.1 dB at every point from a tenth to ten times the filter frequency; and the gain from the
// input to each op-amp output within 0.05 dB, but where ngspice's is 60 dB below its largest
// (a twin-T's notch).
TEST_P(NgspiceNoise, ResistorNoiseAndStageGainsAgree) {
    ASSERT_FALSE(FindExecutable("ngspice").empty());
    const SpiceTestDesign& d = GetParam();
    CDesignSession session;
    SpecifyForSpice(session, d, 1);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    const CFilter& filter = session.Filter();
    const auto noise =
        RunNgspiceNoise(filter, session.OpAmps(), DefaultSpiceSettings(), 100.0, 10000.0, 50);
    ASSERT_FALSE(std::holds_alternative<UserMessage>(noise)) << std::get<UserMessage>(noise).text;
    const AcSweep& simulated = std::get<AcSweep>(noise);
    ASSERT_EQ(simulated.frequencies.size(), 101u);
    const NoiseSpectrum ours =
        AnalyseNoise(filter, session.OpAmps(), 100.0, 10000.0, 101, 100.0, 10000.0);
    for (size_t k = 0; k < 101; ++k) {
        ASSERT_NEAR(simulated.frequencies[k] / ours.frequencies[k], 1.0, 1e-6);
        EXPECT_NEAR(Db(ours.total[k]), Db(simulated.values[0][k]), 0.1)
            << d.name << " at " << ours.frequencies[k] << " Hz";
    }

    std::vector<std::string> outputs;
    const std::vector<StageCircuit> circuits = StageCircuits(filter);
    for (size_t s = 0; s < circuits.size(); ++s) {
        const std::string node =
            s + 1 == circuits.size() ? "\"0ut\"" : FormatInt(100 * circuits[s].number + 4);
        outputs.push_back("mag(v(" + node + "))");
    }
    const auto ac = RunNgspiceAc(filter, session.OpAmps(), DefaultSpiceSettings(), outputs);
    ASSERT_FALSE(std::holds_alternative<UserMessage>(ac));
    const AcSweep& sweep = std::get<AcSweep>(ac);
    const TwoPoleModel model{session.OpAmps().DcGain(1), session.OpAmps().TimeConstant1(1),
                             session.OpAmps().TimeConstant2(1)};
    std::vector<CStageNetwork> stages;
    for (const StageCircuit& c : circuits) {
        stages.emplace_back(c, filter, model);
    }
    for (size_t s = 0; s < stages.size(); ++s) {
        const std::vector<double>& v = sweep.values[s];
        const double largest = *std::max_element(v.begin(), v.end());
        for (size_t k = 0; k < sweep.frequencies.size(); k += 7) {
            std::complex<double> gain = 1.0;
            for (size_t j = 0; j <= s; ++j) {
                gain *= stages[j].At(2.0 * M_PI * sweep.frequencies[k]).transfer;
            }
            if (v[k] > 1e-3 * largest) {
                EXPECT_NEAR(Db(std::abs(gain)), Db(v[k]), 0.05)
                    << d.name << " stage " << s + 1 << " at " << sweep.frequencies[k] << " Hz";
            }
        }
    }
}

// Catalogue op-amps with voltage and current noise and their 1/f corners, through the shipped
// library's noise sources: the total within 0.2 dB in every structure.
TEST(NgspiceNoiseWithOpAmps, TotalAgrees) {
    ASSERT_FALSE(FindExecutable("ngspice").empty());
    InstallOpAmps(LoadOpAmpLibrary(CatalogueOpAmpPath(), ""));
    const char* parts[] = {"OP27", "LF351", "OPA1611", "MCP6481", "TL071"};
    for (size_t i = 0; i < std::size(kSpiceTestDesigns); ++i) {
        const SpiceTestDesign& d = kSpiceTestDesigns[i];
        const char* part = parts[i % std::size(parts)];
        CDesignSession session;
        SpecifyForSpice(session, d, session.OpAmps().FindByName(part));
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        const auto noise = RunNgspiceNoise(session.Filter(), session.OpAmps(),
                                           DefaultSpiceSettings(), 100.0, 10000.0, 50);
        ASSERT_FALSE(std::holds_alternative<UserMessage>(noise))
            << std::get<UserMessage>(noise).text;
        const AcSweep& simulated = std::get<AcSweep>(noise);
        const NoiseSpectrum ours =
            AnalyseNoise(session.Filter(), session.OpAmps(), 100.0, 10000.0, 101, 100.0, 10000.0);
        ASSERT_EQ(simulated.values[0].size(), ours.total.size());
        for (size_t k = 0; k < ours.total.size(); ++k) {
            EXPECT_NEAR(Db(ours.total[k]), Db(simulated.values[0][k]), 0.2)
                << part << " in " << d.name << " at " << ours.frequencies[k] << " Hz";
        }
        EXPECT_GT(ours.opAmpVoltage[0], 0.0) << part;
    }
    InstallOpAmps({});
}

INSTANTIATE_TEST_SUITE_P(Structures, NgspiceNoise, testing::ValuesIn(kSpiceTestDesigns),
                         [](const testing::TestParamInfo<SpiceTestDesign>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace vx
