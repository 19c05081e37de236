#pragma once

#include <cstring>
#include <vector>

#include "model/opv.h"
#include "scripted_prompt.h"
#include "session/design_session.h"
#include "structures/filter_structure.h"

namespace vx::test {

// One specification for comparing searches; small series keep the straightforward search quick.
struct SearchCase {
    const char* name;
    FilterType type;
    StructureKind structure;
    Characteristic characteristic;
    int order;
    ResistorSeries series;
    CapacitorMode mode = CapacitorMode::OPTIMIZE;
    double gainDb = 0.0;
    bool equalCapacitors = false;
    bool stepless = false;
    double frequency = 1000.0;
    const char* opAmp = "LF411";
    SearchMethod search = SearchMethod::NEIGHBOURS;
    double window = kDefaultImpedanceWindow;
};

inline const std::vector<SearchCase>& SearchCases() {
    using enum FilterType;
    using enum StructureKind;
    using enum Characteristic;
    using enum ResistorSeries;
    static const std::vector<SearchCase> cases = {
        {"SallenKeyLowPass", LOWPASS, SALLEN_KEY, BUTTERWORTH, 5, E24, CapacitorMode::OPTIMIZE,
         6.0},
        {"SallenKeyLowPassEntered", LOWPASS, SALLEN_KEY, CHEBYCHEV, 4, E24, CapacitorMode::ENTER,
         3.0},
        {"SallenKeyHighPass", HIGHPASS, SALLEN_KEY, CHEBYCHEV, 5, E24, CapacitorMode::OPTIMIZE,
         6.0},
        {"SallenKeyHighPassEntered", HIGHPASS, SALLEN_KEY, BESSEL, 4, E12, CapacitorMode::ENTER},
        {"ThirdOrderLowPass", LOWPASS, SALLEN_KEY_X, BESSEL, 3, E12, CapacitorMode::OPTIMIZE, 6.0},
        {"ThirdOrderHighPass", HIGHPASS, SALLEN_KEY_X, BUTTERWORTH, 3, E12,
         CapacitorMode::OPTIMIZE},
        {"ThirdOrderEqualCapacitors", LOWPASS, SALLEN_KEY_X, BUTTERWORTH, 3, E24,
         CapacitorMode::OPTIMIZE, 0.0, true},
        {"ThirdOrderHighPassEqualCapacitors", HIGHPASS, SALLEN_KEY_X, BESSEL, 3, E24,
         CapacitorMode::OPTIMIZE, 6.0, true},
        {"ThirdOrderEntered", LOWPASS, SALLEN_KEY_X, BESSEL, 3, E24, CapacitorMode::ENTER},
        {"MfbLowPass", LOWPASS, MFB, BUTTERWORTH, 5, E24, CapacitorMode::OPTIMIZE, 6.0},
        {"MfbLowPassEntered", LOWPASS, MFB, BESSEL, 5, E24, CapacitorMode::ENTER},
        {"MfbHighPass", HIGHPASS, MFB, CHEBYCHEV, 5, E24, CapacitorMode::OPTIMIZE, 6.0},
        {"MfbHighPassEntered", HIGHPASS, MFB, BUTTERWORTH, 4, E24, CapacitorMode::ENTER},
        {"MfbBandPass", BANDPASS, MFB, BUTTERWORTH, 4, E24, CapacitorMode::OPTIMIZE, 6.0},
        {"MfbBandPassStepless", BANDPASS, MFB, CHEBYCHEV, 4, E12, CapacitorMode::OPTIMIZE, 0.0,
         false, true},
        {"MfbBandPassEntered", BANDPASS, MFB, BESSEL, 4, E24, CapacitorMode::ENTER},
        {"TwinTBandStop", BANDREJECT, TWIN_T, BUTTERWORTH, 2, E24, CapacitorMode::OPTIMIZE},
    };
    return cases;
}

// The third-order designs where the search's screen and lanes meet their extremes: unity gain
// (the weakest bound), the slow uA741 at 20 kHz, the ideal amplifier (a real gain), low and high
// frequencies, general and equal capacitors; E12 keeps the straightforward search quick.
inline const std::vector<SearchCase>& ThirdOrderSweepCases() {
    using enum FilterType;
    using enum Characteristic;
    constexpr StructureKind kThird = StructureKind::SALLEN_KEY_X;
    constexpr ResistorSeries kE12 = ResistorSeries::E12;
    constexpr CapacitorMode kSearch = CapacitorMode::OPTIMIZE;
    static const std::vector<SearchCase> cases = {
        {"LowPassUnityIdeal", LOWPASS, kThird, CHEBYCHEV, 3, kE12, kSearch, 0.0, false, false,
         20000.0, "ideal"},
        {"HighPassUnityIdeal", HIGHPASS, kThird, CHEBYCHEV, 3, kE12, kSearch, 0.0, false, false,
         100.0, "ideal"},
        {"LowPassGainUA741", LOWPASS, kThird, BUTTERWORTH, 3, kE12, kSearch, 20.0, false, false,
         20000.0, "uA741"},
        {"HighPassGainUA741", HIGHPASS, kThird, BESSEL, 3, kE12, kSearch, 20.0, false, false,
         20000.0, "uA741"},
        {"HighPassEqualUA741", HIGHPASS, kThird, BUTTERWORTH, 3, kE12, kSearch, 6.0, true, false,
         20000.0, "uA741"},
        {"LowPassEqualIdeal", LOWPASS, kThird, BESSEL, 3, kE12, kSearch, 20.0, true, false, 100.0,
         "ideal"},
    };
    return cases;
}

// Where the screens of the other structures' lines meet their extremes: the ideal amplifier
// (a real gain), the slow uA741 at 20 kHz, high gains (the Sallen-Key stages' conditions of
// realisation), higher orders with Chebyshev poles, and the stepless band-pass.
inline const std::vector<SearchCase>& ScreenedLineCases() {
    using enum FilterType;
    using enum StructureKind;
    using enum Characteristic;
    constexpr ResistorSeries kE12 = ResistorSeries::E12;
    constexpr CapacitorMode kSearch = CapacitorMode::OPTIMIZE;
    static const std::vector<SearchCase> cases = {
        {"SallenKeyLowPassIdeal", LOWPASS, SALLEN_KEY, CHEBYCHEV, 8, kE12, kSearch, 20.0, false,
         false, 100.0, "ideal"},
        {"SallenKeyHighPassUA741", HIGHPASS, SALLEN_KEY, CHEBYCHEV, 7, kE12, kSearch, 20.0, false,
         false, 20000.0, "uA741"},
        {"MfbLowPassUA741", LOWPASS, MFB, BESSEL, 7, kE12, kSearch, 20.0, false, false, 20000.0,
         "uA741"},
        {"MfbHighPassIdeal", HIGHPASS, MFB, CHEBYCHEV, 8, kE12, kSearch, 0.0, false, false, 100.0,
         "ideal"},
        {"MfbBandPassSteplessUA741", BANDPASS, MFB, BUTTERWORTH, 6, kE12, kSearch, 20.0, false,
         true, 20000.0, "uA741"},
        {"MfbBandPassIdeal", BANDPASS, MFB, CHEBYCHEV, 6, kE12, kSearch, 0.0, false, false, 100.0,
         "ideal"},
    };
    return cases;
}

// The search over every combination against its straightforward form, which asks every
// combination in full: low and high frequencies, first- and second-order stages, gains with
// their networks, entered capacitors, the ideal amplifier and the uA741 far above its corner.
inline const std::vector<SearchCase>& EveryCombinationCases() {
    using enum FilterType;
    using enum StructureKind;
    using enum Characteristic;
    using enum ResistorSeries;
    constexpr CapacitorMode kSearch = CapacitorMode::OPTIMIZE, kEnter = CapacitorMode::ENTER;
    constexpr SearchMethod kAll = SearchMethod::EXHAUSTIVE;
    static const std::vector<SearchCase> cases = {
        {"SallenKeyLowPass", LOWPASS, SALLEN_KEY, BUTTERWORTH, 5, E24, kSearch, 6.0, false, false,
         1000.0, "LF411", kAll},
        {"SallenKeyLowPassEntered", LOWPASS, SALLEN_KEY, CHEBYCHEV, 4, E12, kEnter, 3.0, false,
         false, 1000.0, "LF411", kAll},
        {"SallenKeyHighPass", HIGHPASS, SALLEN_KEY, BESSEL, 3, E12, kSearch, 20.0, false, false,
         20000.0, "uA741", kAll},
        // A window of 100 holds each candidate also scaled by ten in impedance: ties to break.
        {"SallenKeyLowPassWideWindow", LOWPASS, SALLEN_KEY, BUTTERWORTH, 2, E12, kSearch, 0.0,
         false, false, 1000.0, "ideal", kAll, 100.0},
        {"SallenKeyHighPassEntered", HIGHPASS, SALLEN_KEY, CHEBYCHEV, 4, E12, kEnter, 0.0, false,
         false, 100.0, "ideal", kAll},
        {"MfbLowPass", LOWPASS, MFB, BESSEL, 3, E12, kSearch, 6.0, false, false, 20000.0, "uA741",
         kAll},
        {"MfbLowPassEntered", LOWPASS, MFB, BUTTERWORTH, 4, E12, kEnter, 0.0, false, false, 1000.0,
         "ideal", kAll},
        {"MfbHighPass", HIGHPASS, MFB, CHEBYCHEV, 5, E12, kSearch, 20.0, false, false, 1000.0,
         "LF411", kAll},
        {"MfbHighPassEntered", HIGHPASS, MFB, BESSEL, 4, E12, kEnter, 6.0, false, false, 100.0,
         "ideal", kAll},
        {"MfbBandPass", BANDPASS, MFB, CHEBYCHEV, 4, E12, kSearch, 20.0, false, false, 1000.0,
         "LF411", kAll},
        {"MfbBandPassEntered", BANDPASS, MFB, BUTTERWORTH, 2, E24, kEnter, 0.0, false, false,
         20000.0, "uA741", kAll},
        // The third order's straightforward search asks 24^3 capacitor sets per resistor set:
        // narrow windows keep it quick, and these widen little to reach the neighbours' values
        // (a window widened far takes it minutes). The equal capacitors at unity gain try the
        // boxes' parting of the op-amp's near cancellation of e1 and e2.
        {"ThirdOrderLowPass", LOWPASS, SALLEN_KEY_X, CHEBYCHEV, 3, E12, kSearch, 20.0, false, false,
         1000.0, "LF411", kAll, 1.5},
        {"ThirdOrderHighPass", HIGHPASS, SALLEN_KEY_X, BUTTERWORTH, 3, E12, kSearch, 6.0, false,
         false, 1000.0, "uA741", kAll, 2.0},
        {"ThirdOrderEqualCapacitors", HIGHPASS, SALLEN_KEY_X, BUTTERWORTH, 3, E24, kSearch, 0.0,
         true, false, 100.0, "ideal", kAll},
    };
    return cases;
}

inline void SpecifyCase(CDesignSession& session, const SearchCase& c) {
    SpecificationBlock block = session.Filter().Specification();
    block.characteristic = c.characteristic;
    block.rippleDb = 1.0;
    block.orderLpHp = c.order;
    block.orderBpBs = c.order;
    block.frequency = c.frequency;
    block.bandwidth = 250.0;
    block.quality = 4.0;
    block.gainDb = c.gainDb;
    block.resistorSeries = c.series;
    block.opAmp = session.OpAmps().FindByName(c.opAmp);
    block.capacitorMode = c.mode;
    block.equalCapacitors = c.equalCapacitors;
    block.steplessR2 = c.stepless;
    block.search = c.search;
    block.impedanceWindow = c.window;
    session.Filter().SetSpecification(block, c.structure, c.type);
    session.FillCharacteristic();
}

// Specifies the case and, for entered capacitors, accepts the proposed ones.
inline void PrepareCase(CDesignSession& session, const SearchCase& c) {
    SpecifyCase(session, c);
    if (c.mode == CapacitorMode::ENTER) {
        ScriptedPrompt prompt;
        session.Current()->PrepareUntilStable();
        session.Current()->EnterAllCapacitors(true, prompt);
    }
}

// The bits of every stored component value, stage by stage.
inline std::vector<unsigned long long> StoredBits(const CFilter& filter) {
    std::vector<unsigned long long> bits;
    for (int stage = 0; stage < kMaxStages; ++stage) {
        for (int slot = 0; slot < kMaxComponents; ++slot) {
            const double v = filter.Value(static_cast<ComponentSlot>(slot), stage);
            unsigned long long b = 0;
            std::memcpy(&b, &v, sizeof b);
            bits.push_back(b);
        }
    }
    return bits;
}

}  // namespace vx::test
