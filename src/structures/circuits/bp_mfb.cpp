#include "structures/circuits/bp_mfb.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "model/standard_value.h"
#include "structures/capacitors/capacitor_choice.h"
#include "structures/search/combination_line.h"
#include "structures/search/line_screen.h"

namespace vx {

namespace {

// Root alpha of the low-pass to band-pass transformation of the pair (a, b) at the band-pass
// quality d: the two stages of the pair sit at fm alpha and fm / alpha.
double TransformationRoot(double a, double b, double d) {
    auto g = [&](double x) {
        const double t = a / (d * b * (1.0 + x * x));
        return 1.0 / (d * d * b) - x * x * (1.0 + t * t) - 1.0 / (x * x) + 2.0;
    };
    // g falls like -1/x^2 towards 0 and like -x^2 towards infinity, so stepping from 0.1 meets a
    // sign change; it is then bracketed by bisection.
    const double first = g(0.1);
    double lo = 0.1;
    double hi = 0.1;
    for (int step = 2; step < 1000000; ++step) {
        hi = 0.1 * step;
        if ((g(hi) < 0.0) != (first < 0.0)) {
            break;
        }
        lo = hi;
    }
    double mid = 0.5 * (lo + hi);
    for (int i = 0; i < 100; ++i) {
        mid = 0.5 * (lo + hi);
        const double gm = g(mid);
        if (std::fabs(gm) <= 1e-15) {
            break;
        }
        if ((gm < 0.0) == (first < 0.0)) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return mid;
}

// A stepless R2 tries values down to its start divided by this: three decades, then a third of
// the best (see SteplessError).
constexpr double kSteplessReach = 3000.0;

double OpenIfLarge(double r2) {
    return r2 > CBpMfb::kLargestR2 ? kOpenResistor : r2;
}

}  // namespace

template <class Frequency>
Complex CBpMfb::Transfer(const BpMfbValues& v, const OpAmpParams& opAmp, Frequency w) {
    // Nodal analysis with V(output) = -A(jw) V(inverting input): the node at C1/R3 gives the
    // internal node from the output, the internal node's sum of currents closes the loop.
    const Complex s = LaplaceOf(w);
    const Complex inverse = opAmp.InverseGain(w);
    const double g1 = 1.0 / v.r1;
    const double g2 = 1.0 / v.r2;
    const double g3 = 1.0 / v.r3;
    const Complex sc = s * v.c;
    const Complex k = g3 + (sc + g3) * inverse;
    const Complex y = g1 + g2 + 2.0 * sc;
    return -g1 * sc / (k * y + sc * sc * (1.0 - inverse));
}
template Complex CBpMfb::Transfer(const BpMfbValues&, const OpAmpParams&, double);
template Complex CBpMfb::Transfer(const BpMfbValues&, const OpAmpParams&, Complex);

double CBpMfb::Omega() const {
    return 2.0 * std::numbers::pi * Context().Record().poleFrequency;
}

double CBpMfb::ResponseError() const {
    return Context().grid.SquaredError([this](double w) { return StageTransfer(w); });
}

CBpMfb::LineKernel::LineKernel(const CBpMfb& s) : w_(s.Grid()), line_(w_.size()) {
    inverse_.reserve(w_.size());
    for (double w : w_) {
        inverse_.push_back(s.OpAmp().InverseGain(w));
    }
}

void CBpMfb::LineKernel::StartLine(const BpMfbValues& v) {
    g1_ = 1.0 / v.r1;
    const double g3 = 1.0 / v.r3;
    for (size_t i = 0; i < w_.size(); ++i) {
        const Complex s(0.0, w_[i]);
        const Complex inverse = inverse_[i];
        const Complex sc = s * v.c;
        Line& l = line_[i];
        l.twoSc = 2.0 * sc;
        l.k = g3 + (sc + g3) * inverse;
        l.scsc = sc * sc * (1.0 - inverse);
        l.numerator = -g1_ * sc;
    }
}

std::pair<double, double> CBpMfb::LineKernel::G2Range(size_t k, double target, double bound,
                                                      double g2Max) const {
    // H = N / D with D = K (g1 + g2 + 2sC) + S = K (g2 - z0): |H| falls with the distance of g2
    // from z0. A term within the bound needs |H| >= target - sqrt(bound), so |D| <= dMax.
    constexpr double kMargin = 1e-6;
    const Line& l = line_[k];
    const double low = target - std::sqrt(bound) * (1.0 + kMargin) - kMargin * target;
    // Magnitudes and the ratio below by plain formulas, not the library's careful ones: the
    // margins are far wider than their rounding, and a value out of range ends as infinity or
    // not a number, which keeps the whole line.
    auto magnitude = [](const Complex& z) {
        return std::sqrt(z.real() * z.real() + z.imag() * z.imag());
    };
    const double k2 = l.k.real() * l.k.real() + l.k.imag() * l.k.imag();
    const double kAbs = std::sqrt(k2);
    if (!(low > 0.0) || !(kAbs > 0.0) || !std::isfinite(kAbs)) {
        return {-INFINITY, INFINITY};
    }
    // The rounding of D is far below 1e-12 of the size of its parts.
    const double twoScAbs = magnitude(l.twoSc);
    const double parts = kAbs * (g1_ + g2Max + twoScAbs) + magnitude(l.scsc);
    const double dMax = magnitude(l.numerator) * (1.0 + kMargin) / low + 1e-12 * parts;
    const Complex ratio = l.scsc * std::conj(l.k) / k2;
    const Complex z0 = -(g1_ + l.twoSc + ratio);  // rounded: see the slack
    // The slack covers the rounding of z0 (also where g1 and the ratio nearly cancel).
    const double slack = kMargin * (std::fabs(z0.real()) + std::fabs(z0.imag()) + dMax / kAbs) +
                         1e-9 * (g1_ + twoScAbs + magnitude(ratio));
    const double reach = dMax / kAbs + slack;
    const double r2 = reach * reach - z0.imag() * z0.imag();
    if (!std::isfinite(r2) || !std::isfinite(z0.real())) {
        return {-INFINITY, INFINITY};
    }
    if (r2 < 0.0) {
        return {INFINITY, -INFINITY};  // even the g2 nearest to z0 is too far
    }
    const double r = std::sqrt(r2);
    return {z0.real() - r - slack, z0.real() + r + slack};
}

double CBpMfb::CandidateError(const LineKernel& kernel, double r2, double bound,
                              size_t& hint) const {
    const double g2 = 1.0 / r2;
    return Context().grid.HintedSum(
        [&](size_t k) {
            const double d = SafeMagnitude(kernel.At(g2, k)) - Context().grid.Target(k);
            return d * d;
        },
        bound, hint);
}

void CBpMfb::StoreTarget() {
    const double fp = Context().Record().poleFrequency;
    const double x = fp / (2.0 * Q());
    const double fl = std::sqrt(fp * fp + x * x) - x;
    const double r = std::sqrt(fp / fl);
    std::vector<double> omegas(static_cast<size_t>(Context().gridPoints));
    double f = fl / r;
    for (double& w : omegas) {
        w = 2.0 * std::numbers::pi * f;
        f *= r;
    }
    MutableGrid().SetOmegas(std::move(omegas));
    SetIdealTargets();
}

void CBpMfb::SetStageTargets(double stageGain) {
    const double fm = Filter().Frequency();
    const double d = Filter().Quality();
    int shift = 0;
    int alphaPair = -1;
    double alpha = 1.0;
    for (int i = 0; i < Context().stageCount; ++i) {
        const int pair = (i + shift) / 2;
        const double a = Context().a[static_cast<size_t>(pair)];
        const double b = Context().b[static_cast<size_t>(pair)];
        if (IsFirstOrder(b)) {
            SetStageRecord(fm, a * d, stageGain, i);
            shift = 1;
            continue;
        }
        if (pair != alphaPair) {
            alpha = TransformationRoot(a, b, d);
            alphaPair = pair;
        }
        const double qp = d * b * (1.0 + alpha * alpha) / (a * alpha);
        const double fp = i % 2 == 0 ? fm * alpha : fm / alpha;
        SetStageRecord(fp, qp, stageGain * qp * std::sqrt(1.0 / b) / d, i);
    }
}

void CBpMfb::ResistorsFromCapacitors() {
    const double w = Omega(), q = Q(), a = Gain(), c = values_.c;
    values_.r1 = q / (w * a * c);
    values_.r2 = q / (w * c * (2.0 * q * q - a));
    values_.r3 = 2.0 * q / (w * c);
}

void CBpMfb::DesignStage() {
    values_.c = StandardCapacitor(Q() / (Gain() * Omega() * Context().r0));
    ResistorsFromCapacitors();
}

void CBpMfb::RoundResistors() {
    RoundToSeries(values_.r1, Context().series);
    RoundToSeries(values_.r3, Context().series);
    if (!Filter().SteplessR2()) {
        RoundToSeries(values_.r2, Context().series);
    }
    // The realised stage never carries R2 above 10 MOhm, also when the search finds nothing
    // better than the rounded values.
    values_.r2 = OpenIfLarge(values_.r2);
}

bool CBpMfb::EnterCapacitors(bool ask, CapacitorPrompt& prompt) {
    if (ask) {
        values_.c = StandardCapacitor(Q() / (Gain() * Omega() * Context().r0));
        if (!Ask(prompt, "C1 = C2", 1e-12, values_.c)) {
            return false;
        }
    } else {
        values_.c = StoredCapacitor(Context().currentStage, 0);
    }
    ResistorsFromCapacitors();
    return true;
}

BpMfbValues CBpMfb::WithSteplessR2(BpMfbValues v) const {
    LineKernel kernel(*this);
    kernel.StartLine(v);
    size_t hint = 0;
    SteplessError(v, kernel, INFINITY, hint);
    return v;
}

double CBpMfb::SteplessError(BpMfbValues& v, const LineKernel& kernel, double bound, size_t& hint,
                             std::pair<double, double> reach) const {
    const double best = DecadeR2(kernel, v.r2, hint);
    // 100 values spanning best / 3 to 3 best. The candidate's error is the smallest of them
    // unless its R2 is opened, so while no value can reach 10 MOhm the trials may also stop at
    // the bound of the outer search.
    const double outer = GetSearchOptions().pruning && 4.0 * best < kLargestR2 ? bound : INFINITY;
    const auto [fineBest, fineError] = FineR2(kernel, best, outer, reach, hint);
    if (outer < INFINITY && !(fineError <= outer)) {
        return INFINITY;  // no value reached the bound: the candidate cannot win
    }
    v.r2 = OpenIfLarge(fineBest);
    return v.r2 == fineBest ? fineError : CandidateError(kernel, v.r2, bound, hint);
}

double CBpMfb::TrialError(const LineKernel& kernel, double r2, double limit, size_t& hint) const {
    // Each trial needs only to beat the best so far, so its error may stop early.
    return CandidateError(kernel, r2, GetSearchOptions().pruning ? limit : INFINITY, hint);
}

double CBpMfb::DecadeR2(const LineKernel& kernel, double start, size_t& hint) const {
    double best = start;
    double bestError = TrialError(kernel, start, INFINITY, hint);
    bool better = false;
    double r = start;
    for (int i = 0; i < 3; ++i) {
        r /= 10.0;
        const double e = TrialError(kernel, r, bestError, hint);
        if (e < bestError) {
            bestError = e;
            best = r;
            better = true;
        }
    }
    if (!better) {
        r = start;
        for (int i = 0; i < 3; ++i) {
            r *= 10.0;
            const double e = TrialError(kernel, r, bestError, hint);
            if (e < bestError) {
                bestError = e;
                best = r;
            }
        }
    }
    return best;
}

std::pair<double, double> CBpMfb::FineR2(const LineKernel& kernel, double best, double outer,
                                         std::pair<double, double> reach, size_t& hint) const {
    const bool pruning = GetSearchOptions().pruning;
    const double factor = std::pow(9.0, 1.0 / 99.0);
    double fine = best / 3.0;
    double fineBest = fine;
    double fineError = INFINITY;
    // With pruning the trials whose g2 lies outside the kernel's range for the limit are
    // skipped: their error is above the limit (see G2Range).
    const double g2Max = 1.0 / fine;
    std::pair<double, double> g2Range{-INFINITY, INFINITY};
    double screened = INFINITY;
    for (int i = 0; i < 100; ++i, fine *= factor) {
        const double limit = outer < fineError ? outer : fineError;
        if (pruning && limit < INFINITY) {
            if (limit != screened) {
                g2Range = kernel.G2Range(hint, Context().grid.Target(hint), limit, g2Max);
                if (outer < INFINITY) {
                    g2Range = {std::max(g2Range.first, reach.first),
                               std::min(g2Range.second, reach.second)};
                }
                screened = limit;
            }
            const double g2 = 1.0 / fine;
            if (g2 < g2Range.first || g2 > g2Range.second) {
                continue;
            }
        }
        const double e = TrialError(kernel, fine, limit, hint);
        if (e < fineError && !(e > limit)) {
            fineError = e;
            fineBest = fine;
        }
    }
    return {fineBest, fineError};
}

// A line of a search round: the candidates that differ in R2 only share their kernel's line.
struct CBpMfb::RoundLine {
    const CBpMfb& s;
    const BpMfbValues& start;
    const std::vector<double>& caps;
    const std::vector<double>& r3s;
    const std::vector<double>& r2s;
    const std::vector<double>& g2s;  // 1/R2 per candidate, opened above 10 MOhm: falling
    bool stepless;
    LineKernel kernel;
    CLineScreen screen;  // along g2, for a stepless R2
    BpMfbValues v{};
    size_t hint = 0;  // see CErrorGrid::ErrorAt
    // A stepless line's g2 outside this range give an error above the bound of its start.
    std::pair<double, double> reach{-INFINITY, INFINITY};

