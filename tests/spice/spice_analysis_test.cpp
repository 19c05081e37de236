#include "spice/spice_analysis.h"
#include "spice/spice_defaults.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <variant>

#include "session/design_session.h"
#include "spice/spice_messages.h"

// The Spice menu's analyses run in ngspice and read back: each result is checked against filter
// theory for a fourth-order Butterworth low-pass, and each way a run can fail gets a message
// with what ngspice printed last.
namespace vx {
namespace {

namespace fs = std::filesystem;

constexpr double kFrequency = 1000.0;
constexpr double kGainDb = 6.0;
constexpr int kOrder = 4;

class SpiceAnalysisTest : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("vx_analysis_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        CFilter& f = session_.Filter();
        SpecificationBlock block = f.Specification();
        block.characteristic = Characteristic::BUTTERWORTH;
        block.orderLpHp = kOrder;
        block.frequency = kFrequency;
        block.gainDb = kGainDb;
        block.resistorSeries = ResistorSeries::E192;
        block.opAmp = 0;
        f.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
        f.SetPlotRange(0.1, 10.0);
        f.documentName = "Butterworth Tiefpass";
        f.spice.command = "ngspice";
        f.spice.tmpPath = dir_.string();
        f.spice.library = DefaultSpiceLibrary();
        session_.FillCharacteristic();
        SilentMonitor monitor;
        ASSERT_TRUE(session_.Design(monitor));
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::variant<SpiceResult, UserMessage> Run(SpiceMode mode) {
        const CSpiceAnalysis analysis(session_.Filter(), session_.OpAmps(), mode);
        std::variant<ProcessRequest, UserMessage> prepared = analysis.Prepare();
        if (const auto* failure = std::get_if<UserMessage>(&prepared)) {
            return *failure;
        }
        return analysis.Finish(RunProcess(std::get<ProcessRequest>(prepared)));
    }

    // A stand-in for ngspice: a script whose name starts with "ngspice".
    void FakeSimulator(const std::string& script) {
        const fs::path path = dir_ / "ngspice-fake";
        std::ofstream(path) << "#!/bin/sh\n" << script;
        fs::permissions(path, fs::perms::owner_all);
        session_.Filter().spice.command = path.string();
    }

    CDesignSession session_;
    fs::path dir_;
};

// Linear interpolation in x between the points around `at`.
double ValueAt(const SpiceResult& r, size_t trace, double at) {
    const auto upper = std::lower_bound(r.x.begin(), r.x.end(), at);
    if (upper == r.x.begin() || upper == r.x.end()) {
        ADD_FAILURE() << at << " lies outside the simulation";
        return 0.0;
    }
    const size_t k = static_cast<size_t>(upper - r.x.begin());
    const std::vector<double>& v = r.traces[trace].values;
    return v[k - 1] + (at - r.x[k - 1]) / (r.x[k] - r.x[k - 1]) * (v[k] - v[k - 1]);
}

TEST_F(SpiceAnalysisTest, EveryAnalysisGivesTheTheoreticalResponse) {
    ASSERT_FALSE(FindExecutable("ngspice").empty()) << "ngspice is needed";
    const double gain = std::pow(10.0, kGainDb / 20.0);
    // The delay at low frequencies: b1 / (2 pi fg), b1 the sum of the Butterworth stages' a.
    const double delay0 = 2.6131259 / (2.0 * std::numbers::pi * kFrequency);
    struct Case {
        SpiceMode mode;
        std::vector<std::string> traces;
        double at;        // Hz or s
        double expected;  // of the first trace
        double tolerance;
    };
    const Case cases[] = {
        {SpiceMode::AMPLITUDE_DB, {"VDB(0UT)"}, kFrequency, kGainDb - 3.0103, 0.05},
        {SpiceMode::AMPLITUDE_LINEAR, {"V(0UT)"}, kFrequency, gain / std::sqrt(2.0), 0.005},
        {SpiceMode::PHASE, {"VP(0UT)"}, kFrequency, -45.0 * kOrder, 0.5},
        {SpiceMode::GROUP_DELAY, {"VG(0UT)"}, 0.11 * kFrequency, delay0, 0.02 * delay0},
        // Five periods of fg after the step the output has settled at the DC gain.
        {SpiceMode::STEP_RESPONSE, {"V(0UT)"}, 5.0 / kFrequency, gain, 0.01 * gain},
        {SpiceMode::ALL, {"VDB(0UT)", "VP(0UT)", "VG(0UT)"}, kFrequency, kGainDb - 3.0103, 0.05},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        std::variant<SpiceResult, UserMessage> run = Run(c.mode);
        const auto* failure = std::get_if<UserMessage>(&run);
        ASSERT_EQ(failure, nullptr) << failure->text;
        const SpiceResult& r = std::get<SpiceResult>(run);
        ASSERT_EQ(r.traces.size(), c.traces.size());
        for (size_t t = 0; t < c.traces.size(); ++t) {
            EXPECT_EQ(r.traces[t].name, c.traces[t]);
            EXPECT_EQ(r.traces[t].values.size(), r.x.size());
        }
        const double at = c.mode == SpiceMode::STEP_RESPONSE ? r.x.back() : c.at;
        const double value =
            c.mode == SpiceMode::STEP_RESPONSE ? r.traces[0].values.back() : ValueAt(r, 0, at);
        EXPECT_NEAR(value, c.expected, c.tolerance);
        if (c.mode == SpiceMode::ALL) {
            EXPECT_NEAR(ValueAt(r, 1, kFrequency), -45.0 * kOrder, 0.5);
        }
        if (c.mode == SpiceMode::STEP_RESPONSE) {
            EXPECT_NEAR(r.x.back(), 5.0 / kFrequency, 1e-9);
        }
    }
}

TEST_F(SpiceAnalysisTest, AmplitudeAnalysesLayTheirCurveOverTheDiagram) {
    ASSERT_FALSE(FindExecutable("ngspice").empty()) << "ngspice is needed";
    for (const SpiceMode mode :
         {SpiceMode::AMPLITUDE_DB, SpiceMode::AMPLITUDE_LINEAR, SpiceMode::PHASE}) {
        SCOPED_TRACE(static_cast<int>(mode));
        std::variant<SpiceResult, UserMessage> run = Run(mode);
        ASSERT_TRUE(std::holds_alternative<SpiceResult>(run));
        const SpiceResult& r = std::get<SpiceResult>(run);
        const std::optional<PlotOverlay> overlay =
            CSpiceAnalysis::AmplitudeOverlay(r, *session_.Current());
        if (mode == SpiceMode::PHASE) {
            EXPECT_FALSE(overlay.has_value());
            continue;
        }
        ASSERT_TRUE(overlay.has_value());
        EXPECT_EQ(overlay->frequencies, r.x);
        // Ratios, whichever unit the analysis shows: the pass band has the gain.
        EXPECT_NEAR(overlay->magnitudes.front(), std::pow(10.0, kGainDb / 20.0), 0.01);
        EXPECT_GT(overlay->maxDeviationDb, 0.0);
        EXPECT_LT(overlay->maxDeviationDb, 0.05);
    }
}

TEST_F(SpiceAnalysisTest, AFailedRunTellsWhatNgspicePrintedLast) {
    FakeSimulator("for i in 1 2 3 4 5 6 7 8 9 10; do echo \"Zeile $i\"; done\nexit 1\n");
    std::variant<SpiceResult, UserMessage> run = Run(SpiceMode::PHASE);
    ASSERT_TRUE(std::holds_alternative<UserMessage>(run));
    EXPECT_EQ(std::get<UserMessage>(run),
              (UserMessage{"Spice - Phasengang",
                           "Die Simulation hat keine Ergebnisse geliefert (Status 1).\n\nZuletzt "
                           "gab ngspice aus:\nZeile 3\nZeile 4\nZeile 5\nZeile 6\nZeile 7\nZeile "
                           "8\nZeile 9\nZeile 10"}));

    // Ended at the time limit by the caller: the limit is named.
    FakeSimulator("echo 'Circuit: Butterworth'\n");
    const CSpiceAnalysis analysis(session_.Filter(), session_.OpAmps(), SpiceMode::STEP_RESPONSE);
    ASSERT_TRUE(std::holds_alternative<ProcessRequest>(analysis.Prepare()));
    ProcessResult end = RunProcess(std::get<ProcessRequest>(analysis.Prepare()));
    end.timedOut = true;
    EXPECT_EQ(std::get<UserMessage>(analysis.Finish(end)).text,
              "ngspice wurde nach 60 s abgebrochen, weil die Simulation nicht endete.\n\n"
              "Zuletzt gab ngspice aus:\nCircuit: Butterworth");

    FakeSimulator("exit 0\n");
    EXPECT_EQ(std::get<UserMessage>(Run(SpiceMode::GROUP_DELAY)).text,
              "Die Simulation hat keine Ergebnisse geliefert (Status 0).\n\n"
              "ngspice hat nichts ausgegeben.");
    EXPECT_EQ(std::get<UserMessage>(analysis.Finish(ProcessResult{})),
              (UserMessage{"Fehler", "Die Spice-Applikation konnte nicht gestartet werden"}));
}

TEST_F(SpiceAnalysisTest, AnotherSimulatorIsOnlyStartedOnTheNetlist) {
    session_.Filter().spice.command = "sh";
    const CSpiceAnalysis analysis(session_.Filter(), session_.OpAmps(), SpiceMode::AMPLITUDE_DB);
    EXPECT_FALSE(analysis.ReadsBack());
    const std::variant<ProcessRequest, UserMessage> prepared = analysis.Prepare();
    ASSERT_TRUE(std::holds_alternative<ProcessRequest>(prepared));
    EXPECT_EQ(std::get<ProcessRequest>(prepared).arguments,
              (std::vector<std::string>{"sh", (dir_ / "Butterworth_Tiefpass.cir").string()}));
    EXPECT_TRUE(fs::exists(dir_ / "Butterworth_Tiefpass.prb"));
    EXPECT_FALSE(fs::exists(dir_ / "Butterworth_Tiefpass_ngspice.sp"));
}

// The text the result window copies: a spreadsheet reads its columns with their units and its
// numbers with the decimal comma; a trace shorter than the sweep leaves its cells empty.
TEST(SpiceResultText, ColumnsOfTheSweepAndEachTrace) {
    const SpiceResult result{SpiceMode::STEP_RESPONSE,
                             {0.0, 2.5e-4},
                             {{"V(0UT)", "V", {0.0, 1.25}}, {"Ratio", "", {0.5}}}};
    EXPECT_EQ(CSpiceAnalysis::ResultText(result, "Tiefpass"),
              "Sprungantwort – Tiefpass\n"
              "Zeit [s]\tV(0UT) [V]\tRatio\n"
              "0\t0\t0,5\n"
              "0,00025\t1,25\t\n");
}

}  // namespace
}  // namespace vx
