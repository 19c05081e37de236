#include "structures/circuits/hp_sallen_key_x.h"

#include <cmath>
#include <tuple>

#include "model/standard_value.h"

namespace vx {

// Starting values found by trial, as for the low-pass.
constexpr double kStartR1 = 0.865672;
constexpr double kStartR2 = 0.844913;
constexpr double kStartR3 = 1.364198;

SallenKeyXPolynomial CHpSallenKeyX::Polynomial(const SallenKeyXValues& v) const {
    // Nodal analysis as for the low-pass, written in 1/s with conductances and elastances, so
    // that a section designed alone (the other's parts at 2e20) reduces to its own response.
    const double g1 = 1.0 / v.r1, g2 = 1.0 / v.r2, g3 = 1.0 / v.r3;
    const double s1 = 1.0 / v.c1, s2 = 1.0 / v.c2, s3 = 1.0 / v.c3;
    SallenKeyXPolynomial p;
    p.e1 = g2 * (s1 + s2);
    p.d1 = g3 * (s1 + s2 + s3) + g1 * s1 + p.e1;
    p.e2 = g1 * g2 * s1 * s2;
    p.d2 = g1 * g3 * s1 * (s2 + s3) + g2 * g3 * s3 * (s1 + s2) + p.e2;
    p.d3 = g1 * g2 * g3 * s1 * s2 * s3;
    return p;
}

SallenKeyXSplit CHpSallenKeyX::SplitAlongR3(const SallenKeyXValues& v) const {
    const double g1 = 1.0 / v.r1, g2 = 1.0 / v.r2;
    const double s1 = 1.0 / v.c1, s2 = 1.0 / v.c2, s3 = 1.0 / v.c3;
    SallenKeyXSplit s;
    s.fixed.e1 = g2 * (s1 + s2);
    s.fixed.d1 = g1 * s1 + s.fixed.e1;
    s.fixed.e2 = g1 * g2 * s1 * s2;
    s.fixed.d2 = s.fixed.e2;
    s.slope.d1 = s1 + s2 + s3;
    s.slope.d2 = g1 * s1 * (s2 + s3) + g2 * s3 * (s1 + s2);
    s.slope.d3 = g1 * g2 * s1 * s2 * s3;
    return s;
}

std::pair<double, double> CHpSallenKeyX::EqualCapacitorResistors(double c) const {
    const double a = A1(), b = B1(), w = Context().omegaG, gain = Gain();
    if (gain <= 1.0) {
        return {a / (2.0 * c * w * b), 2.0 / (c * w * a)};
    }
    const double r3 =
        (std::sqrt(a * a + 8.0 * b * (gain - 1.0)) - a) / (2.0 * b * (gain - 1.0) * w * c);
    return {1.0 / (w * w * c * c * b * r3), r3};
}

SallenKeyXValues CHpSallenKeyX::ExactPair(int pair) const {
    const double w = Context().omegaG;
    // A section designed alone has the other's parts absent: capacitors shorted, resistors open.
    SallenKeyXValues v{kAbsentPart, kAbsentPart, kAbsentPart, kAbsentPart,
                       kAbsentPart, kAbsentPart, 0.0,         kOpenResistor};
    if (pair == 0) {
        v.c1 = StandardCapacitor(1.0 / (A0() * w * Context().r0));
        v.r1 = 1.0 / (v.c1 * w * A0());
        return v;
    }
    const double a = A1(), b = B1();
    if (Gain() <= 1.0) {
        v.c2 = v.c3 = StandardCapacitor(a / (2.0 * w * Context().r0 * b));
        std::tie(v.r2, v.r3) = EqualCapacitorResistors(v.c2);
    } else {
        // Two passes: the second moves C so that R2 comes near the impedance level.
        double f = 1.0;
        for (int pass = 0; pass < 2; ++pass) {
            v.c2 = v.c3 = StandardCapacitor(a / (2.0 * w * Context().r0 * b * f));
            std::tie(v.r2, v.r3) = EqualCapacitorResistors(v.c2);
            f = Context().r0 / v.r2;
        }
    }
    SetExactGainNetwork(v);
    return v;
}

void CHpSallenKeyX::ResistorsFromCapacitors() {
    const double a = A1(), b = B1(), w = Context().omegaG, gain = Gain();
    const double c2 = values_.c2, c3 = values_.c3;
    values_.r1 = 1.0 / (w * values_.c1 * A0());
    if (gain > 1.0) {
        values_.r3 = (std::sqrt(a * a + 4.0 * b * (gain - 1.0) * (c2 + c3) / c2) - a) /
                     (2.0 * b * (gain - 1.0) * w * c3);
    } else {
        values_.r3 = (c2 + c3) / (a * w * c2 * c3);
    }
    values_.r2 = 1.0 / (b * w * w * values_.r3 * c2 * c3);
    SetExactGainNetwork(values_);
}

void CHpSallenKeyX::Start(double c, double r2Factor, double r3Factor) {
    const auto [r2, r3] = EqualCapacitorResistors(c);
    values_.c2 = values_.c3 = c;
    values_.r2 = RoundedToSeries(r2Factor * r2, Context().series);
    values_.r3 = RoundedToSeries(r3Factor * r3, Context().series);
    ChooseGainNetwork();
}

void CHpSallenKeyX::StartGeneral() {
    const double w = Context().omegaG;
    values_.c1 = StandardCapacitor(1.0 / (Context().r0 * w * A0()));
    values_.r1 = RoundedToSeries(kStartR1 / (w * values_.c1 * A0()), Context().series);
    Start(StandardCapacitor(values_.c1 / 3.0), kStartR2, kStartR3);
}

void CHpSallenKeyX::StartEqualCapacitors() {
    const double w = Context().omegaG;
    values_.c1 = StandardCapacitor(1.0 / (Context().r0 * w * A0()));
    values_.r1 = RoundedToSeries(kStartR1 / (w * values_.c1 * A0()), Context().series);
    Start(values_.c1, 1.0, 1.0);
}

bool CHpSallenKeyX::EnterCapacitors(bool ask, CapacitorPrompt& prompt) {
    if (ask) {
        const SallenKeyXValues rc = ExactPair(0);
        const SallenKeyXValues sk = ExactPair(1);
        values_.c1 = rc.c1;
        values_.c2 = sk.c2;
        values_.c3 = sk.c3;
        if (!Ask(prompt, "C1", 1e-12, values_.c1) || !Ask(prompt, "C2", 1e-12, values_.c2) ||
            !Ask(prompt, "C3", 1e-12, values_.c3)) {
            return false;
        }
    } else {
        values_.c1 = StoredCapacitor(0, 0);
        values_.c2 = StoredCapacitor(0, 1);
        values_.c3 = StoredCapacitor(0, 2);
    }
    ResistorsFromCapacitors();
    return true;
}

}  // namespace vx