    // Only the R2 (g2 = 1/R2) whose term at every grid point may stay within the bound: the
    // ranges of the points are intersected, the hint point's first. A stepless R2 takes any g2
    // from 0 (opened) to kSteplessReach / R2 of the round: the line is skipped when none of them
    // can do.
    IndexRange Start(const std::array<int, 3>& index, double bound) {
        v = start;
        v.c = caps[static_cast<size_t>(index[0])];
        v.r3 = r3s[static_cast<size_t>(index[1])];
        kernel.StartLine(v);
        const int size = static_cast<int>(r2s.size());
        reach = {-INFINITY, INFINITY};
        if (!(bound < INFINITY)) {
            return {0, size};
        }
        const double g2Max = stepless ? kSteplessReach / r2s.front() : g2s.front();
        double lo = -INFINITY, hi = INFINITY;
        for (size_t i = 0; i < s.Context().grid.Size() && lo <= hi; ++i) {
            const size_t k = i == 0 ? hint : (i == hint ? 0 : i);
            const auto [l, h] = kernel.G2Range(k, s.Context().grid.Target(k), bound, g2Max);
            lo = std::max(lo, l);
            hi = std::min(hi, h);
        }
        if (stepless) {
            reach = {lo, hi};
            const double top = g2Max * (1.0 + 1e-6);
            if (!(lo <= hi && hi >= 0.0 && lo <= top)) {
                return {0, 0};
            }
            // The sum of the terms over the g2 that remain.
            const double g3 = 1.0 / v.r3, g1 = 1.0 / v.r1;
            const std::array<double, 4> a = {g3 * g1, g3 * v.c, v.c * g1, v.c * v.c};
            const std::array<double, 2> b = {g3, v.c};
            screen.StartLine(a, b, g1 * v.c);
            return {0, screen.Reaches(std::max(lo, 0.0), std::min(hi, top), bound, 4) ? size : 0};
        }
        const auto begin =
            std::partition_point(g2s.begin(), g2s.end(), [hi = hi](double g2) { return g2 > hi; });
        const auto end =
            std::partition_point(begin, g2s.end(), [lo = lo](double g2) { return g2 >= lo; });
        return {static_cast<int>(begin - g2s.begin()), static_cast<int>(end - g2s.begin())};
    }
    double Error(int last, double bound) {
        if (stepless) {
            BpMfbValues t = v;
            return s.SteplessError(t, kernel, bound, hint, reach);
        }
        return s.CandidateError(kernel, OpenIfLarge(r2s[static_cast<size_t>(last)]), bound, hint);
    }
};

CLineScreen CBpMfb::SteplessScreen() const {
    // With K = g3 (1 + 1/A) + s C / A the denominator is K (g1 + g2 + 2 s C) + (s C)^2 (1 - 1/A):
    // p = g3 g1 (1 + 1/A) + g3 C 2s (1 + 1/A) + C g1 s / A + C^2 s^2 (1 + 1/A), q = K, and the
    // numerator's magnitude g1 C w.
    CLineScreen screen(4, 2);
    for (size_t k = 0; k < Context().grid.Size(); ++k) {
        const Complex s(0.0, Context().grid.Omega(k)),
            inverse = Context().opAmp.InverseGain(Context().grid.Omega(k));
        CLineScreen::Point p;
        p.p0 = 0.0;
        p.p = {1.0 + inverse, 2.0 * s * (1.0 + inverse), s * inverse, s * s * (1.0 + inverse)};
        p.q = {1.0 + inverse, s * inverse};
        p.m = Context().grid.Omega(k);
        p.beta = Context().grid.Target(k);
        screen.AddPoint(p);
    }
    return screen;
}

void CBpMfb::SearchRounds(int capacitorSteps) {
    const bool stepless = Filter().SteplessR2();
    const int resistorSteps = 2 * Context().series;
    BpMfbValues best = values_;
    for (int round = 0; round < 5; ++round) {
        const std::vector<double> caps = capacitorSteps == 1
                                             ? std::vector<double>{best.c}
                                             : SeriesRun(0.1 * best.c, capacitorSteps, 12);
        const std::vector<double> r3s = SeriesRun(0.1 * best.r3, resistorSteps, Context().series);
        const std::vector<double> r2s =
            stepless ? std::vector<double>{best.r2}
                     : SeriesRun(0.1 * best.r2, resistorSteps, Context().series);
        std::vector<double> g2s;
        for (double r2 : r2s) {
            g2s.push_back(1.0 / OpenIfLarge(r2));
        }
        const BpMfbValues start = best;
        const CLineScreen screen = stepless ? SteplessScreen() : CLineScreen(0, 0);
        auto candidate = [&](const std::array<int, 3>& index) {
            BpMfbValues v = start;
            v.c = caps[static_cast<size_t>(index[0])];
            v.r3 = r3s[static_cast<size_t>(index[1])];
            v.r2 = r2s[static_cast<size_t>(index[2])];
            return stepless ? WithSteplessR2(v) : BpMfbValues{v.c, v.r1, OpenIfLarge(v.r2), v.r3};
        };
        std::array<int, 3> bestIndex{};
        const bool improved = SearchLines<3>(
            {static_cast<int>(caps.size()), static_cast<int>(r3s.size()),
             static_cast<int>(r2s.size())},
            [&] {
                return RoundLine{*this, start, caps, r3s, r2s, g2s, stepless, LineKernel(*this),
                                 screen};
            },
            bestIndex);
        if (improved) {
            best = candidate(bestIndex);
        }
        values_ = best;
        if (Cancelled()) {
            return;
        }
        // An open R2 stands for every value above 10 MOhm, so it never asks for another round.
        const bool accepted =
            (capacitorSteps == 1 || WithinSearchRange(best.c, caps[0])) &&
            WithinSearchRange(best.r3, r3s[0]) &&
            (stepless || best.r2 == kOpenResistor || WithinSearchRange(best.r2, r2s[0]));
        if (accepted || round == 4) {
            break;
        }
        IncrementRetry();
    }
}

void CBpMfb::SearchCapacitors() {
    SearchRounds(24);
}

void CBpMfb::SearchResistors() {
    SearchRounds(1);
}

// The stage as the search over every combination sees it: the lines run along g2 = 1/R2 with
// the stepless search's screen. R3 / (2 R1) sets the stage's gain: R1 is the standard value
// nearest to it, so that the search does not trade the gain for the pole; one outside the
// window makes the candidate's error not a number, which never wins.
struct CBpMfb::CombinationKernel {
    LineKernel kernel;
    double gain;
    int series;
    double low, high;  // the window

