#pragma once

#include <optional>

#include "model/filter.h"
#include "model/range_check.h"
#include "model/search_input.h"

// The checks and the OK of the band-pass input dialog, without the dialog.
namespace vx {

class CCharacter;

enum class BpField { IMPEDANCE, FREQUENCY, GAIN_DB, BANDWIDTH, ORDER, RIPPLE, IMPEDANCE_WINDOW };

struct BpInput {
    int order = 2;
    double frequency = 1000.0;
    double bandwidth = 100.0;
    double gainDb = 0.0;
    double impedance = 10000.0;
    Characteristic characteristic = Characteristic::BESSEL;  // no individual data here
    double rippleDb = 1.0;
    StageSequence sequence = StageSequence::HIGH_LEVEL;
    ResistorSeries series = ResistorSeries::E24;
    bool steplessR2 = false;
    GainDistribution distribution = GainDistribution::EQUAL;  // EQUAL or EQUAL_GBP
    CapacitorMode capacitorMode = CapacitorMode::OPTIMIZE;
    int opAmp = 0;
    SearchInput search;
};

BpInput BpInputFrom(const CFilter& filter);

// Narrowest and widest bandwidth for a centre frequency: a real op-amp allows a pole Q of 30,
// the ideal one 200.
struct BandwidthLimits {
    double minimum;
    double maximum;
};
BandwidthLimits BandPassBandwidthLimits(double centreFrequency, int opAmp);

std::optional<InputError<BpField>> CheckBpInput(const BpInput& input);
// OK: checks, fills the characteristic for half the order and stores the specification.
std::optional<InputError<BpField>> AcceptBpInput(BpInput input, CFilter& filter,
                                                 CCharacter& character);

}  // namespace vx
