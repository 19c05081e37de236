#include "structures/capacitors/capacitor_choice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "../design_fixture.h"
#include "model/standard_value.h"

namespace vx {
namespace {

TEST(CapacitorChoice, ProposalIsRaisedToAnE12ValueAtTheMinimum) {
    EXPECT_EQ(CapacitorProposal(10e-9, 1e-12), 10e-9);
    EXPECT_DOUBLE_EQ(CapacitorProposal(10e-9, 13e-9), 15e-9);
    EXPECT_DOUBLE_EQ(CapacitorProposal(10e-9, 12e-9), 12e-9);
    EXPECT_TRUE(CapacitorEntryAccepted(12e-9, 12e-9));  // the minimum itself is fine
    EXPECT_FALSE(CapacitorEntryAccepted(11.9e-9, 12e-9));
    EXPECT_EQ(CapacitorPromptTitle("C2", 3, 7), "Kapazität vorgeben: C2 in Stufe 3 von 7");
}

TEST(CapacitorChoice, EntryTextIsReadOrRefusedWithTheMessageNamingTheField) {
    const std::string c2Range =
        "Der Wert des Parameters \"C2\" liegt außerhalb des zulässigen Bereichs [ >= 22 nF "
        "].\n\nBitte korrigieren Sie Ihre Eingaben.";
    const std::string below = "Der eingegebene Wert ist kleiner als der zulässige Mindestwert.";
    const struct {
        const char* text;
        double minimum;
        double value;  // 0 when refused
        std::string message;
    } cases[] = {
        {"22n", 22e-9, 22e-9, ""},
        {"21n", 22e-9, 0.0, below},
        {"abc", 22e-9, 0.0, c2Range},
        {"", 22e-9, 0.0, c2Range},
        {"n", 22e-9, 0.0, c2Range},
        {"abc", 0.0, 0.0,
         "Der Wert des Parameters \"C2\" liegt außerhalb des zulässigen Bereichs [ >= 0 ].\n\n"
         "Bitte korrigieren Sie Ihre Eingaben."},
        {",5u", 0.0, 0.5e-6, ""},
    };
    for (const auto& c : cases) {
        const auto read = ReadCapacitorEntry(c.text, "C2", c.minimum);
        if (c.message.empty()) {
            EXPECT_DOUBLE_EQ(std::get<double>(read), c.value) << c.text;
        } else {
            EXPECT_EQ(std::get<UserMessage>(read), (UserMessage{"Eingabefehler", c.message}))
                << c.text;
        }
    }
}

TEST(CapacitorChoice, E12BoundsEndForEveryMinimumAndMaximum) {
    // A minimum below the rounding's zero limit once stepped forever from the value 0.
    const struct {
        double limit;
        double atOrAbove;
        double atOrBelow;
    } cases[] = {
        {15e-9, 15e-9, 15e-9},   {16e-9, 18e-9, 15e-9}, {1e-12, 1e-12, 1e-12},
        {3e-15, 1e-12, 2.7e-15}, {1e-25, 1e-12, 0.0},   {0.0, 0.0, 0.0},
        {-1e-9, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(E12AtOrAbove(c.limit), c.atOrAbove) << c.limit;
        EXPECT_NEAR(E12AtOrBelow(c.limit), c.atOrBelow, 1e-6 * c.atOrBelow) << c.limit;
    }
    EXPECT_TRUE(std::isnan(E12AtOrAbove(NAN)));
}

TEST(CapacitorChoice, MismatchProposalsAreE12ValuesThatSatisfyTheRatio) {
    for (const double ratio : {0.37, 1.0, 2.0, 3.3, 7.77}) {
        for (const double c1 : {1e-9, 3.3e-9, 47e-9}) {
            const double c2 = 0.5 * ratio * c1;
            const MismatchOptions o = MakeMismatchOptions(2, c1, c2, ratio);
            EXPECT_DOUBLE_EQ(o.proposedC2, RoundedToSeries(o.proposedC2, 12));
            EXPECT_DOUBLE_EQ(o.proposedC1, RoundedToSeries(o.proposedC1, 12));
            EXPECT_FALSE(CheckNewC2(c1, o.proposedC2, ratio).has_value());
            EXPECT_FALSE(CheckNewC1(o.proposedC1, c2, ratio).has_value());
        }
    }
    const MismatchOptions o = MakeMismatchOptions(2, 10e-9, 15e-9, 2.0);
    EXPECT_EQ(o.text.rfind("Die Filterstufe 2 dieses Filters kann mit den gespeicherten "
                           "Kapazitäten\n\nC1 = 10 nF  und  C2 = 15 nF  nicht realisiert",
                           0),
              0u);
    EXPECT_NE(o.text.find("C2/C1 < 2.000000 ist."), std::string::npos);
    EXPECT_EQ(o.changeC2, "C2 ändern (Mindestwert: 22 nF).");
    EXPECT_EQ(o.changeC1, "C1 ändern (Maximalwert: 6,8 nF).");
    EXPECT_EQ(CheckNewC2(10e-9, 18e-9, 2.0)->caption, "Fehler: C2 zu klein");
    EXPECT_EQ(CheckNewC1(10e-9, 18e-9, 2.0)->caption, "Fehler: C1 zu groß");
    // An entry that is no number, and a C1 of 0, which reached any ratio, name the field.
    const std::string c1Range =
        "\"C1\" liegt außerhalb des zulässigen Bereichs [ > 0  und  <= 7,5 nF ]";
    EXPECT_NE(CheckNewC1(std::nan(""), 15e-9, 2.0)->text.find(c1Range), std::string::npos);
    EXPECT_NE(CheckNewC1(0.0, 15e-9, 2.0)->text.find(c1Range), std::string::npos);
    EXPECT_NE(CheckNewC2(10e-9, std::nan(""), 2.0)
                  ->text.find("\"C2\" liegt außerhalb des zulässigen Bereichs [ >= 20 nF ]"),
              std::string::npos);
}

TEST(CapacitorChoice, EditedCapacitorsAreCheckedAndRecomputeEveryStage) {
    CDesignSession session;
    test::Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                  Characteristic::BUTTERWORTH, 3, 1000.0, 0.0, ResistorSeries::E24, 0,
                  CapacitorMode::ENTER);
    CFilterStructure& s = *session.Current();
    s.PrepareUntilStable();
    std::vector<StageCapacitors> caps = {{22e-9, 0.0}, {10e-9, 15e-9}};
    const auto message = CheckEditedCapacitors(s, caps);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->text,
              "Der Wert von C2 in Stufe 2 ist kleiner als der zulässige Mindestwert.");
    caps[1].second = 47e-9;
    EXPECT_FALSE(CheckEditedCapacitors(s, caps).has_value());
    ApplyEditedCapacitors(s, caps);
    EXPECT_EQ(session.Filter().Value(ComponentSlot::C1, 0), 22e-9);
    EXPECT_EQ(session.Filter().Value(ComponentSlot::C2, 1), 47e-9);
    const std::vector<StageCapacitors> stored = StoredCapacitors(s);
    EXPECT_EQ(stored[1].first, 10e-9);
    EXPECT_GT(session.Filter().Value(ComponentSlot::R2, 1), 0.0);
}

TEST(CapacitorChoice, EditingAcceptsTheCapacitorsADesignChose) {
    // The capacitor searches of the low-passes may end with C2/C1 under the ratio that
    // dimensioning from the capacitors asks for: by a fraction of a percent for the ideal
    // op-amp, by half for a real one at 1 GHz.
    const struct {
        StructureKind structure;
        int order;
        double frequency;
        double gainDb;
        int opAmp;
    } cases[] = {
        {StructureKind::MFB, 30, 1e9, 0.0, 1},
        {StructureKind::MFB, 10, 1e3, 0.0, 0},
        {StructureKind::SALLEN_KEY, 30, 1e3, 6.0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.structure) << " " << c.frequency);
        CDesignSession session;
        test::Specify(session, FilterType::LOWPASS, c.structure, Characteristic::BUTTERWORTH,
                      c.order, c.frequency, c.gainDb, ResistorSeries::E24, c.opAmp);
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        CFilterStructure& s = *session.Current();
        s.PrepareUntilStable();  // as the command does before the dialog opens
        std::vector<StageCapacitors> caps = StoredCapacitors(s);
        EXPECT_EQ(CheckEditedCapacitors(s, caps), std::nullopt);
        // Under the ratio a smaller C2 is still refused, and so is the designed C2 once C1 grows.
        const auto under = std::find_if(caps.begin(), caps.end(), [&](const StageCapacitors& p) {
            const auto i = static_cast<int>(&p - caps.data());
            return !s.IsFirstOrderStage(i) && p.second < s.MinimumCapacitor(i, 1, p.first);
        });
        ASSERT_NE(under, caps.end());
        const StageCapacitors designed = *under;
        under->second = designed.second * 0.99;
        EXPECT_NE(CheckEditedCapacitors(s, caps), std::nullopt);
        *under = {designed.first * 1.2, designed.second};
        EXPECT_NE(CheckEditedCapacitors(s, caps), std::nullopt);
    }
}

