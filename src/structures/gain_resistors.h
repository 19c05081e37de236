#pragma once

#include <optional>

namespace vx {

// Feedback and ground resistor of a non-inverting gain network A = 1 + Rf/Rg.
struct GainResistors {
    double feedback;
    double ground;
};

// Picks the standard-value pair closest to the gain, around Rf = (1 - 1/A) R0. A gain within
// 1e-4 of 1 is a follower: Rf = 0 and the ground resistor left open (kOpenResistor).
GainResistors ChooseGainResistors(double gain, double r0, int series);

// The pair of the series with both resistors within r0 / window .. r0 window whose gain comes
// closest to `gain`; of equal gains the one found first, from the lowest feedback resistor up.
// A follower as above; none when the window holds no standard value.
std::optional<GainResistors> ChooseGainResistorsWithin(double gain, double r0, int series,
                                                       double window);

}  // namespace vx
