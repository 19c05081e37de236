// The third-order stage's search over every combination of standard values.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "structures/circuits/sallen_key_x_structure.h"
#include "structures/gain_resistors.h"
#include "structures/search/combination_line.h"

namespace vx {

bool CSallenKeyXStructure::BoxLeavesBand(const SallenKeyXValues& lo, const SallenKeyXValues& hi,
                                         const std::vector<BoxPoint>& points, double ratio,
                                         size_t& hint) const {
    const SallenKeyXPolynomial a = Polynomial(lo), b = Polynomial(hi);
    const std::array<double, 5> first = {a.d1, a.e1, a.d2, a.e2, a.d3};
    const std::array<double, 5> second = {b.d1, b.e1, b.d2, b.e2, b.d3};
    std::array<double, 5> mid{}, radius{}, size{};
    for (size_t i = 0; i < 5; ++i) {
        mid[i] = 0.5 * (first[i] + second[i]);
        radius[i] = 0.5 * std::fabs(first[i] - second[i]);
        size[i] = std::max(std::fabs(first[i]), std::fabs(second[i]));
    }
    const double wide = ratio * (1.0 + 1e-6);
    // D lies within the sum of the coefficients' spans about its value at their middles.
    auto leaves = [&](size_t k) {
        const BoxPoint& p = points[k];
        double re = 1.0, im = 0.0, spread = 0.0, scale = 1.0;
        for (size_t i = 0; i < 5; ++i) {
            re += p.w[i].real() * mid[i];
            im += p.w[i].imag() * mid[i];
            spread += p.size[i] * radius[i];
            scale += p.size[i] * size[i];
        }
        // Room for rounding far above that of either computation of D.
        const double slack = 1e-9 * scale;
        const double length = std::sqrt(re * re + im * im);
        const double smallest = length - spread - slack;
        return p.gain / (length + spread + slack) > p.target * wide ||
               (smallest > 0.0 && p.gain / smallest < p.target / wide);
    };
    if (hint < points.size() && leaves(hint)) {
        return true;
    }
    for (size_t k = 0; k < points.size(); ++k) {
        if (leaves(k)) {
            hint = k;
            return true;
        }
    }
    return false;
}

// The stage as the search over every combination sees it: lines along R3 with the screen of the
// neighbour search. Before that, boxes over the other values and every R3 rule out what cannot
// reach the band: for each C1 the pairs C2, C3 (with every resistor), for each set of
// capacitors the pairs R1, R2.
struct CSallenKeyXStructure::CombinationKernel {
    static constexpr size_t kC1 = 0, kC2 = 1, kC3 = 2, kR1 = 3, kR2 = 4, kR3 = 5;

    CombinationKernel(const CSallenKeyXStructure& structure,
                      const std::array<std::vector<double>, 6>& searched,
                      const std::vector<GridPoint>& grid, const std::vector<BoxPoint>& boxes,
                      bool equalCapacitors, double gain)
        : s(structure),
          axes(searched),
          points(grid),
          boxPoints(boxes),
          equal(equalCapacitors),
          amplifier(gain) {}

    // See CombinationLine.
    long long skip = 0;

    template <size_t D>
    bool StartLine(SallenKeyXValues& v, const std::array<int, D>& index, CLineScreen& screen,
                   double ratio) {
        skip = 0;
        Complete(v);
        polynomialR3 = NAN;
        if (ratio < INFINITY) {
            const std::array<int, 3> c = {index[kC1], index[kC2], index[kC3]};
            if (c[0] != firstCapacitor) {
                SallenKeyXValues lo = v, hi = v;
                Span(lo, hi, kR1);
                Span(lo, hi, kR2);
                Span(lo, hi, kR3);
                MaskPairs(lo, hi, kC2, kC3, ratio, capacitorPairs, capacitorRuns);
                firstCapacitor = c[0];
                capacitors = {-1, -1, -1};
            }
            const size_t pair = Pair(kC3, c[1], c[2]);
            if (!capacitorPairs[pair]) {
                // The rest of these capacitors' lines, and those of the pairs ruled out next.
                const long long lines = static_cast<long long>(axes[kR1].size() * axes[kR2].size());
                skip = lines - static_cast<long long>(Pair(kR2, index[kR1], index[kR2])) - 1 +
                       (capacitorRuns[pair] - 1) * lines;
                return false;
            }
            if (c != capacitors) {
                SallenKeyXValues lo = v, hi = v;
                Span(lo, hi, kR3);
                MaskPairs(lo, hi, kR1, kR2, ratio, resistorPairs, resistorRuns);
                capacitors = c;
            }
            const size_t resistors = Pair(kR2, index[kR1], index[kR2]);
            if (!resistorPairs[resistors]) {
                skip = resistorRuns[resistors] - 1;
                return false;
            }
        }
        s.StartLine(v, screen);
        return true;
    }
    bool Realizable(const SallenKeyXValues& v) { return s.Stable(Of(v), amplifier); }
    Complex At(const SallenKeyXValues& v, size_t k) {
        return Transfer(Of(v), points[k].gain, points[k].x);
    }

