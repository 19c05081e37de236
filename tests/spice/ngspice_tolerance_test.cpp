#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../structures/design_fixture.h"
#include "analysis/tolerance_analysis.h"
#include "analysis/tolerance_statistics.h"
#include "model/number_format.h"
#include "session/design_session.h"
#include "spice/process_runner.h"
#include "spice/pspice.h"
#include "spice/spice_defaults.h"

// The tolerance analysis against a Monte Carlo analysis that ngspice runs on the exported
// netlist with its own random numbers: the cut-offs of the two must spread alike, within the
// statistical error of both run counts.
namespace vx {
namespace {

constexpr double kResistorTolerance = 0.01;
constexpr double kCapacitorTolerance = 0.05;

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every resistor and capacitor of the netlist varies uniformly within its tolerance, run after
// run, and ngspice measures where the response falls through `levelDb` for the last time.
std::vector<double> NgspiceCutoffs(const CDesignSession& session, double levelDb, int runs) {
    const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) /
                                      ("vx_ngspice_tolerance_" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    SpiceSettings settings = DefaultSpiceSettings();
    settings.tmpPath = dir.string();
    const CPspice spice(session.Filter(), session.OpAmps(), settings);
    EXPECT_FALSE(spice.WriteFiles(SpiceMode::AMPLITUDE_LINEAR).has_value());

    std::string alters;
    std::istringstream netlist(ReadText(dir / (spice.FileName() + ".cir")));
    for (std::string line; std::getline(netlist, line);) {
        std::istringstream fields(line);
        std::string name, a, b, value;
        fields >> name >> a >> b >> value;
        if (name.empty() || (name[0] != 'R' && name[0] != 'C')) {
            continue;
        }
        const double tolerance = name[0] == 'R' ? kResistorTolerance : kCapacitorTolerance;
        alters += "  alter " + name + " = " + value + "*(1+" + FormatG(tolerance) + "*sunif(0))\n";
    }
    EXPECT_FALSE(alters.empty());
    const CFilter& f = session.Filter();
    const std::string control =
        "* tolerance\n.control\nsource " + spice.FileName() + ".cir\nsetseed 11\nrepeat " +
        FormatInt(runs) + "\n" + alters + "  ac oct 401 " + FormatG(f.Frequency() * f.PlotMin()) +
        " " + FormatG(f.Frequency() * f.PlotMax()) +
        "\n  meas ac fc when vdb(0ut)=" + FormatG(levelDb, 8) +
        " fall=last\n  echo vx-cutoff $&fc\n  destroy all\nend\nquit\n" + ".endc\n.end\n";
    std::ofstream(dir / "mc.sp") << control;
    const ProcessResult run = RunProcess(
        {{settings.command, "-b", "-D", "ngbehavior=ps", "mc.sp"}, "mc.log", dir.string()});
    EXPECT_TRUE(run.started);
    std::vector<double> cutoffs;
    std::istringstream log(ReadText(dir / "mc.log"));
    for (std::string line; std::getline(log, line);) {
        if (line.rfind("vx-cutoff ", 0) == 0) {
            cutoffs.push_back(ParseDouble(line.substr(10)));
        }
    }
    std::filesystem::remove_all(dir);
    return cutoffs;
}

// A Sallen-Key low-pass without gain network keeps its gain, so the cut-off's level is the same
// in every run, as ngspice measures it.
TEST(NgspiceTolerance, TheCutoffSpreadsAsInNgspice) {
    CDesignSession session;
    test::Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                  Characteristic::BUTTERWORTH, 4, 1000.0, 0.0, ResistorSeries::E96);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    ToleranceSettings settings;
    settings.resistorTolerance = kResistorTolerance;
    settings.capacitorTolerance = kCapacitorTolerance;
    settings.runs = 4000;
    const ToleranceRun analysis = CToleranceAnalysis(session, settings).Run(monitor);
    ASSERT_EQ(analysis.outcome, ToleranceOutcome::DONE);
    const FigureSummary& ours = analysis.result.frequency;
    ASSERT_EQ(ours.count, settings.runs);

    const std::vector<double> cutoffs =
        NgspiceCutoffs(session, analysis.result.level.nominal - analysis.result.cutoffDropDb, 1000);
    ASSERT_EQ(cutoffs.size(), 1000u);
    const FigureSummary theirs = SummariseFigure(cutoffs, 0.0);
    // Four standard errors of the difference: sigma / sqrt(N) for a mean, sigma / sqrt(2 N) for a
    // standard deviation.
    const double sigma = ours.deviation;
    const double n1 = settings.runs;
    const double n2 = theirs.count;
    EXPECT_NEAR(theirs.mean, ours.mean, 4.0 * sigma * std::sqrt(1.0 / n1 + 1.0 / n2));
    EXPECT_NEAR(theirs.deviation, ours.deviation,
                4.0 * sigma * std::sqrt(1.0 / (2.0 * n1) + 1.0 / (2.0 * n2)));
    // The parts matter: the cut-off spreads by per cents, not by the sweep's steps.
    EXPECT_GT(sigma, 0.01 * ours.mean);
}

}  // namespace
}  // namespace vx
