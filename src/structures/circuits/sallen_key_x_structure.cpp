#include "structures/circuits/sallen_key_x_structure.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/standard_value.h"
#include "structures/capacitors/capacitor_choice.h"
#include "structures/circuits/cubic_stability.h"
#include "structures/gain_resistors.h"

namespace vx {

void CSallenKeyXStructure::SetStageTargets(double stageGain) {
    // Two records, one per coefficient pair, although the filter is one op-amp stage.
    SetLowHighPassTargets(stageGain, highPass_, 2);
}

Complex CSallenKeyXStructure::StageTransfer(double w) const {
    return Transfer(Polynomial(values_),
                    Context().opAmp.NonInvertingGain(FeedbackFraction(values_.r4, values_.r5), w),
                    X(w));
}

Complex CSallenKeyXStructure::StageTransferAt(Complex s) const {
    return Transfer(Polynomial(values_),
                    Context().opAmp.NonInvertingGain(FeedbackFraction(values_.r4, values_.r5), s),
                    X(s));
}

CSallenKeyXStructure::ErrorGrid CSallenKeyXStructure::GridPoints(const SallenKeyXValues& v) const {
    ErrorGrid grid;
    const size_t n = Context().grid.Size();
    grid.points.resize(n);
    const double k = FeedbackFraction(v.r4, v.r5);
    for (size_t i = 0; i < n; ++i) {
        grid.points[i] = {X(Context().grid.Omega(i)),
                          Context().opAmp.NonInvertingGain(k, Context().grid.Omega(i)),
                          Context().grid.Target(i)};
    }
    // Where a poor candidate shows first, measured on low-pass searches: at the stop-band end of
    // the grid, where the targets are small and the relative error large (mirrored for the
    // high-pass).
    constexpr std::array<double, ErrorGrid::kProbes> kProbeAt = {1.0, 0.83, 0.72, 0.5};
    grid.slot.assign(n, -1);
    for (size_t i = 0; i < ErrorGrid::kProbes; ++i) {
        const double f = highPass_ ? 1.0 - kProbeAt[i] : kProbeAt[i];
        grid.probes[i] = std::min(n - 1, static_cast<size_t>(f * static_cast<double>(n - 1) + 0.5));
        grid.slot[grid.probes[i]] = static_cast<int>(i);
    }
    for (const GridPoint& point : grid.points) {
        grid.lanes.AddPoint(point.x, point.gain, point.target);
    }
    grid.lanes.SetProbes(grid.probes);
    // The screen takes every point: where many candidates come close to the best error, as
    // with a slow amplifier, a bound from part of the points rejects almost nothing. The probes
    // come first, then the points from the stop-band end, so that a poor interval shows early.
    std::vector<size_t> order(grid.probes.begin(), grid.probes.end());
    for (size_t i = 0; i < n; ++i) {
        const size_t k = highPass_ ? i : n - 1 - i;
        if (grid.slot[k] < 0) {
            order.push_back(k);
        }
    }
    const double correction = GainCorrection(v);
    for (size_t k : order) {
        const GridPoint& point = grid.points[k];
        const Complex x = point.x, x2 = x * x, g = point.gain;
        CLineScreen::Point s;
        s.p0 = 1.0;
        s.p = {x, -x * g, x2, -x2 * g};
        s.q = {x, x2, x2 * x};
        s.m = std::abs(g);
        s.alpha = correction;
        s.beta = point.target;
        s.gamma = 1.0 / point.target;
        grid.screen.AddPoint(s);
    }
    return grid;
}

double CSallenKeyXStructure::GainCorrection(const SallenKeyXValues& v) const {
    return v.r4 < 1e-20 ? 1.0 : Gain() / ((v.r4 + v.r5) / v.r5);
}

double CSallenKeyXStructure::RelativeError(const SallenKeyXValues& v, const ErrorGrid& points,
                                           double bound) const {
    return PolynomialError(Polynomial(v), GainCorrection(v), points, bound);
}

double CSallenKeyXStructure::PolynomialError(const SallenKeyXPolynomial& p, double correction,
                                             const ErrorGrid& grid, double bound) {
    auto term = [&](const GridPoint& q) {
        const double d =
            (SafeMagnitude(Transfer(p, q.gain, q.x)) * correction - q.target) / q.target;
        return d * d;
    };
    // The probes are summed in another order than the full error, which may round differently
    // by a few units in the last place; they drop a candidate only with a wide margin.
    std::array<double, ErrorGrid::kProbes> probed{};
    double partial = 0.0;
    for (size_t i = 0; i < grid.probes.size() && bound < INFINITY; ++i) {
        probed[i] = term(grid.points[grid.probes[i]]);
        partial += probed[i];
        if (partial > bound * (1.0 + 1e-9)) {
            return partial;
        }
    }
    double sum = 0.0;
    for (size_t k = 0; k < grid.points.size(); ++k) {
        const int slot = grid.slot[k];
        sum += slot >= 0 && bound < INFINITY ? probed[static_cast<size_t>(slot)]
                                             : term(grid.points[k]);
        if (sum > bound) {
            return sum;
        }
    }
    return sum;
}

double CSallenKeyXStructure::CandidateError(const SallenKeyXValues& v, const ErrorGrid& points,
                                            double bound) const {
    const SallenKeyXPolynomial p = Polynomial(v);
    return Stable(p, 1.0 / FeedbackFraction(v.r4, v.r5))
               ? PolynomialError(p, GainCorrection(v), points, bound)
               : INFINITY;
}

void CSallenKeyXStructure::StartLine(const SallenKeyXValues& v, CLineScreen& screen) const {
    const SallenKeyXSplit split = SplitAlongR3(v);
    const SallenKeyXPolynomial& f = split.fixed;
    const SallenKeyXPolynomial& q = split.slope;
    const std::array<double, 4> a = {f.d1, f.e1, f.d2, f.e2};
    const std::array<double, 3> b = {q.d1, q.d2, q.d3};
    screen.StartLine(a, b, 1.0);
    // The Hurwitz conditions of the denominator 1 + c1 x + c2 x^2 + c3 x^3 (see Stable), each
    // coefficient affine in u: the low-pass needs c3 > 0, c2 > 0 and c1 c2 > c3, the high-pass
    // (monic in s: s^3 + c1 s^2 + c2 s + c3) c1 > 0, c3 > 0 and c1 c2 > c3.
    const double gain = 1.0 / FeedbackFraction(v.r4, v.r5);
    const double c1 = f.d1 - gain * f.e1, c2 = f.d2 - gain * f.e2;
    const std::array<CLineScreen::Condition, 3> conditions = {{
        {0.0, 0.0, 0.0, 0.0, 0.0, q.d3},
        {0.0, 0.0, 0.0, 0.0, highPass_ ? c1 : c2, highPass_ ? q.d1 : q.d2},
        {c1, q.d1, c2, q.d2, 0.0, -q.d3},
    }};
    screen.SetConditions(conditions);
}

double CSallenKeyXStructure::ResponseError() const {
    return RelativeError(values_, GridPoints(values_));
}

bool CSallenKeyXStructure::Realizable(const SallenKeyXValues& v) const {
    return Stable(Polynomial(v), 1.0 / FeedbackFraction(v.r4, v.r5));
}

bool CSallenKeyXStructure::Stable(const SallenKeyXPolynomial& p, double gain) const {
    const double c1 = p.d1 - gain * p.e1;
    const double c2 = p.d2 - gain * p.e2;
    const double c3 = p.d3;
    if (highPass_) {
        // s^3 D(1/s) = s^3 + c1 s^2 + c2 s + c3 is already monic.
        return CubicIsStable(c1, c2, c3);
    }
    return c3 > 0.0 && CubicIsStable(c2 / c3, c1 / c3, 1.0 / c3);
}

void CSallenKeyXStructure::SetExactGainNetwork(SallenKeyXValues& v) const {
    v.r5 = Context().r0;
    v.r4 = Context().r0 * (Gain() - 1.0);
}

void CSallenKeyXStructure::ChooseGainNetwork() {
    const GainResistors gain = ChooseGainResistors(Gain(), Context().r0, Context().series);
    values_.r4 = gain.feedback;
    values_.r5 = gain.ground;
}

void CSallenKeyXStructure::RoundResistors() {
    for (double* r : {&values_.r1, &values_.r2, &values_.r3, &values_.r4, &values_.r5}) {
        RoundToSeries(*r, Context().series);
    }
}

void CSallenKeyXStructure::DesignFromCapacitors(int stage, double c1, double c2) {
    // The editing dialog gives the first two capacitors; C3 keeps its stored value.
    SelectStage(0);
    values_.c1 = c1;
    values_.c2 = c2;
    values_.c3 = StoredCapacitor(stage, 2);
    ResistorsFromCapacitors();
    StoreStageValues(stage);
}

bool CSallenKeyXStructure::AccumulateTargets() {
    std::vector<double> first;
    for (int pair = 0; pair < 2; ++pair) {
        SelectStage(pair);
        DesignStage();
        if (!CheckStage(0)) {
            return false;
        }
        StoreTarget();
        AccumulateTargetResponse();
        if (pair == 0) {
            first = Context().grid.Targets();
        }
    }
    for (size_t k = 0; k < first.size(); ++k) {
        MutableGrid().ScaleTarget(k, first[k]);
    }
    SelectStage(0);
    return true;
}

void CSallenKeyXStructure::StoreAndAccumulate() {
    StoreStageValues(0);
    AccumulateFilterResponse();
    AccumulateGroupDelay();
}

void CSallenKeyXStructure::DesignWithCapacitorSearch() {
    ResetProgress();
    PumpMessages();
    if (!AccumulateTargets()) {
        return;
    }
    if (Filter().EqualCapacitors()) {
        StartEqualCapacitors();
    } else {
        StartGeneral();
    }
    if (!CheckStage(0)) {
        return;
    }
    // The starting design stands for the rounded one: the exact pairs do not make a circuit.
    const double startError = StartSearch();
    KeepStageValues(0, StageVersion::ROUNDED);
    double window = 0.0;
    if (Context().exhaustive) {
        // The neighbours first, as for the other structures (see CStageLoop::Search).
        SearchNeighbours();
        if (Cancelled()) {
            return;
        }
        SetNeighbourDeviation(ResponseDeviation());
        RecallStageValues(0, StageVersion::ROUNDED);
        StartSearch();
        window =
            WidenUntilFound([&](double w) { return SearchWithin(w, Filter().EqualCapacitors()); });
    }
    if (window <= 0.0 && !Cancelled()) {
        SearchNeighbours();
    }
    if (Cancelled()) {
        return;
    }
    StageOutcome outcome{startError, ResponseError()};
    outcome.window = window;
    RecordOutcome(0, outcome);
    StoreAndAccumulate();
}

void CSallenKeyXStructure::DesignWithFixedCapacitors() {
    ResetProgress();
    PumpMessages();
    if (!AccumulateTargets()) {
        return;
    }
    // The stored values carry the capacitors the user entered and their resistors.
    LoadStageValues(0);
    if (!CheckStage(0)) {
        return;
    }
    RoundResistors();
    const double error = ResponseError();
    SetBestError(error);
    RecordOutcome(0, {error, error});
    StoreAndAccumulate();
}

void CSallenKeyXStructure::SearchNeighbours() {
    if (Filter().EqualCapacitors()) {
        SearchEqualCapacitors();
    } else {
        SearchCapacitors();
    }
}

DesignTransfers CSallenKeyXStructure::CaptureTransfers() {
    DesignTransfers t = EmptyTransfers();
    // The target is the product of both exactly dimensioned pairs; the circuit is one stage.
    for (int pair = 0; pair < 2; ++pair) {
        SelectStage(pair);
        DesignStage();
        WithIdealOpAmp([&] { AppendTransfer(t.target); });
    }
    SelectStage(0);
    LoadStageValues(0);
    AppendTransfer(t.filter);
    return t;
}

void CSallenKeyXStructure::RecomputeCurves() {
    AccumulateTargets();
    LoadStageValues(0);
    AccumulateFilterResponse();
    AccumulateGroupDelay();
}

template <class SetLine>
class CSallenKeyXStructure::R3Line {
  public:
    R3Line(const CSallenKeyXStructure& structure, const ErrorGrid& grid,
           const std::vector<double>& r3, const SallenKeyXValues& start, const SetLine& setLine)
        : structure_(structure),
          grid_(grid),
          r3_(r3),
          setLine_(setLine),
          v_(start),
          screen_(grid.screen) {
        for (double r : r3) {
            u_.push_back(structure.highPass_ ? 1.0 / r : r);
        }
        gain_ = 1.0 / FeedbackFraction(start.r4, start.r5);
        correction_ = structure.GainCorrection(start);
    }