  private:
    void Complete(SallenKeyXValues& v) const {
        if (equal) {
            v.c2 = v.c3 = v.c1;
        }
    }
    // Gives field `d` its whole axis in the box lo .. hi.
    void Span(SallenKeyXValues& lo, SallenKeyXValues& hi, size_t d) const {
        lo.*Field(d) = axes[d].front();
        hi.*Field(d) = axes[d].back();
    }
    static double SallenKeyXValues::*Field(size_t d) {
        static constexpr std::array<double SallenKeyXValues::*, 6> kFields = {
            &SallenKeyXValues::c1, &SallenKeyXValues::c2, &SallenKeyXValues::c3,
            &SallenKeyXValues::r1, &SallenKeyXValues::r2, &SallenKeyXValues::r3};
        return kFields[d];
    }
    // The place of index pair (i, j) in a mask whose second field is `second`: the order of the
    // search's lines.
    size_t Pair(size_t second, int i, int j) const {
        return static_cast<size_t>(i) * axes[second].size() + static_cast<size_t>(j);
    }
    // Marks the index pairs of fields `a` and `b` whose box (with lo .. hi for the rest) may
    // hold a candidate within `ratio`: boxes halved along their longer side down to a few pairs.
    // `runs` counts, from each pair ruled out, the pairs ruled out in a row.
    void MaskPairs(SallenKeyXValues lo, SallenKeyXValues hi, size_t a, size_t b, double ratio,
                   std::vector<bool>& keep, std::vector<long long>& runs) {
        const std::vector<double>& x = axes[a];
        const std::vector<double>& y = axes[b];
        keep.assign(x.size() * y.size(), false);
        struct Box {
            size_t i0, i1, j0, j1;  // half-open index ranges
        };
        std::vector<Box> stack = {{0, x.size(), 0, y.size()}};
        while (!stack.empty()) {
            const Box box = stack.back();
            stack.pop_back();
            lo.*Field(a) = x[box.i0];
            hi.*Field(a) = x[box.i1 - 1];
            lo.*Field(b) = y[box.j0];
            hi.*Field(b) = y[box.j1 - 1];
            Complete(lo);
            Complete(hi);
            if (LeavesBand(lo, hi, ratio)) {
                continue;
            }
            if ((box.i1 - box.i0) * (box.j1 - box.j0) <= 4) {
                for (size_t i = box.i0; i < box.i1; ++i) {
                    for (size_t j = box.j0; j < box.j1; ++j) {
                        keep[i * y.size() + j] = true;
                    }
                }
            } else if (box.i1 - box.i0 >= box.j1 - box.j0) {
                const size_t m = (box.i0 + box.i1) / 2;
                stack.push_back({m, box.i1, box.j0, box.j1});
                stack.push_back({box.i0, m, box.j0, box.j1});
            } else {
                const size_t m = (box.j0 + box.j1) / 2;
                stack.push_back({box.i0, box.i1, m, box.j1});
                stack.push_back({box.i0, box.i1, box.j0, m});
            }
        }
        runs.assign(keep.size() + 1, 0);
        for (size_t i = keep.size(); i-- > 0;) {
            runs[i] = keep[i] ? 0 : runs[i + 1] + 1;
        }
    }
    // The box lo .. hi leaves the band: R3's range is split in a few parts, each a box of its
    // own, so that a box near the band is not kept for the sake of R3 values far from it.
    bool LeavesBand(SallenKeyXValues lo, SallenKeyXValues hi, double ratio) {
        constexpr size_t kParts = 16;
        const std::vector<double>& r3 = axes[kR3];
        const size_t n = r3.size();
        for (size_t part = 0; part < kParts; ++part) {
            const size_t begin = part * n / kParts, end = (part + 1) * n / kParts;
            if (end == begin) {
                continue;
            }
            lo.r3 = r3[begin];
            hi.r3 = r3[end - 1];
            if (!s.BoxLeavesBand(lo, hi, boxPoints, ratio, hint)) {
                return false;
            }
        }
        return true;
    }
    // The polynomial of the line's candidate v, computed once per candidate.
    const SallenKeyXPolynomial& Of(const SallenKeyXValues& v) {
        if (!(v.r3 == polynomialR3)) {
            polynomial = s.Polynomial(v);
            polynomialR3 = v.r3;
        }
        return polynomial;
    }

