#pragma once

#include <cmath>
#include <string>

// What a datasheet says of an op-amp, as far as the program uses it: the figures its two-pole
// model is made from, and those an engineer chooses a part by. A figure the source does not
// give is NaN.
namespace vx {

enum class RailToRail { NONE, INPUT, OUTPUT, BOTH };

struct OpAmpData {
    std::string name;
    std::string maker;
    std::string kind;                 // bipolar, jfet, audio, precision, cmos-rrio, low-power, fast
    double dcGain = NAN;              // open-loop DC gain A0, a factor
    double gbw = NAN;                 // gain-bandwidth product in Hz
    double phaseMargin = NAN;         // degrees, at unity gain
    double secondPole = NAN;          // Hz
    double slewRate = NAN;            // V/us
    double voltageNoise = NAN;        // nV/rtHz at 1 kHz
    double voltageNoiseCorner = NAN;  // Hz
    double currentNoise = NAN;        // pA/rtHz at 1 kHz
    double currentNoiseCorner = NAN;  // Hz
    double supplyMin = NAN;           // total supply in V
    double supplyMax = NAN;
    double swingToRail = NAN;  // V the output stays off each rail
    RailToRail railToRail = RailToRail::NONE;
    double inputCapacitance = NAN;  // pF
    std::string source;             // maker, datasheet title, document and revision
};

// The open-loop gain A(s) = A0 / ((1 + s T1)(1 + s T2)) the design uses.
struct TwoPoleModel {
    double dcGain = 0.0;
    double t1 = 0.0;  // s
    double t2 = 0.0;  // s
};

// Where the loop of a voltage follower with this amplifier crosses unity, and its phase margin
// there.
struct LoopFigures {
    double unityGainHz = 0.0;
    double phaseMarginDeg = 0.0;
};

// Without an A0 in the datasheet's place, the model takes 100 dB: its poles then still sit where
// the gain-bandwidth product and the phase margin put them.
inline constexpr double kDefaultDcGain = 1e5;

// The model of a row: its unity-gain frequency is the row's gain-bandwidth product, and its
// phase margin there the row's (or its second pole's, or 90 degrees for a single pole where the
// datasheet gives neither).
TwoPoleModel ModelOf(const OpAmpData& data);
LoopFigures FiguresOf(const TwoPoleModel& model);

}  // namespace vx
