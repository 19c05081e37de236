#include "spice/spice_messages.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

// The texts no other test pins whole.
TEST(SpiceMessages, WholeTextsWithTheirParameters) {
    using namespace spice_text;
    const std::pair<std::string, std::string> cases[] = {
        {CannotStartText("/opt/ngspice -b"),
         "Die Spice-Applikation konnte nicht gestartet werden: /opt/ngspice -b"},
        {ExampleHint("/tmp"), "z. B. /tmp"},
        {NothingToCompareMessage(40.0).text,
         "Kein Frequenzpunkt der Simulation liegt weniger als 40 dB unter dem Maximum."},
    };
    for (const auto& [got, expected] : cases) {
        EXPECT_EQ(got, expected);
    }
    EXPECT_EQ(NothingToCompareMessage(40.0).caption, "Spice-Vergleich");
}

}  // namespace
}  // namespace vx
