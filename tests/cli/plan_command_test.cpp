#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/commands.h"

namespace vx {
namespace {

// The command refuses what it cannot plan with the reason (the input checks' message naming the
// field), and plans the rest: a row a characteristic, the order empty where order 30 is not
// enough, the limits' verdict where the scheme has limits.
TEST(PlanCommand, RefusesWithTheReasonAndPlansAsCsv) {
    struct Case {
        cli::Args args;
        int status;
        const char* says;  // in the output (status 0) or on standard error
    };
    const Case cases[] = {
        {{"lowpass", "--passband", "1k:1", "--stopband", "3k:40", "--csv"}, 0, "butterworth,,5,"},
        {{"lowpass", "--passband", "1k:1", "--stopband", "3k:40", "--csv"},
         0,
         "bessel,,,,,,,,,0\n"},
        {{"highpass", "--passband", "3k:1", "--stopband", "1k:40", "--csv"}, 0, "chebyshev,1,4,"},
        {{"bandpass", "--passband", "1k:2k:1", "--stopband", "500:4k:40", "--csv"},
         0,
         "butterworth,,10,1414.21,"},
        {{"bandreject", "--passband", "500:2k:1", "--stopband", "950:1.05k:10", "--csv"},
         0,
         "butterworth,,2,1000,"},
        {{"lowpass", "--passband", "1k:1", "--stopband", "3k:40", "--overshoot", "13"},
         0,
         "Butterworth\t5\t3\t-\t3\t1169 Hz\t0,92 dB\t35,7 %\t12,8 %\terfüllt"},
        {{"lowpass", "--passband", "1k:1", "--stopband", "500:40"},
         2,
         "\"Sperrgrenze\" ist ungültig"},
        {{"lowpass", "--passband", "1k:10", "--stopband", "3k:5"}, 2, "Sperrbereich muss größer"},
        {{"highpass", "--passband", "1k:1", "--stopband", "300:40", "--delay-variation", "5"},
         2,
         "nur für Tiefpässe und Bandpässe"},
        {{"bandpass", "--passband", "1k:1", "--stopband", "3k:40"}, 2, "need F1:F2:DB"},
        {{"lowpass", "--passband", "1k:x", "--stopband", "3k:40"},
         2,
         "\"Max. Dämpfung im Durchlassbereich\" liegt außerhalb"},
    };
    for (const Case& c : cases) {
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const int status = cli::RunPlan(c.args);
        const std::string out = ::testing::internal::GetCapturedStdout();
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, c.status) << c.args.front();
        EXPECT_NE((status == 0 ? out : err).find(c.says), std::string::npos) << out << err;
    }
}

}  // namespace
}  // namespace vx
