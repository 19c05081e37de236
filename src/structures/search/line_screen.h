#pragma once

#include <array>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "structures/search/grid_search.h"

namespace vx {

// Screens the lines of a search: the candidates of a line differ in one value only, and the
// transfer function's denominator depends affinely on a variable u of that value (the value or
// its reciprocal), so that at a grid point |H(u)| = m / |p + u q|. The error sums a term per
// grid point, ((|H| alpha - beta) gamma)^2 or its square, never negative. Over an
// interval of u, |p + u q| lies between |q| times the distances of -p/q from the interval's
// nearest and farthest point, so each point's term has a least value there, and their sum
// bounds the error of every candidate in the interval from below. The screen halves the line
// until that bound exceeds the search's bound or a few candidates are left: those are kept.
//
// A candidate that cannot be realised has an infinite error. Where the circuit is realised
// only while some forms f(u) = (a0 + u a1)(b0 + u b1) + c0 + u c1 with a1 b1 >= 0 stay positive
// (Hurwitz conditions along the line), the screen also drops the intervals on which one of them
// is clearly negative: f is convex, so negative at both ends means negative throughout.
//
// A search describes its screened grid points once: p = p0 + sum_j a_j P_j and
// q = sum_j b_j Q_j with complex factors P_j, Q_j per point and real numbers a_j, b_j per line,
// and m = c M with M per point and c per line.
//
// The computed error comes from other arithmetic than m / |p + u q|, so the screen keeps a
// generous margin: it allows |p + u q| an absolute error of 1e-12 times the sum of the
// magnitudes of its terms (far above the rounding of either computation), and compares its
// bound with the search's bound with room to spare.
class CLineScreen {
  public:
    static constexpr size_t kMaxPoints = 64;
    static constexpr size_t kMaxTerms = 4;
    // Points summed between two comparisons with the limit.
    static constexpr size_t kChunk = 8;

    // One screened grid point of a search.
    struct Point {
        std::complex<double> p0;
        std::array<std::complex<double>, kMaxTerms> p{};
        std::array<std::complex<double>, kMaxTerms> q{};
        double m = 0.0;
        double alpha = 1.0;
        double beta = 0.0;
        double gamma = 1.0;
    };

    // f(u) = (a0 + u a1)(b0 + u b1) + c0 + u c1, with a1 b1 >= 0.
    struct Condition {
        double a0 = 0.0, a1 = 0.0, b0 = 0.0, b1 = 0.0, c0 = 0.0, c1 = 0.0;
    };
    static constexpr size_t kMaxConditions = 4;

    // The power of a point's term: 2, or 4 for the errors summed as (|H| - t)^4.
    enum class Power { SQUARE, FOURTH };

    CLineScreen(size_t pTerms, size_t qTerms, Power power = Power::SQUARE)
        : pTerms_(pTerms), qTerms_(qTerms), fourth_(power == Power::FOURTH) {}
    size_t PointCount() const { return count_; }

    // Up to kMaxPoints; further points are left out (the screen only bounds less tightly).
    void AddPoint(const Point& point);

    // Takes a line: the numbers a_j, b_j and c.
    void StartLine(std::span<const double> a, std::span<const double> b, double c);
    // The line's conditions of realisation (none unless given; at most kMaxConditions).
    void SetConditions(std::span<const Condition> conditions);
    // Marks the candidates, at u[i], whose error may not exceed `bound`, and returns the range
    // that holds them. `u` must be monotonic. An infinite bound keeps every candidate.
    IndexRange Screen(const std::vector<double>& u, double bound);
    // The same for the largest deviation instead of the sum: keeps the candidates whose |H| alpha
    // may lie within beta / ratio .. beta ratio at every screened point. Along a line each
    // point allows one interval of u, less a hole around the point's resonance; the screen
    // keeps the candidates in the intersection of the intervals, with the holes trimmed off its
    // ends.
    IndexRange ScreenBand(const std::vector<double>& u, double ratio);
    // Keeps none of the line's candidates, for a line shown to hold none otherwise.
    IndexRange KeepNone(const std::vector<double>& u) {
        kept_.assign((u.size() + 63) / 64, 0);
        return {0, 0};
    }
    bool Keeps(int i) const { return (kept_[static_cast<size_t>(i) / 64] >> (i % 64)) & 1U; }
    // Whether some u in [low, high] may give an error not above `bound`, for a value that
    // varies continuously: false once every part of the interval, halved down to `depth`
    // levels, is shown to exceed it.
    bool Reaches(double low, double high, double bound, int depth);

  private:
    using Column = std::array<double, kMaxPoints>;

    // Some condition is clearly negative all over [low, high].
    bool Unrealisable(double low, double high) const;
    // The sum of the points' least terms for u in [low, high] exceeds `limit`.
    bool Exceeds(double low, double high, double limit);
    // Computes the current line's numbers of points first .. last-1 (at most kChunk).
    void Prepare(size_t first, size_t last);
    // Sets the largest |u| about to be screened; the prepared points follow it.
    void ScreenUpTo(double uMax);
    void Keep(int first, int last);
    // The index range of the candidates with low <= u <= high, for monotonic u.
    static IndexRange IndicesWithin(const std::vector<double>& u, double low, double high);

    size_t pTerms_;
    size_t qTerms_;
    bool fourth_;
    size_t count_ = 0;
    // Per point: the factors and their magnitudes, and the term's numbers.
    Column p0Re_{}, p0Im_{}, p0Abs_{}, m_{}, alpha_{}, beta_{}, gamma_{};
    std::array<Column, kMaxTerms> pRe_{}, pIm_{}, pAbs_{}, qRe_{}, qIm_{}, qAbs_{};
    // Per point of the current line: z = -p/q, |q|, m, and the allowed error of |p + u q|.
    Column zRe_{}, zIm_{}, qLength_{}, mLine_{}, slack_{};
    // The current line's numbers, and how many of its points are prepared.
    std::array<double, kMaxTerms> a_{}, b_{};
    double c_ = 0.0;
    // The largest |u| screened on the line, for the allowed error of |p + u q|.
    double uMax_ = 0.0;
    size_t prepared_ = 0;
    // The point that last ruled out a whole line of ScreenBand.
    size_t bandHint_ = 0;
    std::array<Condition, kMaxConditions> conditions_{};
    size_t conditionCount_ = 0;
    std::vector<std::uint64_t> kept_;
};

// The screen of a search's lines along one value, and how u follows from it. A screen without
// points keeps every candidate.
struct LineScreenAxis {
    CLineScreen screen;
    bool reciprocal = false;  // u = 1 / value; otherwise u = value

    // u for each value of a line.
    std::vector<double> Variables(const std::vector<double>& run) const;
};

// Grid indices 0 .. n-1 with the ends first, then the middles of ever smaller intervals, so
// that a screen meets every part of the grid early.
std::vector<size_t> SpreadOrder(size_t n);

}  // namespace vx
