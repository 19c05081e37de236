#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/commands.h"

namespace vx {
namespace {

// The command refuses what it cannot plan with the reason, and plans the rest as CSV: a row a
// characteristic, the order empty where order 30 is not enough.
TEST(PlanCommand, RefusesWithTheReasonAndPlansAsCsv) {
    struct Case {
        cli::Args args;
        int status;
        const char* says;  // in the output (status 0) or on standard error
    };
    const Case cases[] = {
        {{"lowpass", "--passband", "1k:1", "--stopband", "3k:40", "--csv"}, 0, "butterworth,,5,"},
        {{"lowpass", "--passband", "1k:1", "--stopband", "3k:40", "--csv"}, 0, "bessel,,,,,,\n"},
        {{"highpass", "--passband", "3k:1", "--stopband", "1k:40", "--csv"}, 0, "chebyshev,1,4,"},
        {{"lowpass", "--passband", "1k:1", "--stopband", "500:40"}, 2, "stop-band edge above"},
        {{"lowpass", "--passband", "1k:40", "--stopband", "3k:1"}, 2, "AMIN must be above"},
        {{"bandpass", "--passband", "1k:1", "--stopband", "3k:40"}, 2, "not planned yet"},
        {{"lowpass", "--passband", "1k", "--stopband", "3k:40"}, 2, "--passband needs F:DB"},
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
