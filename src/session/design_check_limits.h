#pragma once

// The figures that decide when the design check warns, each with its reason.
namespace vx::check {

// The final curve may miss the target by this much in the pass band before the user hears of
// it: 1 dB is well beyond the rounding of standard parts, so a larger gap means the op-amp or
// the parts bend the response.
constexpr double kMaxPassBandDeviationDb = 1.0;
// The pass band is where the target lies within 3 dB of its maximum (the usual band edge).
constexpr double kPassBandDb = 3.0;

// The op-amp's open-loop gain at the pole frequency should exceed the stage's peak gain (its
// gain times Q) by 40 dB, so that it changes the stage's gain by less than 1 % (Texas
// Instruments, "Op Amps For Everyone", ch. 16.8.4, as C. Wells summarises it in "Signal Chain
// Basics #126"): GBW >= 100 * G * Q * fp.
constexpr double kGainBandwidthMargin = 100.0;

// Below 10 ohm the wiring and the op-amp's output resistance are part of the resistor.
constexpr double kMinResistor = 10.0;
// Above 10 MOhm the op-amp's input currents, leakage and board capacitance take over.
constexpr double kMaxResistor = 10e6;
// Below 10 pF the op-amp's input capacitance and the board's strays are of the same size.
constexpr double kMinCapacitor = 10e-12;
// Above 10 uF only electrolytic capacitors remain: leaky, polarised, wide tolerances and large.
constexpr double kMaxCapacitor = 10e-6;

}  // namespace vx::check