    template <size_t D>
    IndexRange Start(const std::array<int, D>& index, double bound) {
        setLine_(v_, index);
        if (bound < INFINITY) {
            structure_.StartLine(v_, screen_);
        }
        return screen_.Screen(u_, bound);
    }
    double Error(int last, double bound) {
        if (!screen_.Keeps(last)) {
            return INFINITY;
        }
        v_.r3 = r3_[static_cast<size_t>(last)];
        return structure_.CandidateError(v_, grid_, bound);
    }
    // The errors of the candidates first .. last-1 in `errors`, those kept by the screen four at
    // a time in lanes.
    static constexpr int kBatch = 8;
    void Errors(int first, int last, double bound, double* errors) {
        if (!(bound < INFINITY)) {
            for (int i = first; i < last; ++i) {
                errors[i - first] = Error(i, bound);
            }
            return;
        }
        constexpr int kLanes = CSallenKeyXLanes::kLanes;
        CSallenKeyXLanes::Candidates lanes;
        std::array<int, kLanes> at{};
        int filled = 0;
        auto flush = [&] {
            const std::array<double, kLanes> e = grid_.lanes.Errors(lanes, correction_, bound);
            for (int l = 0; l < filled; ++l) {
                errors[at[static_cast<size_t>(l)] - first] = e[static_cast<size_t>(l)];
            }
            filled = 0;
            lanes.live = {};
        };
        for (int i = first; i < last; ++i) {
            errors[i - first] = INFINITY;
            if (!screen_.Keeps(i)) {
                continue;
            }
            v_.r3 = r3_[static_cast<size_t>(i)];
            const SallenKeyXPolynomial p = structure_.Polynomial(v_);
            if (!structure_.Stable(p, gain_)) {
                continue;
            }
            const auto l = static_cast<size_t>(filled);
            lanes.d1[l] = p.d1;
            lanes.d2[l] = p.d2;
            lanes.d3[l] = p.d3;
            lanes.e1 = p.e1;
            lanes.e2 = p.e2;
            lanes.live[l] = true;
            at[l] = i;
            if (++filled == kLanes) {
                flush();
            }
        }
        if (filled > 0) {
            flush();
        }
    }

