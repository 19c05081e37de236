#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "files/opamp_files.h"
#include "session/design_session.h"
#include "spice/process_runner.h"
#include "spice/pspice.h"
#include "spice/spice_defaults.h"
#include "spice/verify.h"
#include "spice_test_designs.h"

// Every structure's exported netlist simulated by ngspice with the shipped op-amp library: the
// magnitude must agree with the program's own response of the stored design. This checks the
// netlist's topology and the structures' transfer functions against each other.
namespace vx {
namespace {

namespace fs = std::filesystem;

constexpr double kToleranceDb = 0.05;

using Design = SpiceTestDesign;

class NgspiceAgrees : public testing::TestWithParam<Design> {
  protected:
    void SetUp() override {
        ASSERT_FALSE(FindExecutable("ngspice").empty())
            << "ngspice is needed (scripts/install-deps.sh installs it)";
        dir_ = fs::temp_directory_path() /
               ("vx_ngspice_" + std::string(GetParam().name) + "_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        if (!dir_.empty()) {
            fs::remove_all(dir_);
        }
    }
    fs::path dir_;
};

TEST_P(NgspiceAgrees, WithIdealAndRealOpAmps) {
    const Design& d = GetParam();
    for (const int opAmp : {0, 1, 2}) {
        SCOPED_TRACE(testing::Message() << d.name << " op-amp " << opAmp);
        CDesignSession session;
        SpecifyForSpice(session, d, opAmp);
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        ASSERT_EQ(session.Filter().GetDesignState(), DesignState::DESIGNED);
        SpiceSettings settings = DefaultSpiceSettings();
        settings.tmpPath = dir_.string();
        const std::variant<SpiceVerification, UserMessage> result =
            VerifyWithNgspice(session, settings);
        const auto* failure = std::get_if<UserMessage>(&result);
        ASSERT_EQ(failure, nullptr) << failure->text;
        const SpiceVerification& v = std::get<SpiceVerification>(result);
        // 401 points per octave over two decades, less the notch.
        EXPECT_GT(v.points, 1000);
        EXPECT_LE(v.maxDeviationDb, kToleranceDb) << "at " << v.worstFrequency << " Hz";
    }
}

// Catalogue parts of every class, each in another structure, through the shipped library that
// the build makes from the catalogue.
TEST(NgspiceAgreesWithCatalogueParts, OfEveryClass) {
    ASSERT_FALSE(FindExecutable("ngspice").empty());
    InstallOpAmps(LoadOpAmpLibrary(CatalogueOpAmpPath(), ""));
    const fs::path dir =
        fs::temp_directory_path() / ("vx_ngspice_catalogue_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const char* parts[] = {"OPA1611", "TL071",  "LM358",  "OP27",   "MCP6001",
                           "LPV521",  "AD8065", "OPA820", "LM4562", "OPA350"};
    for (size_t i = 0; i < std::size(parts); ++i) {
        const Design& d = kSpiceTestDesigns[i % std::size(kSpiceTestDesigns)];
        SCOPED_TRACE(testing::Message() << d.name << " with " << parts[i]);
        CDesignSession session;
        const int opAmp = session.OpAmps().FindByName(parts[i]);
        ASSERT_GT(opAmp, 0);
        SpecifyForSpice(session, d, opAmp);
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        SpiceSettings settings = DefaultSpiceSettings();
        settings.tmpPath = dir.string();
        const std::variant<SpiceVerification, UserMessage> result =
            VerifyWithNgspice(session, settings);
        const auto* failure = std::get_if<UserMessage>(&result);
        ASSERT_EQ(failure, nullptr) << failure->text;
        EXPECT_LE(std::get<SpiceVerification>(result).maxDeviationDb, kToleranceDb);
    }
    InstallOpAmps({});
    fs::remove_all(dir);
}

// The simulator call as the program makes it, in batch mode: every analysis runs unchanged.
TEST(NgspiceRuns, EveryModeWithTheDefaultConfiguration) {
    ASSERT_FALSE(FindExecutable("ngspice").empty())
        << "ngspice is needed (scripts/install-deps.sh installs it)";
    const fs::path dir =
        fs::temp_directory_path() / ("vx_ngspice_modes_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    CDesignSession session;
    SpecifyForSpice(session, kSpiceTestDesigns[0], 1);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    SpiceSettings settings = DefaultSpiceSettings();
    settings.tmpPath = dir.string();
    for (int mode = 1; mode <= 6; ++mode) {
        SCOPED_TRACE(mode);
        const CPspice spice(session.Filter(), session.OpAmps(), settings);
        ASSERT_FALSE(spice.WriteFiles(static_cast<SpiceMode>(mode)).has_value());
        std::vector<std::string> args = spice.SimulatorArguments();
        args.insert(args.begin() + 1, "-b");
        const ProcessResult r = RunProcess({args, (dir / "run.log").string(), {}});
        EXPECT_TRUE(r.started);
        EXPECT_EQ(r.exitCode, 0);
    }
    fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Structures, NgspiceAgrees, testing::ValuesIn(kSpiceTestDesigns),
                         [](const testing::TestParamInfo<Design>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace vx