    const CSallenKeyXStructure& s;
    const std::array<std::vector<double>, 6>& axes;
    const std::vector<GridPoint>& points;
    const std::vector<BoxPoint>& boxPoints;
    bool equal;        // C2 and C3 follow C1
    double amplifier;  // the gain network's gain, for the stability test
    int firstCapacitor = -1;
    std::vector<bool> capacitorPairs;  // per C2 and C3 index of this C1
    std::vector<long long> capacitorRuns;
    std::array<int, 3> capacitors{-1, -1, -1};
    std::vector<bool> resistorPairs;  // per R1 and R2 index of these capacitors
    std::vector<long long> resistorRuns;
    size_t hint = 0;
    SallenKeyXPolynomial polynomial;
    double polynomialR3 = NAN;
};

bool CSallenKeyXStructure::SearchWithin(double window, bool equalCapacitors) {
    const std::optional<GainResistors> network =
        ChooseGainResistorsWithin(Gain(), Context().r0, Context().series, window);
    if (!network) {
        return false;
    }
    SallenKeyXValues v = values_;
    v.r4 = network->feedback;
    v.r5 = network->ground;
    static constexpr std::array<double SallenKeyXValues::*, 6> kFields = {
        &SallenKeyXValues::c1, &SallenKeyXValues::c2, &SallenKeyXValues::c3,
        &SallenKeyXValues::r1, &SallenKeyXValues::r2, &SallenKeyXValues::r3};
    const std::array<std::vector<double>, 6> axes = {
        CapacitorAxis(v.c1),
        equalCapacitors ? std::vector<double>{v.c2} : CapacitorAxis(v.c2),
        equalCapacitors ? std::vector<double>{v.c3} : CapacitorAxis(v.c3),
        ResistorAxis(v.r1, window),
        ResistorAxis(v.r2, window),
        ResistorAxis(v.r3, window)};
    std::vector<GridPoint> points(Context().grid.Size());
    const double k = FeedbackFraction(v.r4, v.r5);
    for (size_t i = 0; i < points.size(); ++i) {
        const double w = Context().grid.Omega(i);
        points[i] = {X(w), Context().opAmp.NonInvertingGain(k, w), Context().grid.Target(i)};
    }
    // The line screen of the neighbour search, without its gain correction.
    const CLineScreen screen = Context().grid.Screen(4, 3, [&](size_t i) {
        const Complex x = points[i].x, x2 = x * x, g = points[i].gain;
        CLineScreen::Point p;
        p.p0 = 1.0;
        p.p = {x, -x * g, x2, -x2 * g};
        p.q = {x, x2, x2 * x};
        p.m = std::abs(g);
        return p;
    });
    // The boxes look at a few points spread over the grid: a box they keep costs little, and its
    // lines are screened at every point.
    constexpr size_t kBoxPoints = 12;
    std::vector<BoxPoint> boxes;
    for (size_t i : SpreadOrder(points.size())) {
        if (boxes.size() == kBoxPoints) {
            break;
        }
        const GridPoint& p = points[i];
        const Complex x = p.x, x2 = x * x;
        BoxPoint b{{x, -x * p.gain, x2, -x2 * p.gain, x2 * x}, {}, std::abs(p.gain), p.target};
        for (size_t i = 0; i < 5; ++i) {
            b.size[i] = std::abs(b.w[i]);
        }
        boxes.push_back(b);
    }
    std::vector<double> u;
    for (double r : axes[5]) {
        u.push_back(highPass_ ? 1.0 / r : r);
    }
    const CombinationKernel kernel(*this, axes, points, boxes, equalCapacitors, 1.0 / k);
    if (!SearchCombinationAxes(kFields, axes, u, kernel, screen, v)) {
        return false;
    }
    if (equalCapacitors) {
        v.c2 = v.c3 = v.c1;
    }
    values_ = v;
    return true;
}

}  // namespace vx
