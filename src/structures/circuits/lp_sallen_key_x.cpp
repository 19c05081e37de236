#include "structures/circuits/lp_sallen_key_x.h"

#include <algorithm>
#include <cmath>

#include "model/number_text.h"
#include "model/standard_value.h"
#include "structures/capacitors/capacitor_choice.h"

namespace vx {

// Starting values found by trial: the loaded RC section and the Sallen-Key section pull each
// other's poles, and these factors put the rounded start close to the best standard values.
constexpr double kStartR1 = 1.344;
constexpr double kStartRs = 1.546;
constexpr double kStartR3 = 1.611;
constexpr double kStartC2 = 0.04527;

SallenKeyXPolynomial CLpSallenKeyX::Polynomial(const SallenKeyXValues& v) const {
    // Nodal analysis of the RC node, the Sallen-Key node and the non-inverting input with
    // Vout = G V+ gives H = G / D(s).
    SallenKeyXPolynomial p;
    p.e1 = v.c3 * (v.r1 + v.r2);
    p.d1 = v.c1 * v.r1 + v.c2 * (v.r1 + v.r2 + v.r3) + p.e1;
    p.e2 = v.c1 * v.c3 * v.r1 * v.r2;
    p.d2 = v.c1 * v.c2 * v.r1 * (v.r2 + v.r3) + v.c2 * v.c3 * v.r3 * (v.r1 + v.r2) + p.e2;
    p.d3 = v.r1 * v.r2 * v.r3 * v.c1 * v.c2 * v.c3;
    return p;
}

SallenKeyXSplit CLpSallenKeyX::SplitAlongR3(const SallenKeyXValues& v) const {
    SallenKeyXSplit s;
    s.fixed.e1 = v.c3 * (v.r1 + v.r2);
    s.fixed.d1 = v.c1 * v.r1 + v.c2 * (v.r1 + v.r2) + s.fixed.e1;
    s.fixed.e2 = v.c1 * v.c3 * v.r1 * v.r2;
    s.fixed.d2 = v.c1 * v.c2 * v.r1 * v.r2 + s.fixed.e2;
    s.slope.d1 = v.c2;
    s.slope.d2 = v.c1 * v.c2 * v.r1 + v.c2 * v.c3 * (v.r1 + v.r2);
    s.slope.d3 = v.r1 * v.r2 * v.c1 * v.c2 * v.c3;
    return s;
}

double CLpSallenKeyX::MinimumRatio() const {
    const double a = A1(), b = B1();
    return 4.0 * b / (a * a + 4.0 * b * (Gain() - 1.0));
}

double CLpSallenKeyX::SallenKeyR2(double c2, double c3) const {
    const double a = A1(), b = B1();
    const double x = c2 + (1.0 - Gain()) * c3;
    // Below the minimum ratio the root would be imaginary; the critically damped value is used.
    const double root = std::sqrt(std::max(0.0, a * a - 4.0 * b * x / c3));
    return 2.0 * b / (Context().omegaG * c3 * (a + root));
}

SallenKeyXValues CLpSallenKeyX::ExactPair(int pair) const {
    const double w = Context().omegaG;
    SallenKeyXValues v;
    if (pair == 0) {
        v.c1 = StandardCapacitor(A0() / (Context().r0 * w));
        v.r1 = A0() / (v.c1 * w);
        v.r5 = kOpenResistor;
        return v;
    }
    const double b = B1();
    // The ground capacitor moves until R2 comes near the impedance level.
    double c2 = A1() / (2.0 * w * Context().r0);
    double f = 1.0;
    for (int pass = 0; pass < 10; ++pass) {
        c2 = StandardCapacitor(f * c2);
        v.c2 = c2;
        v.c3 = E12AtOrAbove(c2 * MinimumRatio());
        v.r2 = SallenKeyR2(v.c2, v.c3);
        f = v.r2 / Context().r0;
        if (f > 0.75 && f < 1.25) {
            break;
        }
    }
    v.r3 = b / (w * w * v.r2 * v.c2 * v.c3);
    SetExactGainNetwork(v);
    return v;
}

void CLpSallenKeyX::ResistorsFromCapacitors() {
    const double w = Context().omegaG;
    values_.r1 = A0() / (values_.c1 * w);
    values_.r2 = SallenKeyR2(values_.c2, values_.c3);
    values_.r3 = B1() / (w * w * values_.r2 * values_.c2 * values_.c3);
    SetExactGainNetwork(values_);
}

void CLpSallenKeyX::StartGeneral() {
    const double w = Context().omegaG, a1 = A1(), b1 = B1();
    SallenKeyXValues& v = values_;
    v.c1 = StandardCapacitor(A0() / (Context().r0 * w));
    v.r1 = RoundedToSeries(kStartR1 * A0() / (v.c1 * w), Context().series);
    const double rs = kStartRs * v.r1;
    double c2 = a1 / (2.0 * w * rs);
    double f = 1.0;
    for (int pass = 0; pass < 10; ++pass) {
        c2 *= f;
        v.c3 = E12AtOrAbove(4.0 * b1 * c2 / (4.0 * b1 * (Gain() - 1.0) + a1 * a1));
        v.r2 = RoundedToSeries(SallenKeyR2(c2, v.c3), Context().series);
        f = v.r2 / rs;
        if (f > 0.75 && f < 1.25) {
            break;
        }
    }
    v.r3 = RoundedToSeries(kStartR3 * b1 / (w * w * v.r2 * c2 * v.c3), Context().series);
    v.c2 = StandardCapacitor(kStartC2 * c2);
    v.r1 = RoundedToSeries(Context().r0, Context().series);
    ChooseGainNetwork();
}

void CLpSallenKeyX::StartEqualCapacitors() {
    const double w = Context().omegaG;
    SallenKeyXValues& v = values_;
    v.c1 = StandardCapacitor(A0() / (Context().r0 * w));
    v.r1 = RoundedToSeries(A0() / (v.c1 * w), Context().series);
    v.c2 = v.c3 = v.c1;
    v.r2 = RoundedToSeries(SallenKeyR2(v.c2, v.c3), Context().series);
    v.r3 = RoundedToSeries(B1() / (w * w * v.r2 * v.c2 * v.c3), Context().series);
    ChooseGainNetwork();
}

double CLpSallenKeyX::MinimumCapacitor(int, int which, double firstCapacitor) const {
    if (which == 0) {
        return 1e-12;
    }
    return PairMinimum(MinimumRatio(), firstCapacitor);
}

bool CLpSallenKeyX::EnterCapacitors(bool ask, CapacitorPrompt& prompt) {
    if (ask) {
        const SallenKeyXValues rc = ExactPair(0);
        const SallenKeyXValues sk = ExactPair(1);
        values_.c1 = rc.c1;
        if (!Ask(prompt, "C1", 1e-12, values_.c1)) {
            return false;
        }
        values_.c2 = sk.c2;
        if (!AskCapacitorPair(prompt, "C2", "C3", MinimumRatio(), values_.c2, values_.c3)) {
            return false;
        }
    } else {
        values_.c1 = StoredCapacitor(0, 0);
        values_.c2 = StoredCapacitor(0, 1);
        values_.c3 = StoredCapacitor(0, 2);
        if (!RepairCapacitorPair(prompt, MinimumRatio(), values_.c2, values_.c3)) {
            return false;
        }
    }
    ResistorsFromCapacitors();
    return true;
}

}  // namespace vx
