#pragma once

#include <complex>
#include <functional>
#include <vector>

namespace vx {

// The poles of one stage: a pole pair (frequency and quality) and a real pole, as far as the
// stage has them. Frequencies in hertz.
struct StagePoles {
    bool hasPair = false;
    double pairFrequency = 0.0;
    double pairQuality = 0.0;
    bool hasReal = false;
    double realFrequency = 0.0;
};

// The denominator d0 + d1 s + ... + dn s^n (n = 1 to 3, d0 = 1) of a stage whose transfer
// function is K s^m / D(s), from its values at the angular frequencies w1 and w2 (w1 != w2):
// s^m / H is then a polynomial whose even coefficients give its real part and whose odd ones
// its imaginary part, so two frequencies determine a polynomial of degree up to 3.
std::vector<double> FitDenominator(const std::function<std::complex<double>(double)>& transfer,
                                   int numeratorPower, int degree, double w1, double w2);

// The poles of the denominator d0 + d1 s + ... + dn s^n, n = 1 to 3. Of a cubic with three real
// roots the two closest to each other form the pair.
StagePoles PolesOf(const std::vector<double>& denominator);

}  // namespace vx
