#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../support/cli_runner.h"
#include "model/number_format.h"

namespace {

using vx::test::Lines;
using Result = vx::test::CliResult;

vx::test::CliResult RunCli(const std::string& arguments) {
    return vx::test::RunCli("poles " + arguments);
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; in >> field;) {
        fields.push_back(field);
    }
    return fields;
}

struct StageRow {
    double a;
    double b;
};

// Checks the table layout and returns the (a, b) pairs it lists.
std::vector<StageRow> ParseTable(const std::string& out) {
    const std::vector<std::string> lines = Lines(out);
    std::vector<StageRow> rows;
    EXPECT_GE(lines.size(), 3u);
    if (lines.size() < 3) {
        return rows;
    }
    EXPECT_EQ(Fields(lines[1]),
              (std::vector<std::string>{"stage", "a", "b", "pole_frequency", "pole_quality"}));
    for (size_t i = 2; i < lines.size(); ++i) {
        const std::vector<std::string> f = Fields(lines[i]);
        EXPECT_EQ(f.size(), 5u) << lines[i];
        if (f.size() != 5) {
            continue;
        }
        EXPECT_EQ(f[0], vx::FormatInt(static_cast<long long>(i - 1)));
        for (size_t k = 1; k < 5; ++k) {
            if (f[k] == "-") {
                continue;
            }
            EXPECT_NE(f[k].find('.'), std::string::npos) << f[k];
            EXPECT_GE(f[k].size(), 13u) << f[k];
        }
        const double a = vx::ParseDouble(f[1]);
        const double b = vx::ParseDouble(f[2]);
        if (b == 0.0) {
            EXPECT_EQ(f[3], "-");
            EXPECT_EQ(f[4], "-");
        } else {
            // The columns describe the same pole: 1 + a s + b s^2 = 1 + s/(w Q) + s^2/w^2.
            const double w = vx::ParseDouble(f[3]);
            const double q = vx::ParseDouble(f[4]);
            EXPECT_NEAR(b * w * w, 1.0, 1e-13);
            EXPECT_NEAR(a * w * q, 1.0, 1e-13);
        }
        rows.push_back({a, b});
    }
    return rows;
}

double MagnitudeDb(const std::vector<StageRow>& rows, double w) {
    std::complex<double> denominator = 1.0;
    for (const StageRow& r : rows) {
        denominator *= std::complex<double>(1.0 - r.b * w * w, r.a * w);
    }
    return -20.0 * std::log10(std::abs(denominator));
}

TEST(PolesCommandTest, HelpExplainsTheOptions) {
    const Result r = RunCli("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--characteristic"), std::string::npos);
    EXPECT_NE(r.out.find("--order"), std::string::npos);
    EXPECT_NE(r.out.find("--ripple"), std::string::npos);
    EXPECT_EQ(r.err, "");
}

TEST(PolesCommandTest, BadUsageIsOneLineOnStandardErrorWithStatusTwo) {
    const char* kArguments[] = {
        "",
        "--order 4",
        "--characteristic bessel",
        "--characteristic bessel --order",
        "--characteristic elliptic --order 4",
        "--characteristic bessel --order 0",
        "--characteristic bessel --order 31",
        "--characteristic bessel --order 4.5",
        "--characteristic bessel --order 4x",
        "--characteristic chebyshev --order 4 --ripple 0",
        "--characteristic chebyshev --order 4 --ripple 20.5",
        "--characteristic chebyshev --order 4 --ripple one",
        "--characteristic bessel --order 4 --verbose",
    };
    for (const char* arguments : kArguments) {
        const Result r = RunCli(arguments);
        EXPECT_EQ(r.status, 2) << arguments;
        EXPECT_EQ(r.out, "") << arguments;
        EXPECT_EQ(Lines(r.err).size(), 1u) << arguments << ": " << r.err;
    }
}