    void CompleteR1(BpMfbValues& v) const {
        v.r1 = RoundedToSeries(v.r3 / (2.0 * gain), series);
        if (v.r1 < low || v.r1 > high) {
            v.r1 = NAN;
        }
    }
    template <size_t D>
    bool StartLine(BpMfbValues& v, const std::array<int, D>&, CLineScreen& screen, double) {
        CompleteR1(v);
        kernel.StartLine(v);
        const double g3 = 1.0 / v.r3, g1 = 1.0 / v.r1;
        const std::array<double, 4> a = {g3 * g1, g3 * v.c, v.c * g1, v.c * v.c};
        const std::array<double, 2> b = {g3, v.c};
        screen.StartLine(a, b, g1 * v.c);
        return true;
    }
    bool Realizable(const BpMfbValues&) const { return true; }
    Complex At(const BpMfbValues& v, size_t k) const { return kernel.At(1.0 / v.r2, k); }
};

double CBpMfb::SearchCombinations(bool fixedCapacitors) {
    return WidenUntilFound([&](double window) { return SearchWithin(window, fixedCapacitors); });
}

bool CBpMfb::SearchWithin(double window, bool fixedCapacitors) {
    // R2 takes every value of the window up to 10 MOhm, or none (opened): the exact R2 lies far
    // from the impedance level where the stage's gain comes near its limit 2 Qp^2.
    std::vector<double> r2s;
    StandardValue r2(Context().series, Context().r0 / window);
    for (double r = r2.Value(); r <= Context().r0 * window && r <= kLargestR2; r = r2.Next()) {
        if (r >= Context().r0 / window) {
            r2s.push_back(r);
        }
    }
    r2s.push_back(kOpenResistor);
    static constexpr std::array<double BpMfbValues::*, 3> kFields = {
        &BpMfbValues::c, &BpMfbValues::r3, &BpMfbValues::r2};
    const std::array<std::vector<double>, 3> axes = {
        fixedCapacitors ? std::vector<double>{values_.c} : CapacitorAxis(values_.c),
        ResistorAxis(values_.r3, window), r2s};
    const CLineScreen screen = SteplessScreen();
    std::vector<double> u;
    for (double r : r2s) {
        u.push_back(1.0 / r);
    }
    const CombinationKernel kernel{LineKernel(*this), Gain(), Context().series,
                                   Context().r0 / window, Context().r0 * window};
    const bool found = SearchCombinationAxes(kFields, axes, u, kernel, screen, values_);
    if (found) {
        kernel.CompleteR1(values_);
    }
    return found;
}

}  // namespace vx
