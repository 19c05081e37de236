#pragma once

#include <string>
#include <vector>

#include "files/specification_reader.h"
#include "scripted_prompt.h"
#include "session/design_session.h"

// Designs whose stored values were recorded once: every example file and specifications that
// cover every structure with both capacitor modes, odd orders, gain and each op-amp.
namespace vx::test {

struct RecordedSpec {
    const char* name;
    FilterType type;
    StructureKind structure;
    Characteristic characteristic;
    int order;
    ResistorSeries series;
    const char* opAmp;
    double gainDb = 0.0;
    CapacitorMode mode = CapacitorMode::OPTIMIZE;
    GainDistribution distribution = GainDistribution::EQUAL;
    StageSequence sequence = StageSequence::HIGH_LEVEL;
    bool equalCapacitors = false;
    bool stepless = false;
    double quality = 4.0;  // band-stop Q
};

inline const std::vector<RecordedSpec>& RecordedSpecs() {
    using enum FilterType;
    using enum StructureKind;
    using enum Characteristic;
    using enum ResistorSeries;
    using enum GainDistribution;
    constexpr CapacitorMode kEnter = CapacitorMode::ENTER;
    constexpr CapacitorMode kOptimize = CapacitorMode::OPTIMIZE;
    static const std::vector<RecordedSpec> specs = {
        {"SkLowPassOdd", LOWPASS, SALLEN_KEY, BUTTERWORTH, 5, E24, "LF411", 6.0},
        {"SkLowPassEnteredOdd", LOWPASS, SALLEN_KEY, BESSEL, 3, E12, "uA741", 0.0, kEnter},
        {"SkLowPassByQ", LOWPASS, SALLEN_KEY, CHEBYCHEV, 4, E48, "IDEAL", 10.0, kOptimize,
         EQUAL_GBP},
        {"SkLowPassLowNoise", LOWPASS, SALLEN_KEY, BESSEL, 6, E12, "LF411", 3.0, kOptimize,
         EQUAL_GBP, StageSequence::LOW_NOISE},
        {"SkHighPassOdd", HIGHPASS, SALLEN_KEY, CHEBYCHEV, 5, E24, "uA741", 6.0},
        {"SkHighPassEntered", HIGHPASS, SALLEN_KEY, BUTTERWORTH, 3, E12, "LF411", 2.0, kEnter},
        {"SkxLowPass", LOWPASS, SALLEN_KEY_X, BESSEL, 3, E12, "LF411", 6.0},
        {"SkxLowPassEqual", LOWPASS, SALLEN_KEY_X, BUTTERWORTH, 3, E24, "uA741", 8.0, kOptimize,
         EQUAL, StageSequence::HIGH_LEVEL, true},
        {"SkxLowPassEntered", LOWPASS, SALLEN_KEY_X, CHEBYCHEV, 3, E24, "IDEAL", 0.0, kEnter},
        {"SkxHighPass", HIGHPASS, SALLEN_KEY_X, BUTTERWORTH, 3, E12, "IDEAL"},
        {"SkxHighPassEqual", HIGHPASS, SALLEN_KEY_X, BESSEL, 3, E12, "LF411", 6.0, kOptimize, EQUAL,
         StageSequence::HIGH_LEVEL, true},
        {"SkxHighPassEntered", HIGHPASS, SALLEN_KEY_X, BESSEL, 3, E24, "uA741", 3.0, kEnter},
        {"MfbLowPassOdd", LOWPASS, MFB, BUTTERWORTH, 5, E24, "LF411", 6.0},
        {"MfbLowPassFirstOrder", LOWPASS, MFB, BESSEL, 1, E48, "uA741", 12.0},
        {"MfbLowPassEntered", LOWPASS, MFB, BESSEL, 5, E24, "IDEAL", -6.0, kEnter},
        {"MfbHighPassOdd", HIGHPASS, MFB, CHEBYCHEV, 5, E24, "uA741", 6.0, kOptimize, EQUAL_GBP},
        {"MfbHighPassEntered", HIGHPASS, MFB, BUTTERWORTH, 3, E12, "LF411", 0.0, kEnter},
        {"BpMfb", BANDPASS, MFB, BUTTERWORTH, 4, E24, "LF411", 6.0},
        {"BpMfbOddPrototype", BANDPASS, MFB, BESSEL, 6, E48, "uA741", 3.0, kOptimize, EQUAL_GBP},
        {"BpMfbStepless", BANDPASS, MFB, CHEBYCHEV, 4, E12, "IDEAL", 0.0, kOptimize, EQUAL,
         StageSequence::HIGH_LEVEL, false, true},
        {"BpMfbGainReduced", BANDPASS, MFB, BUTTERWORTH, 4, E24, "LF411", 100.0},
        {"BpMfbEntered", BANDPASS, MFB, BESSEL, 4, E24, "uA741", 0.0, kEnter},
        {"TwinT", BANDREJECT, TWIN_T, BESSEL, 2, E24, "LF411"},
        {"TwinTFollower", BANDREJECT, TWIN_T, BESSEL, 2, E192, "uA741", 0.0, kEnter, EQUAL,
         StageSequence::HIGH_LEVEL, false, false, 0.5},
        {"TwinTHighQ", BANDREJECT, TWIN_T, BESSEL, 2, E96, "IDEAL", 0.0, kOptimize, EQUAL,
         StageSequence::HIGH_LEVEL, false, false, 25.0},
    };
    return specs;
}

inline const std::vector<std::string>& ExampleFiles() {
    static const std::vector<std::string> files = {
        "mfb_bandpass",           "mfb_highpass",         "mfb_lowpass",        "sk_highpass",
        "sk_highpass_individual", "sk_lowpass_chebyshev", "sk_lowpass_entered", "sk_lowpass_gain",
        "skx_highpass",           "skx_lowpass",          "twin_t_bandstop"};
    return files;
}

// What a design leaves in the record: every used component value of every stage in slot order,
// the twin-T realisations, the total gain (the band-pass may lower it) and the state.
inline std::vector<double> StoredOutcome(const CFilter& f) {
    std::vector<double> out;
    for (int stage = 0; stage < f.StageCount(); ++stage) {
        for (int slot = 0; slot < f.ComponentCount(stage); ++slot) {
            out.push_back(f.ComponentValue(slot, stage));
        }
    }
    if (f.Type() == FilterType::BANDREJECT) {
        for (int i = 0; i < 2; ++i) {
            const Realisation& r = f.GetRealisation(i);
            out.insert(out.end(), {static_cast<double>(r.kind), r.first, r.second, r.value});
        }
    }
    out.push_back(f.GainDb());
    out.push_back(static_cast<double>(f.GetDesignState()));
    return out;
}

inline void SpecifyRecorded(CDesignSession& session, const RecordedSpec& s) {
    SpecificationBlock block = session.Filter().Specification();
    block.characteristic = s.characteristic;
    block.rippleDb = 0.5;
    block.orderLpHp = s.order;
    block.orderBpBs = s.order;
    block.frequency = 2500.0;
    block.bandwidth = 400.0;
    block.quality = s.quality;
    block.impedance = 4700.0;
    block.gainDb = s.gainDb;
    block.resistorSeries = s.series;
    block.opAmp = session.OpAmps().FindByName(s.opAmp);
    block.capacitorMode = s.mode;
    block.gainDistribution = s.distribution;
    block.stageSequence = s.sequence;
    block.equalCapacitors = s.equalCapacitors;
    block.steplessR2 = s.stepless;
    if (s.type == FilterType::BANDREJECT) {
        session.Filter().SetBandRejectSpecification(s.mode, s.series, block.opAmp, block.frequency,
                                                    block.impedance, s.quality);
    } else {
        session.Filter().SetSpecification(block, s.structure, s.type);
    }
    session.FillCharacteristic();
}

// Designs a recorded specification; entered capacitors take the proposals.
inline std::vector<double> DesignRecorded(const RecordedSpec& s) {
    CDesignSession session;
    SpecifyRecorded(session, s);
    if (s.mode == CapacitorMode::ENTER) {
        ScriptedPrompt prompt;
        session.Current()->PrepareUntilStable();
        session.Current()->EnterAllCapacitors(true, prompt);
    }
    SilentMonitor monitor;
    session.Design(monitor);
    return StoredOutcome(session.Filter());
}

// Loads and designs an example file as the command line does; entered capacitors are checked.
inline std::vector<double> DesignExample(const std::string& name) {
    CDesignSession session;
    const SpecificationLoadResult loaded =
        LoadSpecification(std::string(VX_SOURCE_DIR) + "/examples/" + name + ".vxs",
                          session.Filter(), session.Character(), session.OpAmps());
    if (!loaded.ok) {
        return {};
    }
    if (session.Filter().GetCapacitorMode() == CapacitorMode::ENTER) {
        ScriptedPrompt prompt;
        session.Current()->PrepareUntilStable();
        if (!session.Current()->EnterAllCapacitors(false, prompt)) {
            return {};
        }
    }
    SilentMonitor monitor;
    session.Design(monitor);
    return StoredOutcome(session.Filter());
}

}  // namespace vx::test
