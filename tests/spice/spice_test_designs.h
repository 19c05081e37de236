#pragma once

#include <string>

#include "session/design_session.h"

namespace vx {

// A design the ngspice tests simulate: 1 kHz, band-pass 250 Hz wide, plot range 0.1 to 10.
struct SpiceTestDesign {
    const char* name;
    FilterType type;
    StructureKind structure;
    Characteristic characteristic;
    int order;
    double gainDb;
    StageSequence sequence = StageSequence::HIGH_LEVEL;
    double quality = 10.0;  // band-stop Q
};

// Every structure, with odd orders, gains and both stage sequences.
inline const SpiceTestDesign kSpiceTestDesigns[] = {
    {"SkLowPassOdd", FilterType::LOWPASS, StructureKind::SALLEN_KEY, Characteristic::BUTTERWORTH, 5,
     6.0},
    {"SkLowPassLowNoise", FilterType::LOWPASS, StructureKind::SALLEN_KEY, Characteristic::BESSEL, 3,
     0.0, StageSequence::LOW_NOISE},
    {"SkHighPass", FilterType::HIGHPASS, StructureKind::SALLEN_KEY, Characteristic::CHEBYCHEV, 4,
     0.0},
    {"SkHighPassOddGain", FilterType::HIGHPASS, StructureKind::SALLEN_KEY,
     Characteristic::BUTTERWORTH, 3, 10.0, StageSequence::LOW_NOISE},
    {"MfbLowPassOdd", FilterType::LOWPASS, StructureKind::MFB, Characteristic::CHEBYCHEV, 5, 6.0},
    {"MfbLowPassLowNoise", FilterType::LOWPASS, StructureKind::MFB, Characteristic::BESSEL, 3, 0.0,
     StageSequence::LOW_NOISE},
    {"MfbHighPass", FilterType::HIGHPASS, StructureKind::MFB, Characteristic::BUTTERWORTH, 4, 3.0},
    {"MfbHighPassOdd", FilterType::HIGHPASS, StructureKind::MFB, Characteristic::BESSEL, 3, 0.0},
    {"SkxLowPass", FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, Characteristic::BUTTERWORTH, 3,
     6.0},
    {"SkxLowPassUnity", FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, Characteristic::BESSEL, 3,
     0.0},
    {"SkxHighPass", FilterType::HIGHPASS, StructureKind::SALLEN_KEY_X, Characteristic::CHEBYCHEV, 3,
     0.0},
    {"SkxHighPassGain", FilterType::HIGHPASS, StructureKind::SALLEN_KEY_X,
     Characteristic::BUTTERWORTH, 3, 10.0},
    {"MfbBandPass", FilterType::BANDPASS, StructureKind::MFB, Characteristic::BUTTERWORTH, 4, 6.0},
    {"TwinTBandStop", FilterType::BANDREJECT, StructureKind::TWIN_T, Characteristic::BESSEL, 2, 0.0,
     StageSequence::HIGH_LEVEL, 5.0},
    {"TwinTBandStopLowQ", FilterType::BANDREJECT, StructureKind::TWIN_T, Characteristic::BESSEL, 2,
     0.0, StageSequence::HIGH_LEVEL, 0.7},
};

inline void SpecifyForSpice(CDesignSession& session, const SpiceTestDesign& d, int opAmp) {
    CFilter& f = session.Filter();
    if (d.type == FilterType::BANDREJECT) {
        f.SetBandRejectSpecification(CapacitorMode::OPTIMIZE, ResistorSeries::E24, opAmp, 1000.0,
                                     10000.0, d.quality);
    } else {
        SpecificationBlock block = f.Specification();
        block.characteristic = d.characteristic;
        block.rippleDb = 1.0;
        block.orderLpHp = d.order;
        block.orderBpBs = d.order;
        block.frequency = 1000.0;
        block.bandwidth = 250.0;
        block.gainDb = d.gainDb;
        // The third-order search steps two resistors together: E12 keeps it short.
        block.resistorSeries =
            d.structure == StructureKind::SALLEN_KEY_X ? ResistorSeries::E12 : ResistorSeries::E24;
        block.opAmp = opAmp;
        block.stageSequence = d.sequence;
        f.SetSpecification(block, d.structure, d.type);
    }
    f.SetPlotRange(0.1, 10.0);
    f.documentName = std::string("Verify ") + d.name;
    session.FillCharacteristic();
}

}  // namespace vx
