#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "model/filter_rules.h"
#include "response/rounding_guard.h"
#include "scripted_prompt.h"
#include "session/design_session.h"

namespace vx {
namespace {

struct MatrixSpec {
    FilterType type;
    StructureKind structure;
    Characteristic characteristic;
    int order;
    double gainDb;
    ResistorSeries series;
    int opAmp;
    CapacitorMode mode;
    bool stepless = false;
    double bandwidth = 400.0;  // band-pass
    double quality = 2.0;      // band-stop

    std::string Name() const {
        return "type " + std::to_string(static_cast<int>(type)) + " structure " +
               std::to_string(static_cast<int>(structure)) + " characteristic " +
               std::to_string(static_cast<int>(characteristic)) + " order " +
               std::to_string(order) + " gain " + std::to_string(gainDb) + " E" +
               std::to_string(12 << static_cast<int>(series)) + " op-amp " + std::to_string(opAmp) +
               " mode " + std::to_string(static_cast<int>(mode)) + (stepless ? " stepless" : "") +
               " B " + std::to_string(bandwidth) + " Q " + std::to_string(quality);
    }
};

// Every structure with gains of 0, 6 and 20 dB in E12 to E96 (the third order in E12); order,
// characteristic and op-amp (ideal, LF411, uA741) turn with the index, so that first- and
// second-order stages, entered capacitors, stepless and opened band-pass R2 and low and high
// notch qualities all come up.
std::vector<MatrixSpec> Matrix() {
    using enum FilterType;
    using enum StructureKind;
    const struct Kind {
        FilterType type;
        StructureKind structure;
        std::vector<int> orders;
    } kinds[] = {
        {LOWPASS, SALLEN_KEY, {1, 2, 3, 4, 5}},
        {HIGHPASS, SALLEN_KEY, {3, 4, 5, 1, 2}},
        {LOWPASS, MFB, {2, 3, 4, 5, 1}},
        {HIGHPASS, MFB, {4, 5, 1, 2, 3}},
        {LOWPASS, SALLEN_KEY_X, {3}},
        {HIGHPASS, SALLEN_KEY_X, {3}},
        {BANDPASS, MFB, {2, 4}},
        {BANDREJECT, TWIN_T, {2}},
    };
    const Characteristic characteristics[] = {Characteristic::BESSEL, Characteristic::BUTTERWORTH,
                                              Characteristic::CHEBYCHEV};
    const double qualities[] = {0.5, 2.0, 12.0};
    std::vector<MatrixSpec> specs;
    for (size_t kind = 0; kind < std::size(kinds); ++kind) {
        const Kind& k = kinds[kind];
        const bool thirdOrder = k.structure == SALLEN_KEY_X;
        for (int g = 0; g < 3; ++g) {
            // The third order, the slow search, is searched once per gain and entered once.
            for (const int s : thirdOrder ? std::vector<int>{0, 3} : std::vector<int>{0, 1, 2, 3}) {
                const int n = static_cast<int>(12 * kind) + 4 * g + s;
                MatrixSpec m{k.type,
                             k.structure,
                             characteristics[n % 3],
                             k.orders[static_cast<size_t>(n) % k.orders.size()],
                             g == 0   ? 0.0
                             : g == 1 ? 6.0
                                      : 20.0,
                             thirdOrder ? ResistorSeries::E12 : static_cast<ResistorSeries>(s),
                             n % 3,
                             s == 3 ? CapacitorMode::ENTER : CapacitorMode::OPTIMIZE};
                m.stepless = n % 2 == 1;
                m.bandwidth = s < 2 ? 400.0 : 1500.0;
                m.quality = qualities[g];
                specs.push_back(m);
            }
        }
    }
    return specs;
}

void Specify(CDesignSession& session, const MatrixSpec& m) {
    CFilter& f = session.Filter();
    const int opAmp = session.OpAmps().FindByName(m.opAmp == 0   ? "IDEAL"
                                                  : m.opAmp == 1 ? "LF411"
                                                                 : "uA741");
    if (m.type == FilterType::BANDREJECT) {
        f.SetBandRejectSpecification(m.mode, m.series, opAmp, 2000.0, 10000.0, m.quality);
    } else {
        SpecificationBlock block = f.Specification();
        block.characteristic = m.characteristic;
        block.rippleDb = 1.0;
        block.orderLpHp = m.order;
        block.orderBpBs = m.order;
        block.frequency = 2000.0;
        block.bandwidth = m.bandwidth;
        block.impedance = 10000.0;
        block.gainDb = m.gainDb;
        block.resistorSeries = m.series;
        block.opAmp = opAmp;
        block.capacitorMode = m.mode;
        block.steplessR2 = m.stepless;
        f.SetSpecification(block, m.structure, m.type);
    }
    session.FillCharacteristic();
    if (m.mode == CapacitorMode::ENTER) {
        test::ScriptedPrompt prompt;
        session.Current()->PrepareUntilStable();
        session.Current()->EnterAllCapacitors(true, prompt);
    }
}

// Per stage the values stored are never worse than the rounded ones by the stage's own error;
// the whole filter never ends farther from its target than rounding; and the curves the design
// leaves are those of the values it stored.
TEST(StageLoops, NoStageAndNoFilterEndsWorseThanRounding) {
    int filterChecks = 0;
    int stageChecks = 0;
    int openedR2 = 0;
    for (const MatrixSpec& m : Matrix()) {
        SCOPED_TRACE(m.Name());
        CDesignSession session;
        Specify(session, m);
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        ASSERT_EQ(session.Filter().GetDesignState(), DesignState::DESIGNED);
        const CFilterStructure& structure = *session.Current();
        for (int i = 0; i < structure.StageCount(); ++i) {
            const StageOutcome& o = structure.Outcome(i);
            EXPECT_LE(o.finalError, o.roundedError) << "stage " << i;
            filterChecks += o.roundedByFilter ? 1 : 0;
            stageChecks += o.roundedByStage ? 1 : 0;
            if (m.type == FilterType::BANDPASS &&
                session.Filter().Value(ComponentSlot::R2, i) == kOpenResistor) {
                ++openedR2;
            }
        }
        const ResponseCurves& c = session.Curves();
        if (m.structure != StructureKind::SALLEN_KEY_X) {
            EXPECT_LE(WorstDeviationDb(c.target.Values(), c.filter.Values()),
                      WorstDeviationDb(c.target.Values(), c.traditional.Values()));
        }
        const std::vector<double> filter = c.filter.Values();
        const std::vector<double> groupDelay = c.groupDelay.Values();
        ASSERT_TRUE(session.RecomputeCurves());
        EXPECT_EQ(c.filter.Values(), filter);
        EXPECT_EQ(c.groupDelay.Values(), groupDelay);
    }
    // The matrix reaches both fallbacks and a band-pass with R2 left open.
    EXPECT_GT(filterChecks, 0);
    EXPECT_GT(stageChecks, 0);
    EXPECT_GT(openedR2, 0);
}

}  // namespace
}  // namespace vx
