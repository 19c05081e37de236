#include "structures/filter_structure.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "../support/deadline.h"
#include "model/character.h"
#include "model/hp_lp_input.h"
#include "model/stage_gain_input.h"
#include "session/design_session.h"
#include "structures/design_messages.h"

namespace vx {
namespace {

struct Unrealisable {
    const char* what;
    FilterType type;
    StructureKind structure;
    Characteristic characteristic;
    double rippleDb;
    int order;
    double frequency;
    double impedance;
    double gainDb;
    ResistorSeries series;
    const char* opAmp;
    GainDistribution distribution = GainDistribution::EQUAL;
};

// Specifications the input checks accept whose exact dimensioning would need capacitors far
// below 1 pF. They once aborted the program (a standard value of a number that is not finite) or,
// the third-order one, stepped the value 0 up the series forever.
TEST(FilterStructure, UnrealisableSpecificationsEndWithAMessage) {
    using enum FilterType;
    using enum StructureKind;
    using enum Characteristic;
    const Unrealisable cases[] = {
        {"Sallen-Key, 155 dB", LOWPASS, SALLEN_KEY, BUTTERWORTH, 1.0, 2, 62.9196e6, 91.1755e6,
         155.1, ResistorSeries::E12, "uA741"},
        {"multiple feedback, 190 dB", LOWPASS, MFB, BUTTERWORTH, 1.0, 2, 22.1671e6, 1.54605e6,
         190.4, ResistorSeries::E24, "LF411"},
        {"third order, 112 dB", LOWPASS, SALLEN_KEY_X, CHEBYCHEV, 0.00476567, 3, 1.5683e6, 786255.0,
         112.0, ResistorSeries::E96, "uA741"},
        {"Sallen-Key high-pass by Q, 179 dB", HIGHPASS, SALLEN_KEY, BESSEL, 1.0, 3, 54888517.7,
         724621366.0, 179.398, ResistorSeries::E12, "IDEAL", GainDistribution::EQUAL_GBP},
    };
    for (const Unrealisable& c : cases) {
        SCOPED_TRACE(c.what);
        CDesignSession session;
        HpLpInput in;
        in.characteristic = c.characteristic;
        in.rippleDb = c.rippleDb;
        in.order = c.order;
        in.frequency = c.frequency;
        in.impedance = c.impedance;
        in.gainDb = c.gainDb;
        in.series = c.series;
        in.opAmp = session.OpAmps().FindByName(c.opAmp);
        in.distribution = c.distribution;
        ASSERT_FALSE(
            AcceptHpLpInput(in, c.type, c.structure, session.Filter(), session.Character()));
        bool designed = true;
        test::RunWithDeadline(c.what, std::chrono::seconds(120), [&] {
            SilentMonitor monitor;
            designed = session.Design(monitor);
        });
        EXPECT_FALSE(designed);
        const std::optional<UserMessage> failure = session.DesignFailure();
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->caption, StageNotRealisableMessage(1).caption);
        EXPECT_EQ(failure->text.rfind("Die Filterstufe ", 0), 0u) << failure->text;
        EXPECT_EQ(session.Filter().GetDesignState(), DesignState::CANCELLED);
        for (int stage = 0; stage < session.Filter().StageCount(); ++stage) {
            for (int slot = 0; slot < session.Filter().ComponentCount(stage); ++slot) {
                EXPECT_TRUE(std::isfinite(session.Filter().ComponentValue(slot, stage)));
            }
        }
    }
}

// The gain network of a Sallen-Key stage cannot attenuate. The input refuses such stage gains;
// a record that carries them anyway (a file) ends its design with the same message.
TEST(FilterStructure, SallenKeyStageGainsBelowOneAreRefused) {
    CDesignSession session;
    CFilter& filter = session.Filter();
    filter.SetStageGain(0, 4.0);
    filter.SetStageGain(1, 0.5);
    HpLpInput in;
    in.characteristic = Characteristic::BUTTERWORTH;
    in.order = 4;
    in.gainDb = 6.0;
    in.distribution = GainDistribution::VALUES;
    const auto refused = AcceptHpLpInput(in, FilterType::HIGHPASS, StructureKind::SALLEN_KEY,
                                         filter, session.Character());
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->focus, HpLpField::STAGE_GAINS);
    EXPECT_EQ(refused->message.text,
              "Der eingegebene Wert für die Stufe 2 ist kleiner als 1.\n\nEine Sallen-Key-Stufe "
              "kann nicht abschwächen.");
    // The inverting multiple-feedback stages take any positive gain.
    ASSERT_FALSE(
        AcceptHpLpInput(in, FilterType::HIGHPASS, StructureKind::MFB, filter, session.Character()));

    SpecificationBlock block = filter.Specification();
    filter.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::HIGHPASS);
    SilentMonitor monitor;
    EXPECT_FALSE(session.Design(monitor));
    EXPECT_EQ(session.DesignFailure(), refused->message);
    EXPECT_EQ(filter.GetDesignState(), DesignState::CANCELLED);
}

}  // namespace
}  // namespace vx
