#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "structures/opamp_params.h"
#include "structures/search/line_screen.h"
#include "structures/search/safe_magnitude.h"

namespace vx {

// The error grid of a stage's search: angular frequencies w_k with the stage's target
// magnitudes t_k there, and the error of a candidate, the sum over the grid of (|H(w_k)| - t_k)^4.
// The terms are never negative, so a partial sum above the search's bound already loses.
class CErrorGrid {
  public:
    // `points` angular frequencies from `start` upwards, each `factor` above the last.
    void SetLog(int points, double start, double factor) {
        omegas_.resize(static_cast<size_t>(points));
        double w = start;
        for (double& omega : omegas_) {
            omega = w;
            w *= factor;
        }
    }
    void SetOmegas(std::vector<double> omegas) { omegas_ = std::move(omegas); }
    // The targets `magnitude(w_k)` of every grid point.
    template <class Magnitude>
    void SetTargets(Magnitude&& magnitude) {
        targets_.resize(omegas_.size());
        for (size_t k = 0; k < omegas_.size(); ++k) {
            targets_[k] = magnitude(omegas_[k]);
        }
    }
    void ScaleTarget(size_t k, double factor) { targets_[k] *= factor; }

    size_t Size() const { return omegas_.size(); }
    double Omega(size_t k) const { return omegas_[k]; }
    double Target(size_t k) const { return targets_[k]; }
    const std::vector<double>& Omegas() const { return omegas_; }
    const std::vector<double>& Targets() const { return targets_; }

    // The error with H given by `transfer(w)`. Once the partial sum exceeds `bound` the
    // candidate cannot win and that partial sum is returned; otherwise the full sum, added in
    // grid order.
    template <class Transfer>
    double Error(Transfer&& transfer, double bound = INFINITY) const {
        return ErrorAt([&](size_t k) { return transfer(omegas_[k]); }, bound);
    }
    // The same with H given by grid index, for transfers with per-point constants.
    template <class PointTransfer>
    double ErrorAt(PointTransfer&& transfer, double bound = INFINITY) const {
        double sum = 0.0;
        const size_t n = omegas_.size();
        for (size_t k = 0; k < n; ++k) {
            sum += Term(transfer(k), k);
            if (sum > bound) {
                return sum;
            }
        }
        return sum;
    }
    // The same sum after a look at grid point `hint`, where the last candidate stopped early
    // had its largest term (neighbours in a search tend to fail there): one term above the
    // bound stops a candidate, since the sum is never below its terms. A stopped candidate
    // moves `hint` to its largest term; the full sum is ErrorAt's.
    template <class PointTransfer>
    double ErrorAt(PointTransfer&& transfer, double bound, size_t& hint) const {
        return HintedSum([&](size_t k) { return Term(transfer(k), k); }, bound, hint);
    }
    // A grid point's term of the error: (|h| - t_k)^4.
    double Term(Complex h, size_t k) const {
        const double d = SafeMagnitude(h) - targets_[k];
        const double d2 = d * d;
        return d2 * d2;
    }
    // The sum over the grid of the terms `term(k)` (never negative) in grid order, stopped early
    // as ErrorAt's with a hint.
    template <class TermAt>
    double HintedSum(TermAt&& term, double bound, size_t& hint) const {
        if (bound < INFINITY) {
            const double t = term(hint);
            if (t > bound) {
                return t;
            }
        }
        double sum = 0.0;
        double largest = 0.0;
        size_t largestAt = hint;
        for (size_t k = 0; k < omegas_.size(); ++k) {
            const double t = term(k);
            sum += t;
            if (t > largest) {
                largest = t;
                largestAt = k;
            }
            if (sum > bound) {
                hint = largestAt;
                return sum;
            }
        }
        return sum;
    }
    // A grid point's deviation from its target as the square of the magnitude ratio, taken the
    // way that is at least 1: a deviation of x dB reads 10^(|x| / 10). Not a number (a magnitude
    // of 0 or infinity) reads infinite.
    double Deviation(Complex h, size_t k) const {
        const double t = targets_[k];
        const double ratio = std::norm(h) / (t * t);
        const double d = ratio >= 1.0 ? ratio : 1.0 / ratio;
        return d == d ? d : INFINITY;
    }
    // The largest deviation over the grid. The point `hint`, where the last candidate stopped,
    // is asked first; once a point exceeds `bound` that deviation is returned and `hint` moves
    // there. Otherwise the exact largest, which does not depend on the order of the points.
    template <class PointTransfer>
    double WorstDeviation(PointTransfer&& transfer, double bound, size_t& hint) const {
        if (bound < INFINITY) {
            const double d = Deviation(transfer(hint), hint);
            if (d > bound) {
                return d;
            }
        }
        double worst = 1.0;
        for (size_t k = 0; k < omegas_.size(); ++k) {
            const double d = Deviation(transfer(k), k);
            if (d > bound) {
                hint = k;
                return d;
            }
            worst = std::max(worst, d);
        }
        return worst;
    }
    // The sum of squared differences instead, stopped early as Error's (a band-pass stage's error).
    template <class Transfer>
    double SquaredError(Transfer&& transfer, double bound = INFINITY) const {
        double sum = 0.0;
        for (size_t k = 0; k < omegas_.size(); ++k) {
            const double d = SafeMagnitude(transfer(omegas_[k])) - targets_[k];
            sum += d * d;
            if (sum > bound) {
                return sum;
            }
        }
        return sum;
    }
    // A screen of search lines for this error, (|H| - t)^4, with the targets as its points'
    // beta, in SpreadOrder; `point(k)` gives the rest of grid point k.
    template <class Point>
    CLineScreen Screen(size_t pTerms, size_t qTerms, Point&& point) const {
        CLineScreen screen(pTerms, qTerms, CLineScreen::Power::FOURTH);
        for (size_t k : SpreadOrder(omegas_.size())) {
            CLineScreen::Point p = point(k);
            p.beta = targets_[k];
            screen.AddPoint(p);
        }
        return screen;
    }

  private:
    std::vector<double> omegas_;
    std::vector<double> targets_;
};

}  // namespace vx
