#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "../support/text_lines.h"
#include "cli/commands.h"
#include "files/opamp_files.h"
#include "files/specification_messages.h"
#include "files/specification_reader.h"
#include "model/number_format.h"
#include "model/own_opamp_input.h"
#include "session/design_session.h"

namespace vx {
namespace {

using test::Lines;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

Result Capture(int (*command)(const cli::Args&), const cli::Args& args) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    Result r;
    r.status = command(args);
    r.out = ::testing::internal::GetCapturedStdout();
    r.err = ::testing::internal::GetCapturedStderr();
    return r;
}

// Fields of a CSV line as RFC 4180 quotes them.
std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// Each test has its own settings folder with no own models, and the catalogue installed as
// veltranix-cli installs it; the built-in list is back afterwards.
class OpAmpsCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* previous = std::getenv("XDG_CONFIG_HOME")) {
            previous_ = previous;
        }
        config_ = std::filesystem::path(::testing::TempDir()) /
                  ("vx_opamps_" + std::to_string(getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(config_);
        std::filesystem::create_directories(config_);
        setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
        Reinstall();
    }
    void TearDown() override {
        if (previous_) {
            setenv("XDG_CONFIG_HOME", previous_->c_str(), 1);
        } else {
            unsetenv("XDG_CONFIG_HOME");
        }
        InstallOpAmps({});
        std::filesystem::remove_all(config_);
    }
    static void Reinstall() {
        OpAmpLibrary library = LoadOpAmpLibrary(CatalogueOpAmpPath(), OwnOpAmpPath());
        ASSERT_TRUE(library.problems.empty()) << library.problems[0].text;
        InstallOpAmps(std::move(library));
    }

    std::filesystem::path config_;
    std::optional<std::string> previous_;
};

TEST_F(OpAmpsCommand, AddsOwnModelsAndRefusesWhatTheListHasOrTheChecksReject) {
    struct Case {
        cli::Args args;
        int status;
        std::string err;  // a part of the message, empty when there is none
    };
    const Case cases[] = {
        {{"--add", "MY-OP1", "--gbw", "8M", "--a0", "110", "--source", "Messung, \"Labor\""},
         0,
         ""},
        {{"--add", "OPA1611", "--gbw", "1M"}, 1, "trägt schon ein Operationsverstärker"},
        {{"--add", "MY-OP2", "--gbw", "viel"}, 1, own_opamp::kGbw},
        {{"--add", "my-op1", "--gbw", "1M"}, 1, "trägt schon ein Operationsverstärker"},
        {{"--gbw", "1M"}, 2, "--add NAME"},
        {{"--remove", "OPA1611"}, 1, NotOwnOpAmpMessage("OPA1611").text},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        const Result r = Capture(cli::RunOpAmps, c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        if (c.err.empty()) {
            EXPECT_EQ(r.err, "");
            EXPECT_EQ(r.out.rfind("MY-OP1: GBW 8 MHz, T1 = ", 0), 0u) << r.out;
        } else {
            EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        }
    }
    // Only the good one was saved, with its gain in dB at the edge and the quoted source whole.
    const OpAmpLibrary saved = LoadOpAmpLibrary(CatalogueOpAmpPath(), OwnOpAmpPath());
    ASSERT_EQ(saved.own.size(), 1u);
    EXPECT_EQ(saved.own[0].name, "MY-OP1");
    EXPECT_NEAR(saved.own[0].dcGain / std::pow(10.0, 110.0 / 20.0), 1.0, 1e-6);
    EXPECT_EQ(saved.own[0].source, "Messung, \"Labor\"");
}

// An own model is offered to every command, and a file that names it no longer loads once it
// is removed.
TEST_F(OpAmpsCommand, OwnModelFromAddThroughDesignToRemove) {
    ASSERT_EQ(
        Capture(cli::RunOpAmps, {"--add", "RT-1", "--gbw", "3,3M", "--phase-margin", "60"}).status,
        0);
    const Result csv = Capture(cli::RunOpAmps, {"--csv"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    std::vector<std::string> row;
    for (const std::string& line : Lines(csv.out)) {
        if (line.rfind("RT-1,", 0) == 0) {
            row = CsvFields(line);
        }
    }
    ASSERT_EQ(row.size(), 15u) << csv.out;
    EXPECT_NEAR(ParseDouble(row[4]) / 3.3e6, 1.0, 1e-6);

    const std::string spec = (config_ / "rt.vxs").string();
    const Result made =
        Capture(cli::RunNew, {"lowpass", "sk", "--order", "4", "--opamp", "rt-1", "-o", spec});
    ASSERT_EQ(made.status, 0) << made.err;
    const Result designed = Capture(cli::RunDesign, {spec});
    EXPECT_EQ(designed.status, 0) << designed.err;
    EXPECT_NE(designed.out.find("RT-1"), std::string::npos) << designed.out;

    ASSERT_EQ(Capture(cli::RunOpAmps, {"--remove", "rt-1"}).status, 0);
    Reinstall();  // from the files, as the next run reads them
    CDesignSession session;
    const SpecificationLoadResult loaded =
        LoadSpecification(spec, session.Filter(), session.Character(), session.OpAmps());
    EXPECT_FALSE(loaded.ok);
    ASSERT_FALSE(loaded.messages.empty());
    EXPECT_EQ(loaded.messages[0], InvalidValueMessage("OPAMP", 0));
}

TEST_F(OpAmpsCommand, ListsEveryModelInCsvAndInColumnsThatFit) {
    const COpv list = OpAmpListOf(InstalledOpAmps());
    ASSERT_GT(list.Count(), 80);
    const Result csv = Capture(cli::RunOpAmps, {"--csv"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    const std::vector<std::string> lines = Lines(csv.out);
    ASSERT_EQ(lines.size(), static_cast<size_t>(list.Count()) + 1);
    EXPECT_EQ(lines[0],
              "name,dc_gain,t1_s,t2_s,gbw_hz,phase_margin_deg,slew_v_per_us,en_nv_per_rthz,"
              "en_corner_hz,in_pa_per_rthz,in_corner_hz,supply_min_v,supply_max_v,rail_to_rail,"
              "source");
    for (int i = 0; i < list.Count(); ++i) {
        const std::vector<std::string> fields = CsvFields(lines[static_cast<size_t>(i) + 1]);
        ASSERT_EQ(fields.size(), 15u) << lines[static_cast<size_t>(i) + 1];
        EXPECT_EQ(fields[0], list.Name(i));
        // The ideal op-amp has no loop crossing; every other model has one.
        EXPECT_EQ(fields[4].empty(), i == 0) << fields[0];
    }

    const Result table = Capture(cli::RunOpAmps, {});
    ASSERT_EQ(table.status, 0) << table.err;
    const std::vector<std::string> rows = Lines(table.out);
    ASSERT_EQ(rows.size(), static_cast<size_t>(list.Count()) + 1);
    for (const std::string& line : rows) {
        size_t columns = 0;
        for (const char c : line) {
            columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
        }
        EXPECT_LE(columns, 120u) << line;
    }
}

}  // namespace
}  // namespace vx
