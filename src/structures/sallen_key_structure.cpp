#include "structures/sallen_key_structure.h"

#include <vector>

#include "model/standard_value.h"
#include "structures/capacitor_choice.h"
#include "structures/gain_resistors.h"

namespace vx {

void CSallenKeyStructure::RoundResistors() {
    for (double* r : {&values_.r1, &values_.r2, &values_.r3, &values_.r4}) {
        RoundToSeries(*r, series_);
    }
}

void CSallenKeyStructure::SetExactGainNetwork() {
    values_.r4 = r0_;
    values_.r3 = r0_ * (Gain() - 1.0);
}

void CSallenKeyStructure::SearchRounds(std::array<double SallenKeyValues::*, 3> fields,
                                       std::array<int, 3> counts, std::array<int, 3> series) {
    // The gain network is chosen before the search, so that the search compensates the
    // network's small gain error (a Sallen-Key stage's Q depends on its gain); the rounded
    // network stays only when it fits strictly better.
    const SallenKeyValues rounded = values_;
    const GainResistors gain = ChooseGainResistors(Gain(), r0_, series_);
    values_.r3 = gain.feedback;
    values_.r4 = gain.ground;
    const double chosenError = ResponseError();
    if (chosenError <= bestError_) {
        bestError_ = chosenError;
    } else {
        values_ = rounded;
    }
    SallenKeyValues best = values_;
    for (int round = 0; round < 5; ++round) {
        std::array<std::vector<double>, 3> axes;
        for (size_t d = 0; d < 3; ++d) {
            axes[d] = counts[d] == 1 ? std::vector<double>{best.*fields[d]}
                                     : SeriesRun(0.1 * (best.*fields[d]), counts[d], series[d]);
        }
        const SallenKeyValues start = best;
        // The gain network stays through the search: the amplifier's gain per grid point once.
        std::vector<Complex> gains(grid_.size());
        for (size_t k = 0; k < grid_.size(); ++k) {
            gains[k] = opAmp_.NonInvertingGain(FeedbackFraction(start.r3, start.r4), grid_[k]);
        }
        std::array<int, 3> bestIndex{};
        const bool improved = SearchGrid<3>(
            {counts[0], counts[1], counts[2]},
            [&](const std::array<int, 3>& index, double bound, size_t& hint) {
                SallenKeyValues v = start;
                for (size_t d = 0; d < 3; ++d) {
                    v.*fields[d] = axes[d][static_cast<size_t>(index[d])];
                }
                return Realizable(v)
                           ? GridErrorAt(
                                 [&](size_t k) { return TransferWithGain(v, gains[k], grid_[k]); },
                                 bound, hint)
                           : INFINITY;
            },
            bestIndex);
        if (improved) {
            for (size_t d = 0; d < 3; ++d) {
                best.*fields[d] = axes[d][static_cast<size_t>(bestIndex[d])];
            }
        }
        values_ = best;
        if (cancelled_) {
            return;
        }
        bool accepted = true;
        for (size_t d = 0; d < 3; ++d) {
            if (counts[d] > 1 && !WithinSearchRange(best.*fields[d], axes[d][0])) {
                accepted = false;
            }
        }
        if (accepted || round == 4) {
            break;
        }
        IncrementRetry();
    }
}

void CSallenKeyStructure::SearchResistors() {
    const int resistorSteps = 2 * series_;
    SearchRounds({&SallenKeyValues::r1, &SallenKeyValues::r2, &SallenKeyValues::c1},
                 {resistorSteps, firstOrder_ ? 1 : resistorSteps, 1}, {series_, series_, 12});
}

}  // namespace vx
