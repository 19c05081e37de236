#include "structures/circuits/hp_sallen_key.h"

#include <array>
#include <cmath>
#include <span>

#include "model/standard_value.h"

namespace vx {

Complex CHpSallenKey::TransferWithGain(const SallenKeyValues& v, const Complex& g,
                                       Complex s) const {
    // Numerator and denominator divided by R2 C2, so that a first-order stage (both 2e20)
    // reduces cleanly to G s R1 C1 / (1 + s R1 C1).
    const Complex s2r1c1 = s * s * (v.r1 * v.c1);
    return g * s2r1c1 /
           (1.0 / (v.r2 * v.c2) + s * ((v.c1 + v.c2) / v.c2 + (1.0 - g) * v.r1 / v.r2) + s2r1c1);
}

bool CHpSallenKey::Realizable(const SallenKeyValues& v) const {
    if (Context().firstOrder) {
        return true;
    }
    return 1.0 / (v.r1 * v.c2) + 1.0 / (v.r1 * v.c1) + (1.0 - Gain()) / (v.r2 * v.c1) > 0.0;
}

LineScreenAxis CHpSallenKey::ScreenAlong(double SallenKeyValues::*along,
                                         const std::vector<Complex>& gains) const {
    // H = c |g| w^2 / |p + u q| along R2 (u = 1/R2, c = R1 C1) and, divided by R1, along R1
    // (u = 1/R1, c = C1).
    const bool alongR2 = along == &SallenKeyValues::r2;
    if (!alongR2 && along != &SallenKeyValues::r1) {
        return {CLineScreen(0, 0), false};
    }
    return {Context().grid.Screen(2, 2,
                                  [&](size_t k) {
                                      const Complex s(0.0, Context().grid.Omega(k)), g = gains[k];
                                      CLineScreen::Point p;
                                      p.p0 = 0.0;
                                      if (alongR2) {
                                          p.p = {s, s * s};
                                          p.q = {1.0, s * (1.0 - g)};
                                      } else {
                                          p.p = {s * (1.0 - g), s * s};
                                          p.q = {1.0, s};
                                      }
                                      p.m = std::abs(g) * Context().grid.Omega(k) *
                                            Context().grid.Omega(k);
                                      return p;
                                  }),
            true};
}

void CHpSallenKey::StartScreenLine(const SallenKeyValues& v, double SallenKeyValues::*along,
                                   CLineScreen& screen) const {
    // Realizable: (1/C2 + 1/C1)/R1 + (1 - A)/(R2 C1) > 0, affine in either u.
    const double both = 1.0 / v.c2 + 1.0 / v.c1, damping = (1.0 - Gain()) / v.c1;
    if (along == &SallenKeyValues::r2) {
        const std::array<double, 2> a = {(v.c1 + v.c2) / v.c2, v.r1 * v.c1};
        const std::array<double, 2> b = {1.0 / v.c2, v.r1};
        screen.StartLine(a, b, v.r1 * v.c1);
        const std::array<CLineScreen::Condition, 1> realizable = {
            {{0.0, 0.0, 0.0, 0.0, both / v.r1, damping}}};
        screen.SetConditions(Context().firstOrder ? std::span<const CLineScreen::Condition>{}
                                                  : realizable);
    } else {
        const std::array<double, 2> a = {1.0 / v.r2, v.c1};
        const std::array<double, 2> b = {1.0 / (v.r2 * v.c2), (v.c1 + v.c2) / v.c2};
        screen.StartLine(a, b, v.c1);
        const std::array<CLineScreen::Condition, 1> realizable = {
            {{0.0, 0.0, 0.0, 0.0, damping / v.r2, both}}};
        screen.SetConditions(Context().firstOrder ? std::span<const CLineScreen::Condition>{}
                                                  : realizable);
    }
}

void CHpSallenKey::ResistorsFromCapacitors() {
    const double a = A(), b = B(), w = Context().omegaG, gain = Gain();
    const double c1 = values_.c1, c2 = values_.c2;
    if (Context().firstOrder) {
        values_.r1 = 1.0 / (w * c1 * a);
        values_.c2 = kAbsentPart;
        values_.r2 = kAbsentPart;
    } else {
        if (gain > 1.0) {
            values_.r1 = (std::sqrt(a * a + 4.0 * b * (gain - 1.0) * (c1 + c2) / c1) - a) /
                         (2.0 * b * (gain - 1.0) * w * c2);
        } else {
            values_.r1 = (c1 + c2) / (a * w * c1 * c2);
        }
        values_.r2 = 1.0 / (b * w * w * values_.r1 * c1 * c2);
    }
    SetExactGainNetwork();
}

void CHpSallenKey::DesignStage() {
    const double a = A(), b = B(), w = Context().omegaG, gain = Gain();
    if (Context().firstOrder) {
        values_.c1 = StandardCapacitor(1.0 / (a * w * Context().r0));
        values_.c2 = kAbsentPart;
        values_.r1 = 1.0 / (values_.c1 * w * a);
        values_.r2 = kAbsentPart;
    } else if (gain <= 1.0) {
        const double c = StandardCapacitor(a / (2.0 * w * Context().r0 * b));
        values_.c1 = values_.c2 = c;
        values_.r1 = 2.0 / (a * w * c);
        values_.r2 = a / (2.0 * w * c * b);
    } else {
        // Two passes: the second moves C so that R2 comes near the impedance level.
        double f = 1.0;
        for (int pass = 0; pass < 2; ++pass) {
            const double c = StandardCapacitor(a / (2.0 * w * Context().r0 * b * f));
            values_.c1 = values_.c2 = c;
            values_.r1 =
                (std::sqrt(a * a + 8.0 * b * (gain - 1.0)) - a) / (2.0 * b * (gain - 1.0) * w * c);
            values_.r2 = 1.0 / (b * w * w * values_.r1 * c * c);
            f = Context().r0 / values_.r2;
        }
    }
    SetExactGainNetwork();
}

void CHpSallenKey::SearchCapacitors() {
    const int second = Context().firstOrder ? 1 : 24;
    SearchRounds({&SallenKeyValues::c1, &SallenKeyValues::c2, &SallenKeyValues::r1},
                 {second, second, 2 * Context().series}, {12, 12, Context().series});
}

bool CHpSallenKey::EnterCapacitors(bool ask, CapacitorPrompt& prompt) {
    if (ask) {
        DesignStage();
        if (!Ask(prompt, "C1", 1e-12, values_.c1)) {
            return false;
        }
        if (!Context().firstOrder && !Ask(prompt, "C2", 1e-12, values_.c2)) {
            return false;
        }
    } else {
        values_.c1 = StoredCapacitor(Context().currentStage, 0);
        values_.c2 = StoredCapacitor(Context().currentStage, 1);
    }
    ResistorsFromCapacitors();
    return true;
}

}  // namespace vx