TEST(PolesCommandTest, BesselOrderThirtyIsThreeDbDownAtOne) {
    const Result r = RunCli("--characteristic bessel --order 30");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<StageRow> rows = ParseTable(r.out);
    ASSERT_EQ(rows.size(), 15u);
    EXPECT_NEAR(MagnitudeDb(rows, 1.0), 10.0 * std::log10(0.5), 1e-9);
    EXPECT_NEAR(rows.front().a, 0.6300340122966509, 1e-13);
    EXPECT_NEAR(rows.back().b, 0.05243745376260613, 1e-13);
}

TEST(PolesCommandTest, FirstOrderStageShowsDashesAndDecimalPoints) {
    const Result r = RunCli("--characteristic butterworth --order 3");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<StageRow> rows = ParseTable(r.out);
    ASSERT_EQ(rows.size(), 2u);
    const std::vector<std::string> first = Fields(Lines(r.out)[2]);
    EXPECT_EQ(first[1].substr(0, 13), "1.00000000000");
    EXPECT_EQ(first[3], "-");
    EXPECT_NEAR(MagnitudeDb(rows, 1.0), 10.0 * std::log10(0.5), 1e-9);
}

TEST(PolesCommandTest, ChebyshevRippleBandEndsAtOne) {
    const Result odd = RunCli("--characteristic chebyshev --order 5 --ripple 0.5");
    ASSERT_EQ(odd.status, 0) << odd.err;
    EXPECT_NEAR(MagnitudeDb(ParseTable(odd.out), 1.0), -0.5, 1e-9);
    // Without --ripple the characteristic uses 1 dB.
    const Result even = RunCli("--characteristic chebyshev --order 6");
    ASSERT_EQ(even.status, 0) << even.err;
    const std::vector<StageRow> rows = ParseTable(even.out);
    EXPECT_NEAR(MagnitudeDb(rows, 1.0), 0.0, 1e-9);
    EXPECT_NEAR(MagnitudeDb(rows, std::cos(3.141592653589793 / 12.0)), 1.0, 1e-9);
}

// Every table of orders 1 to 30 keeps its columns apart (ParseTable splits at blanks) and
// holds what its header says of Omega = 1.
TEST(PolesCommandTest, EveryTableIsReadableAndTrueToItsHeader) {
    struct Characteristic {
        std::string arguments;
        double rippleDb;  // 0: 3 dB down at Omega = 1
    };
    const Characteristic kCharacteristics[] = {
        {"--characteristic bessel", 0.0},
        {"--characteristic butterworth", 0.0},
        {"--characteristic chebyshev --ripple 0.01", 0.01},
        {"--characteristic chebyshev --ripple 1", 1.0},
        {"--characteristic chebyshev --ripple 20", 20.0},
    };
    int tables = 0;
    for (const Characteristic& c : kCharacteristics) {
        for (int order = 1; order <= 30; ++order) {
            const std::string arguments = c.arguments + " --order " + std::to_string(order);
            SCOPED_TRACE(arguments);
            const Result r = RunCli(arguments);
            ASSERT_EQ(r.status, 0) << r.err;
            const std::vector<StageRow> rows = ParseTable(r.out);
            ASSERT_EQ(rows.size(), static_cast<size_t>((order + 1) / 2));
            const std::string header = Lines(r.out)[0];
            if (c.rippleDb == 0.0 || order == 1) {
                // A first-order Chebyshev is the plain first-order low-pass.
                EXPECT_NE(header.find("3 dB down at Omega = 1"), std::string::npos) << header;
                EXPECT_NEAR(MagnitudeDb(rows, 1.0), 10.0 * std::log10(0.5), 1e-6);
            } else {
                EXPECT_NE(header.find("ripple band ends at Omega = 1"), std::string::npos)
                    << header;
                EXPECT_NEAR(MagnitudeDb(rows, 1.0), order % 2 == 0 ? 0.0 : -c.rippleDb, 1e-6);
            }
            ++tables;
        }
    }
    EXPECT_EQ(tables, 150);
}

}  // namespace
