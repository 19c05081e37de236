#include "session/design_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../structures/scripted_prompt.h"
#include "model/circuit_pairs.h"
#include "report/schematic_pictures.h"
#include "session/stored_capacitor_prompt.h"
#include "structures/design_messages.h"

namespace vx {
namespace {

// A Butterworth Sallen-Key low-pass without gain needs C2/C1 >= 2; 22n and 10n cannot work.
const std::string kEnteredMismatch =
    "[FILTER]\nTYPE=LOWPASS\nSTRUCTURE=SK\nFREQUENCY=1000\nGAIN_DB=0\nCHARACTERISTIC=BUTTERWORTH\n"
    "ORDER=2\nIMPEDANCE=10000\nRESISTORS=E24\nOPAMP=IDEAL\nSEQUENCE=HIGH_LEVEL\n"
    "CAPACITORS=ENTER\n[STAGE 1]\nC1=22E-9\nC2=10E-9\n";
// A multiple-feedback stage with Q = 10 gives at most about 2 Q^2 (46 dB), not 60 dB.
const std::string kBandPassTooMuchGain =
    "[FILTER]\nTYPE=BANDPASS\nSTRUCTURE=MFB\nFREQUENCY=1000\nBANDWIDTH=100\nGAIN_DB=60\n"
    "CHARACTERISTIC=BESSEL\nORDER=2\nIMPEDANCE=10000\nRESISTORS=E24\nOPAMP=IDEAL\n"
    "SEQUENCE=HIGH_LEVEL\nCAPACITORS=OPTIMIZE\n";

std::filesystem::path Write(const std::string& name, const std::string& content) {
    const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

class CancelAtOnce final : public DesignMonitor {
  public:
    void Report(const DesignProgress&) override {}
    bool CancelRequested() override { return true; }
};

// The session and the schematic choice serve the same pairs (the reader test refuses others).
TEST(DesignSession, ServesExactlyThePairsThatHaveACircuit) {
    CDesignSession session;
    int served = 0;
    for (int t = 0; t < 4; ++t) {
        for (int s = 0; s < 4; ++s) {
            const auto type = static_cast<FilterType>(t);
            const auto structure = static_cast<StructureKind>(s);
            SCOPED_TRACE(testing::Message() << t << " " << s);
            const bool circuit = HasCircuit(type, structure);
            served += circuit ? 1 : 0;
            EXPECT_EQ(session.StructureFor(type, structure) != nullptr, circuit);
            EXPECT_EQ(ChooseSchematicPicture(type, structure, 0.0).has_value(), circuit);
        }
    }
    EXPECT_EQ(served, 8);
}

TEST(DesignSessionLoad, AFileThatDoesNotLoadChangesNothing) {
    CDesignSession session;
    SilentMonitor monitor;
    StoredCapacitorPrompt prompt;
    const LoadResult r = session.LoadAndDesign(Write("session_bad.vxs", "[FILTER]\nTYPE=LOWPASS\n"),
                                               monitor, prompt);
    EXPECT_EQ(r.outcome, LoadOutcome::NOT_LOADED);
    ASSERT_EQ(r.messages.size(), 2u);
    EXPECT_EQ(r.messages[0].caption, "Fehler in Spezifikationsdatei");
    EXPECT_EQ(r.messages[1].caption, "Spezifikation laden");
    EXPECT_EQ(session.Filter().GetDesignState(), DesignState::NONE);
    EXPECT_EQ(session.Filter().documentName, "Filter1");
}

TEST(DesignSessionLoad, EnteredCapacitorsGoThroughThePrompt) {
    const std::filesystem::path file = Write("session_entered.vxs", kEnteredMismatch);
    {
        // Nobody to repair the pair: the entry is refused and nothing is designed.
        CDesignSession session;
        SilentMonitor monitor;
        StoredCapacitorPrompt prompt;
        const LoadResult r = session.LoadAndDesign(file, monitor, prompt);
        EXPECT_EQ(r.outcome, LoadOutcome::CAPACITORS_REFUSED);
        EXPECT_TRUE(r.messages.empty());
        ASSERT_TRUE(prompt.Error());
        EXPECT_NE(prompt.Error()->text.find("C2/C1 < 2"), std::string::npos)
            << prompt.Error()->text;
        EXPECT_EQ(session.Filter().GetDesignState(), DesignState::CANCELLED);
    }
    // A user who repairs it gets the design with the repaired capacitors.
    CDesignSession session;
    SilentMonitor monitor;
    test::ScriptedPrompt prompt;
    prompt.repairs.push_back(std::pair{10e-9, 22e-9});
    const LoadResult r = session.LoadAndDesign(file, monitor, prompt);
    ASSERT_EQ(r.outcome, LoadOutcome::DESIGNED);
    EXPECT_EQ(prompt.mismatches.size(), 1u);
    const CFilter& f = session.Filter();
    EXPECT_DOUBLE_EQ(f.Value(ComponentSlot::C1, 0), 10e-9);
    EXPECT_DOUBLE_EQ(f.Value(ComponentSlot::C2, 0), 22e-9);
    EXPECT_EQ(f.GetDesignState(), DesignState::DESIGNED);
    // The loaded specification is named after its file and counts as saved.
    EXPECT_EQ(f.documentName, "session_entered");
    EXPECT_FALSE(f.specModified);
}

TEST(DesignSessionLoad, ReportsALoweredGainOnceAndStopsWhenCancelled) {
    const std::filesystem::path file = Write("session_bandpass.vxs", kBandPassTooMuchGain);
    CDesignSession session;
    SilentMonitor monitor;
    StoredCapacitorPrompt prompt;
    LoadResult r = session.LoadAndDesign(file, monitor, prompt);
    EXPECT_EQ(r.outcome, LoadOutcome::DESIGNED);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_NE(r.messages[0].text.find("auf 46,01 dB reduziert"), std::string::npos);
    EXPECT_FALSE(session.Filter().gainReduced);

    CancelAtOnce cancel;
    r = session.LoadAndDesign(file, cancel, prompt);
    EXPECT_EQ(r.outcome, LoadOutcome::CANCELLED);
    EXPECT_EQ(session.Filter().GetDesignState(), DesignState::CANCELLED);
}

TEST(DesignSession, ACancelledRedesignBringsBackTheModifiedDesign) {
    const std::filesystem::path file = Write("session_kept.vxs", kBandPassTooMuchGain);
    CDesignSession session;
    SilentMonitor monitor;
    StoredCapacitorPrompt prompt;
    ASSERT_EQ(session.LoadAndDesign(file, monitor, prompt).outcome, LoadOutcome::DESIGNED);
    CFilter& f = session.Filter();
    f.specModified = true;
    const std::optional<DesignSnapshot> kept = session.KeepDesign();
    ASSERT_TRUE(kept.has_value());
    const StageEntry stage = f.Stage(0);
    const std::vector<double> curve = session.Curves().filter.Values();

    CancelAtOnce cancel;
    session.Design(cancel);
    ASSERT_EQ(f.GetDesignState(), DesignState::CANCELLED);
    EXPECT_TRUE(session.RestoreIfUndone(kept));
    EXPECT_EQ(f.GetDesignState(), DesignState::DESIGNED);
    EXPECT_TRUE(f.Stage(0) == stage);
    EXPECT_EQ(session.Curves().filter.Values(), curve);
    EXPECT_TRUE(f.specModified);

    // A finished run stays; nothing kept restores nothing.
    ASSERT_TRUE(session.Design(monitor));
    EXPECT_FALSE(session.RestoreIfUndone(kept));
    session.Design(cancel);
    EXPECT_FALSE(session.RestoreIfUndone(std::nullopt));
    EXPECT_FALSE(session.KeepDesign().has_value());
}

TEST(DesignSessionLoad, SaysWhyASpecificationCannotBeRealised) {
    // The capacitors of this stage would have to be far below 1 pF.
    const std::filesystem::path file = Write(
        "session_unrealisable.vxs",
        "[FILTER]\nTYPE=LOWPASS\nSTRUCTURE=SK\nFREQUENCY=62.9196E6\nGAIN_DB=155.1\n"
        "CHARACTERISTIC=BUTTERWORTH\nORDER=2\nIMPEDANCE=91.1755E6\nRESISTORS=E12\nOPAMP=uA741\n"
        "SEQUENCE=HIGH_LEVEL\nCAPACITORS=OPTIMIZE\n");
    CDesignSession session;
    SilentMonitor monitor;
    StoredCapacitorPrompt prompt;
    const LoadResult r = session.LoadAndDesign(file, monitor, prompt);
    EXPECT_EQ(r.outcome, LoadOutcome::NOT_REALISABLE);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], StageNotRealisableMessage(1));
    EXPECT_EQ(session.Filter().GetDesignState(), DesignState::CANCELLED);
}

}  // namespace
}  // namespace vx
