#include "structures/circuits/lp_mfb.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/number_text.h"
#include "model/standard_value.h"
#include "structures/capacitors/capacitor_choice.h"

namespace vx {

template <class Frequency>
Complex CLpMfb::Network(const MfbValues& v, const OpAmpParams& opAmp, Frequency w) {
    // Nodal analysis with the inverting input at -Vout/A(jw). Written so that R3 = 0 (a
    // first-order stage, the internal node is the inverting input) needs no special case.
    const Complex g = opAmp.InverseGain(w);
    const Complex s = LaplaceOf(w);
    const double g1 = 1.0 / v.r1;
    const double g2 = 1.0 / v.r2;
    const Complex y = g1 + g2 + s * v.c2;  // internal node without R3
    const Complex sc1 = s * v.c1;
    const Complex sc1r3 = sc1 * v.r3;
    return -g1 / (g * ((1.0 + sc1r3) * y + sc1) + sc1r3 * y + sc1 + g2);
}
template Complex CLpMfb::Network(const MfbValues&, const OpAmpParams&, double);
template Complex CLpMfb::Network(const MfbValues&, const OpAmpParams&, Complex);

LineScreenAxis CLpMfb::ScreenAlong(double MfbValues::*along) const {
    if (along != &MfbValues::r3) {
        return {CLineScreen(0, 0), false};
    }
    // With g = 1/A the denominator is g (G1 + G2) + s (C1 + C2) g + s C1 + G2
    // + R3 (1 + g) s C1 (G1 + G2 + s C2), the numerator G1.
    return {Context().grid.Screen(4, 2,
                                  [&](size_t k) {
                                      const Complex s(0.0, Context().grid.Omega(k)),
                                          g = Context().opAmp.InverseGain(Context().grid.Omega(k));
                                      CLineScreen::Point p;
                                      p.p0 = 0.0;
                                      p.p = {g, g * s, s, 1.0};
                                      p.q = {(1.0 + g) * s, (1.0 + g) * s * s};
                                      p.m = 1.0;
                                      return p;
                                  }),
            false};
}

void CLpMfb::StartScreenLine(const MfbValues& v, double MfbValues::*, CLineScreen& screen) const {
    const double g1 = 1.0 / v.r1, g2 = 1.0 / v.r2;
    const std::array<double, 4> a = {g1 + g2, v.c1 + v.c2, v.c1, g2};
    const std::array<double, 2> b = {v.c1 * (g1 + g2), v.c1 * v.c2};
    screen.StartLine(a, b, g1);
}

double CLpMfb::MinimumRatio(int stage) const {
    const double a = Context().a[static_cast<size_t>(stage)];
    const double b = Context().b[static_cast<size_t>(stage)];
    return 4.0 * b * (1.0 + Context().stages[static_cast<size_t>(stage)].gain) / (a * a);
}

double CLpMfb::MinimumCapacitor(int stage, int which, double firstCapacitor) const {
    if (which == 0 || IsFirstOrderStage(stage)) {
        return 1e-12;
    }
    return PairMinimum(MinimumRatio(stage), firstCapacitor);
}

void CLpMfb::ResistorsFromCapacitors() {
    const double a = A(), b = B(), w = Context().omegaG, gain = Gain();
    if (Context().firstOrder) {
        values_.r2 = a / (w * values_.c1);
        values_.r1 = values_.r2 / gain;
        values_.c2 = 0.0;
        values_.r3 = 0.0;
        return;
    }
    const double c1 = values_.c1, c2 = values_.c2;
    // The smaller root of w C1 R2^2 - a R2 + (1 + A) b / (w C2) = 0; real while C2/C1 reaches
    // the minimum ratio (clamped against rounding exactly at it).
    const double ac2 = a * c2;
    const double root = std::sqrt(std::max(0.0, ac2 * ac2 - 4.0 * (gain + 1.0) * b * c1 * c2));
    values_.r2 = (ac2 - root) / (2.0 * w * c1 * c2);
    values_.r1 = values_.r2 / gain;
    values_.r3 = b / (w * w * c1 * c2 * values_.r2);
}

void CLpMfb::DesignStage() {
    values_ = {};
    if (Context().firstOrder) {
        values_.c1 = StandardCapacitor(A() / (Gain() * Context().r0 * Context().omegaG));
        ResistorsFromCapacitors();
        return;
    }
    // The second pass scales C1 so that R1 comes near the impedance level.
    double c1 = A() / (3.0 * Context().omegaG * Context().r0);
    for (int pass = 0; pass < 2; ++pass) {
        values_.c1 = StandardCapacitor(c1);
        values_.c2 = E12AtOrAbove(values_.c1 * MinimumRatio(Context().currentStage));
        ResistorsFromCapacitors();
        c1 = values_.c1 * values_.r1 / Context().r0;
    }
}

void CLpMfb::RoundResistors() {
    for (double* r : {&values_.r1, &values_.r2, &values_.r3}) {
        RoundToSeries(*r, Context().series);
    }
}

void CLpMfb::SearchCapacitors() {
    if (Context().firstOrder) {
        SearchFirstOrderCapacitor();
        return;
    }
    // R1 and R2 stay at the standard pair whose ratio meets the gain best; the pole pair is
    // tuned with C1, C2 and R3. With R2 = A R1 merely rounded the gain would miss by up to half
    // a series step, and the search would trade pole quality for gain. The search starts from
    // the pair; the driver keeps the rounded stage when that ends closer.
    const std::pair<double, double> pair = GainPair(values_.r1);
    values_.r1 = pair.first;
    values_.r2 = pair.second;
    SetBestError(ResponseError());
    SearchRounds({{{&MfbValues::c1, 24, 12},
                   {&MfbValues::c2, 24, 12},
                   {&MfbValues::r3, 2 * Context().series, Context().series}}},
                 5, [&](MfbValues&) {});
}

std::pair<double, double> CLpMfb::GainPair(double r1) const {
    const double gain = Gain();
    // Among the standard values from 0.7 to 1.45 times R1 (about two E12 steps either side) the
    // smallest gain error wins; of equal errors the R1 nearest the given one.
    std::pair<double, double> best{r1, RoundedToSeries(gain * r1, Context().series)};
    double bestError = INFINITY;
    double bestDistance = INFINITY;
    StandardValue candidate(Context().series, 0.7 * r1);
    for (double r = candidate.Value(); r <= 1.45 * r1; r = candidate.Next()) {
        const double r2 = RoundedToSeries(gain * r, Context().series);
        const double error = std::fabs(r2 / (r * gain) - 1.0);
        const double distance = std::fabs(std::log(r / r1));
        if (error < bestError || (error == bestError && distance < bestDistance)) {
            best = {r, r2};
            bestError = error;
            bestDistance = distance;
        }
    }
    return best;
}

void CLpMfb::SearchFirstOrderCapacitor() {
    const MfbValues entry = values_;
    const double gain = Gain();
    MfbValues start = values_;
    RoundToSeries(start.r1, Context().series);
    start.r2 = RoundedToSeries(gain * start.r1, Context().series);
    auto error = [&](const MfbValues& v, double bound) {
        return Context().grid.Error([&](double w) { return Network(v, Context().opAmp, w); },
                                    bound);
    };

    const std::vector<double> c1Run = SeriesRun(0.1 * start.c1, 24, 12);
    MfbValues best = start;
    bool improved = false;
    std::array<int, 1> c1Index{};
    if (SearchGrid<1>(
            {24},
            [&](const std::array<int, 1>& i, double bound) {
                MfbValues v = start;
                v.c1 = c1Run[static_cast<size_t>(i[0])];
                return error(v, bound);
            },
            c1Index)) {
        best.c1 = c1Run[static_cast<size_t>(c1Index[0])];
        improved = true;
    }

    // The pole moves with R2 C1, so R1 (with R2 = A R1) is tried with the best C1 and its two
    // neighbours.
    if (!Cancelled()) {
        StandardValue step(12, best.c1);
        const double below = step.Previous();
        const std::vector<double> c1Near = SeriesRun(below, 3, 12);
        const std::vector<double> r1Run =
            SeriesRun(0.1 * start.r1, 2 * Context().series, Context().series);
        std::array<int, 2> index{};
        auto candidate = [&](const std::array<int, 2>& i) {
            MfbValues v = start;
            v.c1 = c1Near[static_cast<size_t>(i[0])];
            v.r1 = r1Run[static_cast<size_t>(i[1])];
            v.r2 = RoundedToSeries(gain * v.r1, Context().series);
            return v;
        };
        if (SearchGrid<2>(
                {3, 2 * Context().series},
                [&](const std::array<int, 2>& i, double bound) {
                    return error(candidate(i), bound);
                },
                index)) {
            best = candidate(index);
            improved = true;
        }
    }
    values_ = improved ? best : entry;
}

void CLpMfb::SearchResistors() {
    const double gain = Gain();
    auto r2FromR1 = [&](MfbValues& v) { v.r2 = RoundedToSeries(gain * v.r1, Context().series); };
    const int steps = 2 * Context().series;
    if (Context().firstOrder) {
        values_.c2 = 0.0;
        values_.r3 = 0.0;
        SearchRounds({{{&MfbValues::r1, steps, Context().series},
                       {&MfbValues::r3, 1, 0},
                       {&MfbValues::c1, 1, 0}}},
                     1, r2FromR1);
    } else {
        // C1 stays; it comes first, so that the lines run along R3.
        SearchRounds({{{&MfbValues::c1, 1, 0},
                       {&MfbValues::r1, steps, Context().series},
                       {&MfbValues::r3, steps, Context().series}}},
                     5, r2FromR1);
    }
}

double CLpMfb::SearchCombinations(bool fixedCapacitors) {
    const MfbValues start = values_;  // the rounded values
    const double gain = Gain();
    // R2 / R1 sets the gain: R2 is the standard value nearest A R1, as with entered capacitors,
    // so that the search does not trade the pass-band gain for the pole. A first-order stage
    // has C1, R1 and R2 only; the lines run along R3, which is screened.
    const bool second = !Context().firstOrder;
    static constexpr std::array<double MfbValues::*, 4> kFields = {&MfbValues::c1, &MfbValues::c2,
                                                                   &MfbValues::r1, &MfbValues::r3};
    return WidenUntilFound([&](double window) {
        const std::array<std::vector<double>, 4> axes = {
            fixedCapacitors ? std::vector<double>{start.c1} : CapacitorAxis(start.c1),
            fixedCapacitors || !second ? std::vector<double>{start.c2} : CapacitorAxis(start.c2),
            ResistorAxis(start.r1, window),
            second ? ResistorAxis(start.r3, window) : std::vector<double>{start.r3}};
        const double low = Context().r0 / window, high = Context().r0 * window;
        return SearchEvery<TransferKernel>(kFields, axes, [&](MfbValues& v) {
            v.r2 = RoundedToSeries(gain * v.r1, Context().series);
            // An R2 outside the window makes the candidate's error not a number: it never wins.
            if (v.r2 < low || v.r2 > high) {
                v.r2 = NAN;
            }
        });
    });
}

bool CLpMfb::EnterCapacitors(bool ask, CapacitorPrompt& prompt) {
    if (!EnterLowPassCapacitors(ask, prompt, MinimumRatio(Context().currentStage), values_.c1,
                                values_.c2)) {
        return false;
    }
    ResistorsFromCapacitors();
    return true;
}

}  // namespace vx