  private:
    const CSallenKeyXStructure& structure_;
    const ErrorGrid& grid_;
    const std::vector<double>& r3_;
    const SetLine& setLine_;
    SallenKeyXValues v_;
    // The variable along the line: R3, or 1/R3 for the high-pass.
    std::vector<double> u_;
    // Fixed during a search: the amplifier gain and the error's gain correction.
    double gain_;
    double correction_;
    CLineScreen screen_;
};

void CSallenKeyXStructure::SearchCapacitors() {
    const int resistorSteps = 2 * Context().series;
    // Fixed during the search: R1 and the gain network.
    const ErrorGrid points = GridPoints(values_);
    double ratio = 0.1;  // C2 / C1
    bool stalled = false;
    SallenKeyXValues best = values_;
    for (int round = 1;; ++round) {
        const SallenKeyXValues start = best;
        const std::vector<double> c1 = SeriesRun(0.1 * start.c1, 24, 12);
        std::vector<double> c2(c1.size());
        for (size_t i = 0; i < c1.size(); ++i) {
            c2[i] = RoundedToSeries(ratio * c1[i], 12);
        }
        const std::vector<double> c3 = SeriesRun(0.1 * start.c3, 24, 12);
        const std::vector<double> r2 = SeriesRun(0.1 * start.r2, resistorSteps, Context().series);
        const std::vector<double> r3 = SeriesRun(0.1 * start.r3, resistorSteps, Context().series);
        auto setLine = [&](SallenKeyXValues& v, const std::array<int, 4>& i) {
            v.c1 = c1[static_cast<size_t>(i[0])];
            v.c2 = c2[static_cast<size_t>(i[0])];
            v.c3 = c3[static_cast<size_t>(i[1])];
            v.r2 = r2[static_cast<size_t>(i[2])];
        };
        auto candidate = [&](const std::array<int, 4>& i) {
            SallenKeyXValues v = start;
            setLine(v, i);
            v.r3 = r3[static_cast<size_t>(i[3])];
            return v;
        };
        std::array<int, 4> bestIndex{};
        const bool improved = SearchLines<4>(
            {24, 24, resistorSteps, resistorSteps},
            [&] { return R3Line(*this, points, r3, start, setLine); }, bestIndex);
        if (improved) {
            best = candidate(bestIndex);
        }
        values_ = best;
        if (Cancelled() || round == 5 || BestError() < 0.01 || stalled) {
            return;
        }
        IncrementRetry();
        // Narrow the C2/C1 ratio while it pays, widen it once when a round found nothing.
        if (improved) {
            ratio *= 0.707;
        } else {
            ratio /= 0.707;
            stalled = true;
        }
    }
}

void CSallenKeyXStructure::SearchEqualCapacitors() {
    const int resistorSteps = 2 * Context().series;
    const ErrorGrid points = GridPoints(values_);
    const SallenKeyXValues start = values_;
    const std::vector<double> c = SeriesRun(0.1 * start.c1, 24, 12);
    const std::vector<double> r2 = SeriesRun(0.1 * start.r2, resistorSteps, Context().series);
    const std::vector<double> r3 = SeriesRun(0.1 * start.r3, resistorSteps, Context().series);
    auto setLine = [&](SallenKeyXValues& v, const std::array<int, 3>& i) {
        v.c1 = v.c2 = v.c3 = c[static_cast<size_t>(i[0])];
        v.r2 = r2[static_cast<size_t>(i[1])];
    };
    auto candidate = [&](const std::array<int, 3>& i) {
        SallenKeyXValues v = start;
        setLine(v, i);
        v.r3 = r3[static_cast<size_t>(i[2])];
        return v;
    };
    std::array<int, 3> bestIndex{};
    if (SearchLines<3>(
            {24, resistorSteps, resistorSteps},
            [&] { return R3Line(*this, points, r3, start, setLine); }, bestIndex)) {
        values_ = candidate(bestIndex);
    }
}

}  // namespace vx
