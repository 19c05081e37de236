// The third-order stage's search over every combination of standard values.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "structures/circuits/sallen_key_x_structure.h"
#include "structures/gain_resistors.h"
#include "structures/search/bit_mask.h"
#include "structures/search/combination_line.h"

namespace vx {

namespace {

// A quadratic k2 u^2 + k1 u + k0 with, for each coefficient, the sum of the magnitudes of the
// terms it was computed from: its rounding is a tiny fraction of that.
struct Quadratic {
    double k2, k1, k0;
    double s2, s1, s0;
};

// Narrows [low, high] (0 <= low) to the hull of the u in it where q is not positive; false when
// none is left. Every figure gets room far above its rounding: the discriminant a millionth of
// its terms, which widens the roots accordingly. Where the square's factor is not clearly
// positive the roots are too uncertain to narrow by; then q is within a millionth of its terms
// of a linear or concave form, and is ruled out only when clearly positive at both ends.
bool NarrowToNonPositive(const Quadratic& q, double& low, double& high) {
    constexpr double kRoom = 1e-6;
    if (!(q.k2 > kRoom * q.s2)) {
        auto f = [&](double u) { return (q.k2 * u + q.k1) * u + q.k0; };
        const double fuzz = kRoom * ((q.s2 * high + q.s1) * high + q.s0);
        return !(f(low) > fuzz && f(high) > fuzz);
    }
    const double disc = q.k1 * q.k1 - 4.0 * q.k2 * q.k0 + kRoom * (q.s1 * q.s1 + 4.0 * q.s2 * q.s0);
    if (disc < 0.0) {
        return false;
    }
    const double centre = -q.k1 / (2.0 * q.k2), half = std::sqrt(disc) / (2.0 * q.k2);
    const double room = kRoom * (std::fabs(centre) + half);
    low = std::max(low, centre - half - room);
    high = std::min(high, centre + half + room);
    return low <= high;
}

}  // namespace

bool CSallenKeyXStructure::RealizableSomewhere(const std::array<double, 5>& fixedLow,
                                               const std::array<double, 5>& fixedHigh,
                                               const std::array<double, 5>& slopeLow,
                                               const std::array<double, 5>& slopeHigh, double& uLow,
                                               double& uHigh) const {
    // The Hurwitz conditions of the line screen (see StartLine) with c1 = q1, c2 = q2 and c3 =
    // d3 affine in u: the high-pass needs c1 > 0, the low-pass c2 > 0, both c1 c2 > c3. The
    // slopes of q1, q2 and d3 are positive and u > 0, so over a part [ua, ub] of the range each
    // lies between its fixed part's least plus ua times its slope's least and the largest of
    // both at ub. A part where a condition clearly fails holds nothing realisable; the parts
    // at either end that do are cut off.
    constexpr int kParts = 8;
    auto fails = [&](double ua, double ub) {
        const double c1Low = fixedLow[0] + ua * slopeLow[0],
                     c1High = fixedHigh[0] + ub * slopeHigh[0];
        const double c2Low = fixedLow[2] + ua * slopeLow[2],
                     c2High = fixedHigh[2] + ub * slopeHigh[2];
        const double c3Low = ua * slopeLow[4];
        const double size = (std::max(std::fabs(c1Low), std::fabs(c1High)) *
                                 std::max(std::fabs(c2Low), std::fabs(c2High)) +
                             ub * std::fabs(slopeHigh[4]));
        const double margin = 1e-9 * size;
        const double first = highPass_ ? c1High : c2High;
        const double product =
            std::max({c1Low * c2Low, c1Low * c2High, c1High * c2Low, c1High * c2High});
        return first < -margin || product - c3Low < -margin;
    };
    const double step = (uHigh - uLow) / kParts;
    int first = 0, last = kParts;
    while (first < last && fails(uLow + first * step, uLow + (first + 1) * step)) {
        ++first;
    }
    while (last > first && fails(uLow + (last - 1) * step, uLow + last * step)) {
        --last;
    }
    if (first == last) {
        return false;
    }
    const double low = uLow + first * step, high = last == kParts ? uHigh : uLow + last * step;
    uLow = low;
    uHigh = high;
    return true;
}

bool CSallenKeyXStructure::BoxReachesBand(const SallenKeyXValues& lo, const SallenKeyXValues& hi,
                                          const std::vector<BoxPoint>& points, double amplifier,
                                          double ratio, size_t& hint, double& uLow,
                                          double& uHigh) const {
    // D = 1 + x (d1 - g e1) + x^2 (d2 - g e2) + x^3 d3 nearly cancels in d1 - g e1 and d2 - g e2
    // wherever the amplifier's gain g is near the gain network's `amplifier`: the box bounds
    // q1 = d1 - amplifier e1 and q2 = d2 - amplifier e2 themselves and leaves e1, e2 only the
    // small rest g - amplifier. Every coefficient of the split is multilinear in the values (in
    // their reciprocals for the high-pass), so over the box it lies between its least and
    // largest value at the box's corners.
    static constexpr std::array<double SallenKeyXValues::*, 5> kCorners = {
        &SallenKeyXValues::c1, &SallenKeyXValues::c2, &SallenKeyXValues::c3, &SallenKeyXValues::r1,
        &SallenKeyXValues::r2};
    std::array<double SallenKeyXValues::*, 5> varying{};
    size_t count = 0;
    for (double SallenKeyXValues::*field : kCorners) {
        if (lo.*field != hi.*field) {
            varying[count++] = field;
        }
    }
    struct Spans {
        std::array<double, 5> low, high, size{};
    };
    Spans fixed{}, slope{};
    fixed.low.fill(INFINITY);
    slope.low.fill(INFINITY);
    fixed.high.fill(-INFINITY);
    slope.high.fill(-INFINITY);
    auto take = [&](const SallenKeyXPolynomial& p, Spans& spans) {
        const std::array<double, 5> q = {p.d1 - amplifier * p.e1, p.e1, p.d2 - amplifier * p.e2,
                                         p.e2, p.d3};
        const std::array<double, 5> original = {p.d1, p.e1, p.d2, p.e2, p.d3};
        for (size_t i = 0; i < 5; ++i) {
            spans.low[i] = std::min(spans.low[i], q[i]);
            spans.high[i] = std::max(spans.high[i], q[i]);
            spans.size[i] = std::max(spans.size[i], std::fabs(original[i]));
        }
    };
    for (size_t corner = 0; corner < (size_t{1} << count); ++corner) {
        SallenKeyXValues v = lo;
        for (size_t d = 0; d < count; ++d) {
            if ((corner >> d) & 1U) {
                v.*varying[d] = hi.*varying[d];
            }
        }
        const SallenKeyXSplit split = SplitAlongR3(v);
        take(split.fixed, fixed);
        take(split.slope, slope);
    }
    std::array<double, 5> fixedMid{}, fixedRadius{}, slopeMid{}, slopeRadius{};
    for (size_t i = 0; i < 5; ++i) {
        fixedMid[i] = 0.5 * (fixed.low[i] + fixed.high[i]);
        fixedRadius[i] = 0.5 * (fixed.high[i] - fixed.low[i]);
        slopeMid[i] = 0.5 * (slope.low[i] + slope.high[i]);
        slopeRadius[i] = 0.5 * (slope.high[i] - slope.low[i]);
    }
    const double wide = ratio * (1.0 + 1e-6);
    // At a point D(u) = P + u Q lies within |P0 - (P + u Q)| <= rP + u rQ about its value at
    // the middles of the coefficients. |H| = |G| / |D| must reach target / wide, so the disc
    // must come within |G| wide / target of 0, and must not stay above target wide: the disc
    // must reach beyond |G| / (target wide). Each gives a quadratic in u.
    auto narrow = [&](size_t k) {
        const BoxPoint& p = points[k];
        Complex centre = 1.0, along = 0.0;
        double rp = 0.0, rq = 0.0, scale = 1.0;
        for (size_t i = 0; i < 5; ++i) {
            centre += p.w[i] * fixedMid[i];
            along += p.w[i] * slopeMid[i];
            rp += p.size[i] * fixedRadius[i];
            rq += p.size[i] * slopeRadius[i];
            scale += p.terms[i] * (fixed.size[i] + uHigh * slope.size[i]);
        }
        // Room for rounding far above that of either computation of D.
        rp += 1e-9 * scale;
        const double cross = centre.real() * along.real() + centre.imag() * along.imag();
        const double c2 = std::norm(centre), q2 = std::norm(along);
        const double crossSize = std::sqrt(c2 * q2);
        // Smallest |D| within reach: |P0 + u Q0| <= a + u rQ.
        const double a = p.gain * wide / p.target + rp;
        const Quadratic near = {q2 - rq * rq, 2.0 * (cross - a * rq),     c2 - a * a,
                                q2 + rq * rq, 2.0 * (crossSize + a * rq), c2 + a * a};
        if (!NarrowToNonPositive(near, uLow, uHigh)) {
            return false;
        }
        // Largest |D| within reach: |P0 + u Q0| >= b - u rQ, which holds wherever the right side
        // is not positive, from `edge` on; before it (b - u rQ)^2 - |P0 + u Q0|^2 <= 0.
        const double b = p.gain / (p.target * wide) - rp;
        if (b <= 0.0) {
            return true;
        }
        const double edge = rq > 0.0 ? b / rq : INFINITY;
        if (edge <= uLow) {
            return true;
        }
        double low = uLow, high = std::min(uHigh, edge);
        const Quadratic far = {rq * rq - q2, -2.0 * (b * rq + cross),    b * b - c2,
                               q2 + rq * rq, 2.0 * (b * rq + crossSize), b * b + c2};
        const bool before = NarrowToNonPositive(far, low, high);
        const bool after = edge <= uHigh;
        if (!before && !after) {
            return false;
        }
        // The hull of both parts.
        if (!before) {
            uLow = edge;
        } else if (!after) {
            uLow = low;
            uHigh = high;
        } else {
            uLow = low;
        }
        return true;
    };
    if (!RealizableSomewhere(fixed.low, fixed.high, slope.low, slope.high, uLow, uHigh)) {
        return false;
    }
    if (hint < points.size() && !narrow(hint)) {
        return false;
    }
    for (size_t k = 0; k < points.size(); ++k) {
        if (!narrow(k)) {
            hint = k;
            return false;
        }
    }
    return true;
}

// The stage as the search over every combination sees it: lines along R3 with the screen of the
// neighbour search. Before that, boxes over the other values and every R3 rule out what cannot
// reach the band: for each C1 the pairs C2, C3 (with every resistor), for each set of
// capacitors the pairs R1, R2. A box costs as much as a few lines, so the boxes stop at
// kFewPairs pairs and leave the rest to the lines' screen.
struct CSallenKeyXStructure::CombinationKernel {
    static constexpr size_t kC1 = 0, kC2 = 1, kC3 = 2, kR1 = 3, kR2 = 4, kR3 = 5;
    static constexpr size_t kFewPairs = 16;

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
                MaskPairs(lo, hi, kC2, kC3, ratio, capacitorPairs);
                firstCapacitor = c[0];
                capacitors = {-1, -1, -1};
            }
            const long long lines = static_cast<long long>(axes[kR1].size() * axes[kR2].size());
            const long long resistors = static_cast<long long>(Pair(kR2, index[kR1], index[kR2]));
            const long long pair = static_cast<long long>(Pair(kC3, c[1], c[2]));
            if (!capacitorPairs.Keeps(pair)) {
                // The rest of these capacitors' lines, and those of the pairs ruled out next.
                const long long pairs = static_cast<long long>(axes[kC2].size() * axes[kC3].size());
                skip =
                    lines - resistors - 1 + (capacitorPairs.Next(pair, pairs) - pair - 1) * lines;
                return false;
            }
            if (c != capacitors) {
                MaskPairs(v, v, kR1, kR2, ratio, resistorPairs);
                capacitors = c;
            }
            if (!resistorPairs.Keeps(resistors)) {
                skip = resistorPairs.Next(resistors, lines) - resistors - 1;
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
    // Marks the index pairs of fields `a` and `b` whose box (with lo .. hi for the rest, R3
    // over its whole axis) may hold a candidate within `ratio`: boxes halved along their longer
    // side down to kFewPairs pairs. A box passes the range of R3 that it leaves open on to its
    // halves.
    void MaskPairs(SallenKeyXValues lo, SallenKeyXValues hi, size_t a, size_t b, double ratio,
                   CBitMask& keep) {
        const std::vector<double>& x = axes[a];
        const std::vector<double>& y = axes[b];
        keep.Clear(x.size() * y.size());
        struct Box {
            size_t i0, i1, j0, j1;  // half-open index ranges
            double uLow, uHigh;
        };
        const std::vector<double>& r3 = axes[kR3];
        const double u0 = s.highPass_ ? 1.0 / r3.back() : r3.front();
        const double u1 = s.highPass_ ? 1.0 / r3.front() : r3.back();
        std::vector<Box> stack = {{0, x.size(), 0, y.size(), u0, u1}};
        while (!stack.empty()) {
            Box box = stack.back();
            stack.pop_back();
            lo.*Field(a) = x[box.i0];
            hi.*Field(a) = x[box.i1 - 1];
            lo.*Field(b) = y[box.j0];
            hi.*Field(b) = y[box.j1 - 1];
            Complete(lo);
            Complete(hi);
            if (!s.BoxReachesBand(lo, hi, boxPoints, amplifier, ratio, hint, box.uLow, box.uHigh)) {
                continue;
            }
            if ((box.i1 - box.i0) * (box.j1 - box.j0) <= kFewPairs) {
                for (size_t i = box.i0; i < box.i1; ++i) {
                    keep.Set(i * y.size() + box.j0, i * y.size() + box.j1);
                }
                continue;
            }
            Box upper = box, lower = box;
            if (box.i1 - box.i0 >= box.j1 - box.j0) {
                upper.i0 = lower.i1 = (box.i0 + box.i1) / 2;
            } else {
                upper.j0 = lower.j1 = (box.j0 + box.j1) / 2;
            }
            stack.push_back(upper);
            stack.push_back(lower);
        }
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
    double amplifier;  // the gain network's gain, for the stability test and the boxes
    int firstCapacitor = -1;
    CBitMask capacitorPairs;  // per C2 and C3 index of this C1
    std::array<int, 3> capacitors{-1, -1, -1};
    CBitMask resistorPairs;  // per R1 and R2 index of these capacitors
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
    // The boxes look at three points spread over the grid (its ends and middle): more rule out
    // hardly more boxes but make each cost more, and the lines of a box kept are screened at
    // every point.
    constexpr size_t kBoxPoints = 3;
    std::vector<BoxPoint> boxes;
    for (size_t i : SpreadOrder(points.size())) {
        if (boxes.size() == kBoxPoints) {
            break;
        }
        const GridPoint& p = points[i];
        const Complex x = p.x, x2 = x * x;
        const double g = std::abs(p.gain);
        const Complex rest = 1.0 / k - p.gain;
        BoxPoint b{{x, x * rest, x2, x2 * rest, x2 * x}, {}, {}, g, p.target};
        for (size_t k = 0; k < 5; ++k) {
            b.size[k] = std::abs(b.w[k]);
        }
        // The sizes of the terms of D as it is computed from d1, e1, d2, e2 and d3.
        const double ax = std::abs(x), reach = 1.0 / k + g;
        b.terms = {ax, ax * reach, ax * ax, ax * ax * reach, ax * ax * ax};
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
