#include "cli/cli_output.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace vx::cli {
namespace {

struct Guarded {
    int status;
    std::string err;
};

Guarded RunAndRead(const std::function<int()>& command) {
    std::FILE* err = std::tmpfile();
    Guarded result{RunGuarded(command, err), {}};
    std::rewind(err);
    for (int c = std::fgetc(err); c != EOF; c = std::fgetc(err)) {
        result.err += static_cast<char>(c);
    }
    std::fclose(err);
    return result;
}

// Whatever a command throws ends as one line on standard error and a failure status.
TEST(RunGuarded, TurnsAnEscapingExceptionIntoOneLineAndAStatus) {
    const Guarded ok = RunAndRead([] { return 1; });
    EXPECT_EQ(ok.status, 1);
    EXPECT_EQ(ok.err, "");

    const Guarded thrown = RunAndRead(
        []() -> int { throw std::invalid_argument("standard value of a non-finite number"); });
    EXPECT_EQ(thrown.status, kInternalError);
    EXPECT_EQ(thrown.err,
              "Interner Fehler: Die Aktion wurde wegen eines internen Fehlers abgebrochen "
              "(standard value of a non-finite number).\n");

    const Guarded odd = RunAndRead([]() -> int { throw 42; });
    EXPECT_EQ(odd.status, kInternalError);
    EXPECT_NE(odd.err.find("Interner Fehler: "), std::string::npos);
}

}  // namespace
}  // namespace vx::cli
