#include "structures/circuits/hp_mfb.h"

#include <array>
#include <cmath>

#include "model/standard_value.h"
#include "structures/circuits/hp_mfb_messages.h"

namespace vx {

template <class Frequency>
Complex CHpMfb::Network(const MfbValues& v, const OpAmpParams& opAmp, Frequency w) {
    // Nodal analysis with the inverting input at -Vout/A(jw). The C3 admittance only enters as
    // G1/(jw C3), so an absent C3 (2e20, the internal node is the inverting input) is harmless.
    const Complex g = opAmp.InverseGain(w);
    const Complex s = LaplaceOf(w);
    const double g1 = 1.0 / v.r1;
    const Complex y = s * (v.c1 + v.c2) + 1.0 / v.r2;  // internal node without C3
    const Complex u = g1 / (s * v.c3);
    return -s * v.c1 / (g * y + (1.0 + g) * (g1 + u * y) + s * v.c2);
}
template Complex CHpMfb::Network(const MfbValues&, const OpAmpParams&, double);
template Complex CHpMfb::Network(const MfbValues&, const OpAmpParams&, Complex);

LineScreenAxis CHpMfb::ScreenAlong(double MfbValues::*along) const {
    // With g = 1/A and y = s (C1 + C2) + G2 the denominator is
    // g y + s C2 + G1 (1 + g) (1 + y / (s C3)), affine in G2 and in G1; the numerator s C1.
    const bool alongR2 = along == &MfbValues::r2;
    if (!alongR2 && along != &MfbValues::r1) {
        return {CLineScreen(0, 0), true};
    }
    return {Context().grid.Screen(3, 2,
                                  [&](size_t k) {
                                      const Complex s(0.0, Context().grid.Omega(k)),
                                          g = Context().opAmp.InverseGain(Context().grid.Omega(k));
                                      CLineScreen::Point p;
                                      p.p0 = 0.0;
                                      p.p = {g * s, alongR2 ? 1.0 + g : g, s};
                                      p.q = {alongR2 ? g : 1.0 + g, (1.0 + g) / s};
                                      p.m = Context().grid.Omega(k);
                                      return p;
                                  }),
            true};
}

void CHpMfb::StartScreenLine(const MfbValues& v, double MfbValues::*along,
                             CLineScreen& screen) const {
    const double c12 = v.c1 + v.c2;
    if (along == &MfbValues::r2) {
        const double g1 = 1.0 / v.r1;
        const std::array<double, 3> a = {c12, g1 * (1.0 + c12 / v.c3), v.c2};
        const std::array<double, 2> b = {1.0, g1 / v.c3};
        screen.StartLine(a, b, v.c1);
    } else {
        const double g2 = 1.0 / v.r2;
        const std::array<double, 3> a = {c12, g2, v.c2};
        const std::array<double, 2> b = {1.0 + c12 / v.c3, g2 / v.c3};
        screen.StartLine(a, b, v.c1);
    }
}

CHpMfb::LineKernel::LineKernel(const CMfbStructure& s) : w_(s.Grid()), line_(w_.size()) {
    g_.reserve(w_.size());
    onePlusG_.reserve(w_.size());
    for (double w : w_) {
        g_.push_back(s.OpAmp().InverseGain(w));
        onePlusG_.push_back(1.0 + g_.back());
    }
}

void CHpMfb::LineKernel::StartLine(const MfbValues& v) {
    imaginarySc3_ = true;
    for (size_t k = 0; k < w_.size(); ++k) {
        const Complex s(0.0, w_[k]);
        Line& l = line_[k];
        l.y = s * (v.c1 + v.c2) + 1.0 / v.r2;
        l.gy = g_[k] * l.y;
        l.sc3 = s * v.c3;
        imaginarySc3_ = imaginarySc3_ && l.sc3.real() == 0.0 && !std::signbit(l.sc3.real()) &&
                        l.sc3.imag() > 0.0 && std::isfinite(l.sc3.imag());
        l.sc2 = s * v.c2;
        l.numerator = -s * v.c1;
    }
}

void CHpMfb::ResistorsFromCapacitors() {
    const double a = A(), b = B(), w = Context().omegaG;
    values_.c2 = StandardCapacitor(values_.c1 / Gain());
    if (Context().firstOrder) {
        values_.r1 = 1.0 / (w * a * values_.c2);
        values_.c3 = kAbsentPart;
        values_.r2 = kAbsentPart;
        return;
    }
    values_.r2 = a / (b * w * (values_.c1 + values_.c2 + values_.c3));
    values_.r1 = 1.0 / (b * w * w * values_.r2 * values_.c2 * values_.c3);
}

void CHpMfb::DesignStage() {
    const double a = A(), b = B(), w = Context().omegaG, gain = Gain();
    values_ = {};
    if (Context().firstOrder) {
        values_.c2 = StandardCapacitor(1.0 / (a * w * Context().r0));
        values_.r1 = 1.0 / (a * w * values_.c2);
        values_.c1 = StandardCapacitor(gain * values_.c2);
        values_.c3 = kAbsentPart;
        values_.r2 = kAbsentPart;
        return;
    }
    values_.c1 = StandardCapacitor(a / ((2.0 + 1.0 / gain) * b * w * Context().r0));
    values_.c3 = values_.c1;
    ResistorsFromCapacitors();
}

void CHpMfb::RoundResistors() {
    RoundToSeries(values_.r1, Context().series);
    if (!Context().firstOrder) {
        RoundToSeries(values_.r2, Context().series);
    }
}

void CHpMfb::SearchCapacitors() {
    const int second = Context().firstOrder ? 1 : 24;
    const double gain = Gain();
    // R2 stays as rounded (rounding it again may move it by a unit in the last place).
    SearchRounds<LineKernel>(
        {{{&MfbValues::c1, 24, 12},
          {&MfbValues::c3, second, 12},
          {&MfbValues::r1, Context().firstOrder ? 1 : 2 * Context().series, Context().series}}},
        5, [&](MfbValues& v) { v.c2 = RoundedToSeries(v.c1 / gain, 12); });
}

void CHpMfb::SearchResistors() {
    const int steps = 2 * Context().series;
    // C1 stays; it comes first, so that the lines run along R2.
    SearchRounds<LineKernel>(
        {{{&MfbValues::c1, 1, 0},
          {&MfbValues::r1, steps, Context().series},
          {&MfbValues::r2, Context().firstOrder ? 1 : steps, Context().series}}},
        5, [](MfbValues&) {});
}

double CHpMfb::SearchCombinations(bool fixedCapacitors) {
    const MfbValues start = values_;  // the rounded values
    const double gain = Gain();
    // C2 follows from C1 and the gain, as the user's capacitors do. A first-order stage has C1
    // and R1 only; the lines run along R1, for which the stage's kernel is made.
    const bool second = !Context().firstOrder;
    static constexpr std::array<double MfbValues::*, 4> kFields = {&MfbValues::c1, &MfbValues::c3,
                                                                   &MfbValues::r2, &MfbValues::r1};
    return WidenUntilFound([&](double window) {
        const std::array<std::vector<double>, 4> axes = {
            fixedCapacitors ? std::vector<double>{start.c1} : CapacitorAxis(start.c1),
            fixedCapacitors || !second ? std::vector<double>{start.c3} : CapacitorAxis(start.c3),
            second ? ResistorAxis(start.r2, window) : std::vector<double>{start.r2},
            ResistorAxis(start.r1, window)};
        return SearchEvery<LineKernel>(
            kFields, axes, [&](MfbValues& v) { v.c2 = RoundedToSeries(v.c1 / gain, 12); });
    });
}

bool CHpMfb::EnterCapacitors(bool ask, CapacitorPrompt& prompt) {
    if (ask) {
        DesignStage();
        if (!Ask(prompt, "C1", 1e-12, values_.c1)) {
            return false;
        }
        values_.c2 = StandardCapacitor(values_.c1 / Gain());
        if (!CheckStage(Context().currentStage)) {
            return false;
        }
        const UserMessage notice = HpMfbC2Notice(values_.c2);
        prompt.Inform(notice.caption, notice.text);
        if (!Context().firstOrder && !Ask(prompt, "C3", 1e-12, values_.c3)) {
            return false;
        }
    } else {
        values_.c1 = StoredCapacitor(Context().currentStage, 0);
        values_.c3 = StoredCapacitor(Context().currentStage, 1);
    }
    ResistorsFromCapacitors();
    return true;
}

}  // namespace vx