TEST(CapacitorChoice, EnteredCapacitorsAreAskedForOncePerOrder) {
    CFilter filter;
    SpecificationBlock b = filter.Specification();
    b.orderLpHp = 4;
    filter.SetSpecification(b, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    EXPECT_TRUE(CapacitorsMustBeAsked(filter));
    KeepEditedCapacitors(filter);
    EXPECT_EQ(filter.GetCapacitorMode(), CapacitorMode::ENTER);
    EXPECT_EQ(filter.CapsEnteredOrder(), 4);
    EXPECT_FALSE(CapacitorsMustBeAsked(filter));
    b.orderLpHp = 6;
    filter.SetSpecification(b, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    EXPECT_TRUE(CapacitorsMustBeAsked(filter));
    // The multiple-feedback high-pass asks every time.
    filter.SetSpecification(b, StructureKind::MFB, FilterType::HIGHPASS);
    filter.SetCapsEnteredOrder(6);
    EXPECT_TRUE(CapacitorsMustBeAsked(filter));
    // Only the third-order structure refuses edited capacitors.
    EXPECT_FALSE(CapacitorEditRefusal(filter));
    filter.SetSpecification(b, StructureKind::SALLEN_KEY_X, FilterType::HIGHPASS);
    ASSERT_TRUE(CapacitorEditRefusal(filter));
    EXPECT_EQ(CapacitorEditRefusal(filter)->caption, "Kapazitäten ändern");
}

}  // namespace
}  // namespace vx
