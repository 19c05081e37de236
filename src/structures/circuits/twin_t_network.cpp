#include "structures/circuits/twin_t_network.h"

#include <algorithm>

namespace vx {

namespace {

using Polynomial = std::vector<double>;  // ascending powers of s

Polynomial Times(const Polynomial& a, const Polynomial& b) {
    Polynomial c(a.size() + b.size() - 1, 0.0);
    for (size_t i = 0; i < a.size(); ++i) {
        for (size_t j = 0; j < b.size(); ++j) {
            c[i + j] += a[i] * b[j];
        }
    }
    return c;
}

void Subtract(Polynomial& a, const Polynomial& b) {
    a.resize(std::max(a.size(), b.size()), 0.0);
    for (size_t i = 0; i < b.size(); ++i) {
        a[i] -= b[i];
    }
}

}  // namespace

template <class Frequency>
Complex TwinTTransfer(const TwinTNetwork& n, const OpAmpParams& opAmp, Frequency w) {
    // Written so that a balanced network computes exactly as the designed stage always has.
    const Complex s = LaplaceOf(w);
    const double ga = 1.0 / n.r1a;
    const double gb = 1.0 / n.r1b;
    const double g2 = 1.0 / n.r2;
    const Complex sa = s * n.c1a;
    const Complex sb = s * n.c1b;
    const Complex sc2 = s * n.c2;
    const Complex ya = sa + sb + g2;
    const Complex yb = ga + gb + sc2;
    const Complex numerator = sb * sa / ya + gb * ga / yb;
    const Complex p = sb * sb / ya + gb * gb / yb;
    const Complex qs = sb * g2 / ya;
    const Complex k = opAmp.NonInvertingGain(FeedbackFraction(n.r3, n.r4), w);
    return k * numerator / (sb + gb - p - k * qs);
}
template Complex TwinTTransfer(const TwinTNetwork&, const OpAmpParams&, double);
template Complex TwinTTransfer(const TwinTNetwork&, const OpAmpParams&, Complex);

std::vector<double> TwinTDenominator(const TwinTNetwork& n) {
    const double ga = 1.0 / n.r1a;
    const double gb = 1.0 / n.r1b;
    const double g2 = 1.0 / n.r2;
    const double k = 1.0 / FeedbackFraction(n.r3, n.r4);
    const Polynomial ya = {g2, n.c1a + n.c1b};
    const Polynomial yb = {ga + gb, n.c2};
    // (sC1b + G1b) yA yB - (sC1b)^2 yB - G1b^2 yA - k sC1b G2 yB
    Polynomial d = Times(Times({gb, n.c1b}, ya), yb);
    Subtract(d, Times({0.0, 0.0, n.c1b * n.c1b}, yb));
    Subtract(d, Times({gb * gb}, ya));
    Subtract(d, Times({0.0, k * n.c1b * g2}, yb));
    const double d0 = d[0];
    for (double& c : d) {
        c /= d0;
    }
    return d;
}

}  // namespace vx
