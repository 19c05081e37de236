#include "structures/circuits/lp_sallen_key.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/number_text.h"
#include "model/standard_value.h"
#include "structures/capacitors/capacitor_choice.h"

namespace vx {

Complex CLpSallenKey::TransferWithGain(const SallenKeyValues& v, const Complex& g,
                                       Complex s) const {
    return g / (1.0 + s * (v.c1 * (v.r1 + v.r2) + (1.0 - g) * v.r1 * v.c2) +
                s * s * (v.r1 * v.r2 * v.c1 * v.c2));
}

bool CLpSallenKey::Realizable(const SallenKeyValues& v) const {
    if (Context().firstOrder) {
        return true;
    }
    return 1.0 / (v.r1 * v.c2) + 1.0 / (v.r2 * v.c2) + (1.0 - Gain()) / (v.r2 * v.c1) > 0.0;
}

LineScreenAxis CLpSallenKey::ScreenAlong(double SallenKeyValues::*along,
                                         const std::vector<Complex>& gains) const {
    if (along != &SallenKeyValues::r2) {
        return {CLineScreen(0, 0), false};
    }
    // The denominator is affine in R2: 1 + s R1 C1 + s (1 - g) R1 C2 + R2 (s C1 + s^2 R1 C1 C2).
    return {Context().grid.Screen(2, 2,
                                  [&](size_t k) {
                                      const Complex s(0.0, Context().grid.Omega(k)), g = gains[k];
                                      CLineScreen::Point p;
                                      p.p0 = 1.0;
                                      p.p = {s, s * (1.0 - g)};
                                      p.q = {s, s * s};
                                      p.m = std::abs(g);
                                      return p;
                                  }),
            false};
}

void CLpSallenKey::StartScreenLine(const SallenKeyValues& v, double SallenKeyValues::*,
                                   CLineScreen& screen) const {
    const std::array<double, 2> a = {v.r1 * v.c1, v.r1 * v.c2};
    const std::array<double, 2> b = {v.c1, v.r1 * v.c1 * v.c2};
    screen.StartLine(a, b, 1.0);
    if (!Context().firstOrder) {
        // Realizable times R2: 1/C2 + (1 - A)/C1 + R2 / (R1 C2) > 0.
        const std::array<CLineScreen::Condition, 1> realizable = {
            {{0.0, 0.0, 0.0, 0.0, 1.0 / v.c2 + (1.0 - Gain()) / v.c1, 1.0 / (v.r1 * v.c2)}}};
        screen.SetConditions(realizable);
    }
}

double CLpSallenKey::MinimumRatio(int stage) const {
    const double a = Context().a[static_cast<size_t>(stage)];
    const double b = Context().b[static_cast<size_t>(stage)];
    return 4.0 * b / (a * a + 4.0 * b * (Context().stages[static_cast<size_t>(stage)].gain - 1.0));
}

void CLpSallenKey::ResistorsFromCapacitors() {
    const double a = A(), b = B(), w = Context().omegaG;
    if (Context().firstOrder) {
        values_.r1 = a / (w * values_.c1);
        values_.c2 = 0.0;
        values_.r2 = 0.0;
    } else {
        const double x = values_.c1 + (1.0 - Gain()) * values_.c2;
        values_.r1 = (a - std::sqrt(a * a - 4.0 * b * x / values_.c2)) / (2.0 * w * x);
        values_.r2 = b / (w * w * values_.r1 * values_.c1 * values_.c2);
    }
    SetExactGainNetwork();
}

void CLpSallenKey::DesignStage() {
    const double a = A(), b = B(), w = Context().omegaG;
    if (Context().firstOrder) {
        values_.c1 = StandardCapacitor(a / (w * Context().r0));
        values_.r1 = a / (w * values_.c1);
        values_.c2 = 0.0;
        values_.r2 = 0.0;
    } else {
        // C1 is moved until R1 comes near the impedance level.
        double c1 = a / (2.0 * w * Context().r0);
        double f = 1.0;
        for (int pass = 0; pass < 10; ++pass) {
            c1 = StandardCapacitor(f * c1);
            values_.c1 = c1;
            values_.c2 = E12AtOrAbove(c1 * MinimumRatio(Context().currentStage));
            const double x = c1 + (1.0 - Gain()) * values_.c2;
            values_.r1 = (a - std::sqrt(a * a - 4.0 * b * x / values_.c2)) / (2.0 * w * x);
            f = values_.r1 / Context().r0;
            if (f > 0.75 && f < 1.25) {
                break;
            }
        }
        values_.r2 = b / (w * w * values_.r1 * values_.c1 * values_.c2);
    }
    SetExactGainNetwork();
}

void CLpSallenKey::SearchCapacitors() {
    const int resistorSteps = 2 * Context().series;
    SearchRounds({&SallenKeyValues::c1, &SallenKeyValues::c2, &SallenKeyValues::r2},
                 {24, Context().firstOrder ? 1 : 24, Context().firstOrder ? 1 : resistorSteps},
                 {12, 12, Context().series});
}

double CLpSallenKey::MinimumCapacitor(int stage, int which, double firstCapacitor) const {
    if (which == 0 || IsFirstOrderStage(stage)) {
        return 1e-12;
    }
    return PairMinimum(MinimumRatio(stage), firstCapacitor);
}

bool CLpSallenKey::EnterCapacitors(bool ask, CapacitorPrompt& prompt) {
    if (!EnterLowPassCapacitors(ask, prompt, MinimumRatio(Context().currentStage), values_.c1,
                                values_.c2)) {
        return false;
    }
    ResistorsFromCapacitors();
    return true;
}

}  // namespace vx
