#pragma once

// Rules of the filter that the record, the input checks, the structures, the reports and the
// Spice export share, each defined once.
namespace vx {

// At most 15 stages (order 30).
constexpr int kMaxStages = 15;

// A coefficient b of 1 + a s + b s^2 this small counts as zero: the stage is of first order.
constexpr bool IsFirstOrder(double b) {
    return b <= 1e-20;
}

// Gains from 0.1 dB up need the gain network of the non-inverting stages; a smaller gain is
// taken as none (a follower).
constexpr double kGainNetworkThresholdDb = 0.1;
constexpr bool HasGainNetwork(double gainDb) {
    return gainDb >= kGainNetworkThresholdDb;
}

// The lowest filter gain the inputs of the inverting structures accept, in dB.
constexpr double kLowestGainDb = -100.0;

// A non-inverting (Sallen-Key) stage cannot attenuate: its gain is at least 1.
constexpr double kLowestNonInvertingGain = 1.0;

// Gain of the twin-T band-stop's amplifier for the notch quality q, which is also the filter's
// pass-band gain: k = 2 - 1/(2 q).
constexpr double TwinTGain(double q) {
    return 2.0 - 1.0 / (2.0 * q);
}
// The same rule for the gain network, R3 / R4 = k - 1 = 1 - 1/(2 q), written without the
// detour over k so that it keeps its last bits.
constexpr double TwinTFeedbackRatio(double q) {
    return 1.0 - 1.0 / (2.0 * q);
}

// The impedance window of the exhaustive standard-value search: every resistor within a factor
// of the impedance level either side, by default sqrt(10) (one decade in all).
constexpr double kDefaultImpedanceWindow = 3.16;
constexpr double kLowestImpedanceWindow = 1.5;
constexpr double kHighestImpedanceWindow = 100.0;
// Where the window holds no values as close to the target as rounding, the search widens it by
// a quarter decade at a time, at most to this factor.
constexpr double kImpedanceWindowStep = 1.7782794100389228;
constexpr double kWidestImpedanceWindow = 1e6;

// Value of a part a stage does not have where 0 would not do (a series capacitor that is a
// wire, a shunt resistor that is open).
constexpr double kAbsentPart = 2e20;
// Value of a resistor left open (the ground resistor of a follower, a band-pass R2 above
// 10 MOhm).
constexpr double kOpenResistor = 1e20;

}  // namespace vx
