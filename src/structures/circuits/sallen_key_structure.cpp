#include "structures/circuits/sallen_key_structure.h"

#include <cmath>
#include <vector>

#include "model/standard_value.h"
#include "structures/capacitors/capacitor_choice.h"
#include "structures/gain_resistors.h"
#include "structures/search/combination_line.h"

namespace vx {

void CSallenKeyStructure::RoundResistors() {
    for (double* r : {&values_.r1, &values_.r2, &values_.r3, &values_.r4}) {
        RoundToSeries(*r, Context().series);
    }
}

void CSallenKeyStructure::SetExactGainNetwork() {
    values_.r4 = Context().r0;
    values_.r3 = Context().r0 * (Gain() - 1.0);
}

// The candidates of a search round that differ in the last value only.
struct CSallenKeyStructure::Line {
    const CSallenKeyStructure& s;
    const std::array<double SallenKeyValues::*, 3>& fields;
    const std::array<std::vector<double>, 3>& axes;
    const std::vector<Complex>& gains;
    const std::vector<double>& u;
    SallenKeyValues v;
    CLineScreen screen;
    size_t hint = 0;  // see CErrorGrid::ErrorAt

    IndexRange Start(const std::array<int, 3>& index, double bound) {
        for (size_t d = 0; d < 2; ++d) {
            v.*fields[d] = axes[d][static_cast<size_t>(index[d])];
        }
        if (bound < INFINITY && screen.PointCount() > 0) {
            s.StartScreenLine(v, fields[2], screen);
        }
        return screen.Screen(u, bound);
    }
    double Error(int last, double bound) {
        if (!screen.Keeps(last)) {
            return INFINITY;
        }
        v.*fields[2] = axes[2][static_cast<size_t>(last)];
        return s.Realizable(v) ? s.Context().grid.ErrorAt(
                                     [&](size_t k) {
                                         return s.TransferWithGain(
                                             v, gains[k], LaplaceOf(s.Context().grid.Omega(k)));
                                     },
                                     bound, hint)
                               : INFINITY;
    }
};

void CSallenKeyStructure::SearchRounds(std::array<double SallenKeyValues::*, 3> fields,
                                       std::array<int, 3> counts, std::array<int, 3> series) {
    // The gain network is chosen before the search, so that the search compensates the
    // network's small gain error (a Sallen-Key stage's Q depends on its gain); the rounded
    // network stays only when it fits strictly better.
    const SallenKeyValues rounded = values_;
    const GainResistors gain = ChooseGainResistors(Gain(), Context().r0, Context().series);
    values_.r3 = gain.feedback;
    values_.r4 = gain.ground;
    const double chosenError = ResponseError();
    if (chosenError <= BestError()) {
        SetBestError(chosenError);
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
        std::vector<Complex> gains(Context().grid.Size());
        for (size_t k = 0; k < Context().grid.Size(); ++k) {
            gains[k] = Context().opAmp.NonInvertingGain(FeedbackFraction(start.r3, start.r4),
                                                        Context().grid.Omega(k));
        }
        const LineScreenAxis screened = ScreenAlong(fields[2], gains);
        const std::vector<double> u = screened.Variables(axes[2]);
        std::array<int, 3> bestIndex{};
        const bool improved = SearchLines<3>(
            {counts[0], counts[1], counts[2]},
            [&] { return Line{*this, fields, axes, gains, u, start, screened.screen}; }, bestIndex);
        if (improved) {
            for (size_t d = 0; d < 3; ++d) {
                best.*fields[d] = axes[d][static_cast<size_t>(bestIndex[d])];
            }
        }
        values_ = best;
        if (Cancelled()) {
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
    const int resistorSteps = 2 * Context().series;
    // C1 stays; it comes first, so that the lines run along R2.
    SearchRounds({&SallenKeyValues::c1, &SallenKeyValues::r1, &SallenKeyValues::r2},
                 {1, resistorSteps, Context().firstOrder ? 1 : resistorSteps},
                 {12, Context().series, Context().series});
}

// The circuit as the search over every combination sees it, with the gain network's amplifier
// gain per grid point.
struct CSallenKeyStructure::Kernel {
    const CSallenKeyStructure& s;
    const std::vector<Complex>& gains;

    template <size_t D>
    bool StartLine(SallenKeyValues& v, const std::array<int, D>&, CLineScreen& screen,
                   double) const {
        s.StartScreenLine(v, &SallenKeyValues::r2, screen);
        return true;
    }
    bool Realizable(const SallenKeyValues& v) const { return s.Realizable(v); }
    Complex At(const SallenKeyValues& v, size_t k) const {
        return s.TransferWithGain(v, gains[k], LaplaceOf(s.Context().grid.Omega(k)));
    }
};

double CSallenKeyStructure::SearchCombinations(bool fixedCapacitors) {
    return WidenUntilFound(
        [&](double window) { return SearchWithin(window, values_, fixedCapacitors); });
}

bool CSallenKeyStructure::SearchWithin(double window, SallenKeyValues start, bool fixedCapacitors) {
    const std::optional<GainResistors> network =
        ChooseGainResistorsWithin(Gain(), Context().r0, Context().series, window);
    if (!network) {
        return false;
    }
    SallenKeyValues v = start;
    v.r3 = network->feedback;
    v.r4 = network->ground;
    // A first-order stage has C1 and R1 only; the lines run along R2, which the stages screen.
    const bool second = !Context().firstOrder;
    static constexpr std::array<double SallenKeyValues::*, 4> kFields = {
        &SallenKeyValues::c1, &SallenKeyValues::c2, &SallenKeyValues::r1, &SallenKeyValues::r2};
    const std::array<std::vector<double>, 4> axes = {
        fixedCapacitors ? std::vector<double>{v.c1} : CapacitorAxis(v.c1),
        fixedCapacitors || !second ? std::vector<double>{v.c2} : CapacitorAxis(v.c2),
        ResistorAxis(v.r1, window),
        second ? ResistorAxis(v.r2, window) : std::vector<double>{v.r2}};
    std::vector<Complex> gains(Context().grid.Size());
    for (size_t k = 0; k < gains.size(); ++k) {
        gains[k] =
            Context().opAmp.NonInvertingGain(FeedbackFraction(v.r3, v.r4), Context().grid.Omega(k));
    }
    const LineScreenAxis screened = ScreenAlong(&SallenKeyValues::r2, gains);
    if (!SearchCombinationAxes(kFields, axes, screened.Variables(axes[3]), Kernel{*this, gains},
                               screened.screen, v)) {
        return false;
    }
    values_ = v;
    return true;
}

}  // namespace vx
