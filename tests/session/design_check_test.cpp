#include "session/design_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "../support/cli_runner.h"
#include "session/design_session.h"
#include "session/stored_capacitor_prompt.h"
#include "structures/design_monitor.h"

namespace vx {
namespace {

std::vector<std::string> FindingsOf(const std::filesystem::path& file) {
    CDesignSession session;
    SilentMonitor monitor;
    StoredCapacitorPrompt prompt;
    const LoadResult r = session.LoadAndDesign(file, monitor, prompt);
    EXPECT_EQ(r.outcome, LoadOutcome::DESIGNED) << file;
    if (r.outcome != LoadOutcome::DESIGNED) {
        return {};
    }
    return session.Findings();
}

size_t CountContaining(const std::vector<std::string>& findings, const std::string& part) {
    return static_cast<size_t>(std::count_if(findings.begin(), findings.end(), [&](auto& f) {
        return f.find(part) != std::string::npos;
    }));
}

struct FlawedDesign {
    const char* name;
    const char* options;   // for `veltranix-cli new`
    const char* passBand;  // the worst deviation as the pass-band finding names it, or ""
    size_t slowStages;     // stages the op-amp is too slow for
    const char* part;      // one part out of range, or ""
};

TEST(DesignCheck, WarnsOfEachFlawOfADesign) {
    const FlawedDesign designs[] = {
        {"check_bp.vxs",
         "bandpass mfb --characteristic chebyshev --ripple 1 --order 30 --frequency 1k "
         "--bandwidth 200 --gain-db 20 --opamp uA741 --series E192 --search neighbours",
         "um bis zu 23 dB über der Sollkurve (bei 947 Hz)", 15,
         "Stufe 15: R2 = 1,02 Ohm liegt außerhalb"},
        {"check_sk.vxs",
         "lowpass sk --characteristic chebyshev --ripple 3 --order 8 --frequency 100k "
         "--gain-db 10 --opamp uA741 --search neighbours",
         "um bis zu 1,61 dB", 4, ""},
        {"check_hp200.vxs",
         "highpass skx --order 3 --frequency 1k --gain-db 200 --search neighbours",
         "um bis zu 39,4 dB unter der Sollkurve", 0, "Stufe 1: R2 = 120 TOhm liegt außerhalb"},
        {"check_ohm.vxs", "lowpass sk --impedance 1", "", 0,
         "Stufe 1: C2 = 270 uF liegt außerhalb dessen, was sich bauen lässt (10 pF bis 10 uF)."},
    };
    for (const FlawedDesign& d : designs) {
        SCOPED_TRACE(d.name);
        const std::string file = ::testing::TempDir() + d.name;
        ASSERT_EQ(test::RunCli(std::string("new ") + d.options + " -o " + file).status, 0);
        const std::vector<std::string> findings = FindingsOf(file);
        EXPECT_EQ(CountContaining(findings, "Ihr Filter liegt im Durchlassbereich"),
                  *d.passBand ? 1u : 0u);
        if (*d.passBand) {
            EXPECT_EQ(CountContaining(findings, d.passBand), 1u);
        }
        EXPECT_EQ(CountContaining(findings,
                                  "Der Operationsverstärker uA741 hat ein "
                                  "Verstärkungs-Bandbreite-Produkt von 993 kHz"),
                  d.slowStages);
        if (*d.part) {
            EXPECT_EQ(CountContaining(findings, d.part), 1u);
        } else {
            EXPECT_EQ(CountContaining(findings, "außerhalb"), 0u);
        }
    }
}

TEST(DesignCheck, NamesEachStageWhoseSearchLeftTheImpedanceWindow) {
    // The multiple-feedback high-pass spreads its resistors with the pole quality: its stages of
    // higher Q cannot keep within a factor 3,16.
    const struct {
        const char* options;
        size_t widened;
    } designs[] = {
        {"highpass mfb --order 10 --characteristic chebyshev --series E96 --gain-db 6", 4},
        {"highpass mfb --order 10 --characteristic chebyshev --series E96 --gain-db 6 "
         "--search neighbours",
         0},
        {"lowpass sk --order 8 --characteristic chebyshev --series E96", 0},
    };
    for (const auto& d : designs) {
        SCOPED_TRACE(d.options);
        const std::string file = ::testing::TempDir() + "window.vxs";
        ASSERT_EQ(test::RunCli(std::string("new ") + d.options + " -o " + file).status, 0);
        const std::vector<std::string> findings = FindingsOf(file);
        EXPECT_EQ(CountContaining(findings, "Im Impedanzfenster 3,16 liegen keine Werte"),
                  d.widened);
    }
}

TEST(DesignCheck, FindsNothingInTheShippedExamples) {
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(VX_SOURCE_DIR) / "examples")) {
        if (entry.path().extension() == ".vxs") {
            SCOPED_TRACE(entry.path().filename().string());
            EXPECT_EQ(FindingsOf(entry.path()), std::vector<std::string>{});
        }
    }
}

}  // namespace
}  // namespace vx
