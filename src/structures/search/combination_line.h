#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <mutex>
#include <vector>

#include "structures/search/error_grid.h"
#include "structures/search/grid_search.h"
#include "structures/search/line_screen.h"

namespace vx {

// Whether the smallest deviation of the first pass was reached by more than one candidate; only
// then does the second pass have ties to break. Every candidate whose deviation does not exceed
// the search's bound is summed in full, so each one with the smallest deviation is recorded.
template <size_t D>
class CTieWatch {
  public:
    void Record(double deviation, const std::array<int, D>& candidate) {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (deviation < lowest_) {
            lowest_ = deviation;
            at_ = candidate;
            tied_ = false;
        } else if (deviation == lowest_ && candidate != at_) {
            tied_ = true;
        }
    }
    bool Tied(double deviation) {
        const std::lock_guard<std::mutex> lock(mutex_);
        return deviation != lowest_ || tied_;
    }

  private:
    std::mutex mutex_;
    double lowest_ = INFINITY;
    std::array<int, D> at_{};
    bool tied_ = false;
};

// A line of the search over every combination of standard values (see CGridSearch): the
// candidates that differ in the last of the D searched fields of a stage's values.
//
// The search runs twice over the same combinations. The first pass (`tie` infinite) gives each
// candidate's largest deviation from the target on the error grid; the second keeps only the
// candidates that reach the smallest deviation found, `tie`, and gives their sums of fourth
// powers, so that of equal deviations the smaller sum wins.
//
// `Kernel` describes the circuit:
//   template <size_t D> bool StartLine(Values& v, const std::array<int, D>& index,
//       CLineScreen& screen, double ratio): completes the values of the line through v (those
//     that follow from the searched ones but not from the last) and gives the screen the line's
//     numbers along the last field; false when it can show that no candidate of the line
//     stays within `ratio` (see CLineScreen::ScreenBand);
//   bool Realizable(const Values& v);
//   optionally long long skip: after a StartLine that returned false, how many lines after
//     this one are known to hold nothing either (see CGridSearch);
//   Complex At(const Values& v, size_t k): H at grid point k.
template <class Values, size_t D, class Kernel>
struct CombinationLine {
    const CErrorGrid& grid;
    const std::array<double Values::*, D>& fields;
    const std::array<std::vector<double>, D>& axes;
    // The last axis as the screen's variable.
    const std::vector<double>& u;
    Kernel kernel;
    CLineScreen screen;
    double tie;
    Values v;
    CTieWatch<D>* watch = nullptr;  // the first pass's
    std::array<int, D> at{};        // the candidate's indices
    size_t hint = 0;                // see CErrorGrid::WorstDeviation

    IndexRange Start(const std::array<int, D>& index, double bound) {
        for (size_t d = 0; d + 1 < D; ++d) {
            v.*fields[d] = axes[d][static_cast<size_t>(index[d])];
        }
        at = index;
        // Deviations are squared magnitude ratios; the screen compares the ratio itself.
        const double ratio = std::sqrt(tie < INFINITY ? tie : bound);
        if (!kernel.StartLine(v, index, screen, ratio)) {
            return screen.KeepNone(u);
        }
        return screen.ScreenBand(u, ratio);
    }
    long long Skip() const {
        if constexpr (requires { kernel.skip; }) {
            return kernel.skip;
        } else {
            return 0;
        }
    }
    double Error(int last, double bound) {
        if (!screen.Keeps(last)) {
            return INFINITY;
        }
        v.*fields[D - 1] = axes[D - 1][static_cast<size_t>(last)];
        if (!kernel.Realizable(v)) {
            return INFINITY;
        }
        auto h = [this](size_t k) { return kernel.At(v, k); };
        if (!(tie < INFINITY)) {
            const double deviation = grid.WorstDeviation(h, bound, hint);
            if (watch != nullptr && !(deviation > bound)) {
                at[D - 1] = last;
                watch->Record(deviation, at);
            }
            return deviation;
        }
        if (grid.WorstDeviation(h, tie, hint) > tie) {
            return INFINITY;
        }
        return grid.ErrorAt(h, bound);
    }
};

}  // namespace vx
