#pragma once

namespace vx {

// Feedback and ground resistor of a non-inverting gain network A = 1 + Rf/Rg.
struct GainResistors {
    double feedback;
    double ground;
};

// Picks the standard-value pair closest to the gain, around Rf = (1 - 1/A) R0. A gain within
// 1e-4 of 1 is a follower: Rf = 0 and the ground resistor left open (kOpenResistor).
GainResistors ChooseGainResistors(double gain, double r0, int series);

}  // namespace vx
