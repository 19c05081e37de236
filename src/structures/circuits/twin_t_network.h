#pragma once

#include <vector>

#include "structures/opamp_params.h"

namespace vx {

// The twin-T band-stop's network element by element (ohm, farad): the capacitor T (C1a from the
// input and C1b to the output node, shunt R2 from their middle to the amplifier output), the
// resistor T (R1a, R1b, shunt C2 from their middle to ground) and the gain network R3 (output
// to inverting input), R4 (inverting input to ground). The designed twin-T has C1a = C1b,
// R1a = R1b, C2 = 2 C1 and R2 = R1 / 2; the parts of a built one differ.
struct TwinTNetwork {
    double c1a = 0.0;
    double c1b = 0.0;
    double c2 = 0.0;
    double r1a = 0.0;
    double r1b = 0.0;
    double r2 = 0.0;
    double r3 = 0.0;
    double r4 = 0.0;
};

// H(jw) with the amplifier `opAmp`. Nodal analysis: the capacitor T's middle node A, the
// resistor T's middle node B and the output node P of the twin-T (the non-inverting input, no
// current); V(out) = k(jw) V(P). Eliminating A and B from the sum of currents at P gives
// V(P) (sC1b + G1b - P - k Qs) = N V(in), with N = sC1b sC1a / yA + G1b G1a / yB,
// P = (sC1b)^2 / yA + G1b^2 / yB and Qs = sC1b G2 / yA, yA and yB the sums of the admittances
// at A and B. The balanced network gives k (1 + p^2) / (1 + 2 (2 - k) p + p^2), p = s R C.
template <class Frequency>
Complex TwinTTransfer(const TwinTNetwork& n, const OpAmpParams& opAmp, Frequency w);

// The denominator of that transfer function with the ideal amplifier, multiplied out by yA yB:
// d0 + d1 s + d2 s^2 + d3 s^3 with d0 = 1. In the balanced network one of its real roots is
// cancelled by the numerator.
std::vector<double> TwinTDenominator(const TwinTNetwork& n);

}  // namespace vx
