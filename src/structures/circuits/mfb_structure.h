#pragma once

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "structures/circuits/structure_with_values.h"

namespace vx {

// Component values of one multiple-feedback stage (ohm, farad). The low-pass uses C1, C2 and
// R1 to R3, the high-pass C1 to C3, R1 and R2; the unused field stays 0.
struct MfbValues {
    double c1 = 0.0;
    double c2 = 0.0;
    double c3 = 0.0;
    double r1 = 0.0;
    double r2 = 0.0;
    double r3 = 0.0;
};

// One value a search round steps through: `count` standard values of `series` upwards from
// 0.1 times its current value (count 1: the value stays).
struct MfbSearchAxis {
    double MfbValues::*field;
    int count;
    int series;
};

// What the multiple-feedback low-pass and high-pass share: the inverting stage values, the
// capacitor prompt and the search rounds over standard values.
class CMfbStructure : public CStructureWithValues<MfbValues> {
  public:
    static constexpr int kGridPoints = 61;

    CMfbStructure(Slots slots, Slots capacitors)
        : CStructureWithValues(kGridPoints, slots, capacitors) {}

    Complex StageTransfer(double w) const override { return Transfer(values_, Context().opAmp, w); }
    Complex StageTransferAt(Complex s) const override {
        return TransferAt(values_, Context().opAmp, s);
    }

  protected:
    // H(jw) of a stage with these values and amplifier.
    virtual Complex Transfer(const MfbValues& v, const OpAmpParams& opAmp, double w) const = 0;
    virtual Complex TransferAt(const MfbValues& v, const OpAmpParams& opAmp, Complex s) const = 0;
    // The screen of search lines along `along` (see CLineScreen) with the grid points' factors;
    // without points where the stage is not screened along it.
    virtual LineScreenAxis ScreenAlong(double MfbValues::*along) const = 0;
    // Gives `screen` the numbers of the line through `v` along `along`.
    virtual void StartScreenLine(const MfbValues& v, double MfbValues::*along,
                                 CLineScreen& screen) const = 0;

    double Gain() const { return Context().Record().gain; }
    double A() const { return Context().A(); }
    double B() const { return Context().B(); }

    // The transfer of the candidates of one search line through the virtual Transfer.
    class TransferKernel {
      public:
        explicit TransferKernel(const CMfbStructure& s) : s_(s) {}
        void StartLine(const MfbValues&) {}
        Complex At(const MfbValues& v, size_t k) const {
            return s_.Transfer(v, s_.Context().opAmp, s_.Context().grid.Omega(k));
        }

      private:
        const CMfbStructure& s_;
    };

    // A line of a search round: the candidates that differ in the last axis only, screened.
    template <class Kernel, class Make>
    struct SearchLine {
        CMfbStructure& s;
        const std::array<MfbSearchAxis, 3>& axes;
        const std::vector<double>& lastRun;
        Make& make;
        Kernel kernel;
        CLineScreen screen;
        const std::vector<double>& u;
        MfbValues v{};
        size_t hint = 0;  // see CErrorGrid::ErrorAt

        IndexRange Start(const std::array<int, 3>& index, double bound) {
            v = make({index[0], index[1], 0});
            kernel.StartLine(v);
            if (bound < INFINITY && screen.PointCount() > 0) {
                s.StartScreenLine(v, axes[2].field, screen);
            }
            return screen.Screen(u, bound);
        }
        double Error(int last, double bound) {
            if (!screen.Keeps(last)) {
                return INFINITY;
            }
            v.*axes[2].field = lastRun[static_cast<size_t>(last)];
            return s.Context().grid.ErrorAt([&](size_t k) { return kernel.At(v, k); }, bound, hint);
        }
    };

    // Up to `maxRounds` rounds over the three axes; `complete(v)` fills the values that follow
    // from the searched ones (R2 from R1, C2 from C1) but not from the last axis: it runs once
    // per line of candidates that differ in the last axis only. A round is repeated around its
    // best values while a searched value ends near the edge of its range. When no candidate
    // beats the error the search started with, the values it started with stay.
    //
    // `Kernel(*this)` evaluates the candidates: StartLine(v) with the values of a line (its last
    // axis at its first value), then At(v, k), H at grid point k, for each candidate of the line.
    template <class Kernel = TransferKernel, class Complete>
    void SearchRounds(const std::array<MfbSearchAxis, 3>& axes, int maxRounds, Complete&& complete);

    // The search over every combination of `axes`, one per field of `fields`, the last one
    // screened (see CFilterStructure::SearchEveryCombination), with the kernel and completion of
    // SearchRounds. Sets the winner as the current values; false when no candidate can be built.
    template <class Kernel, size_t D, class Complete>
    bool SearchEvery(const std::array<double MfbValues::*, D>& fields,
                     const std::array<std::vector<double>, D>& axes, Complete&& complete);

  private:
    // A kernel of SearchRounds as CombinationLine asks for it.
    template <class Kernel, class Complete>
    struct CombinationKernel {
        const CMfbStructure& s;
        double MfbValues::*along;
        Complete& complete;
        Kernel kernel;

        template <size_t D>
        bool StartLine(MfbValues& v, const std::array<int, D>&, CLineScreen& screen, double) {
            complete(v);
            kernel.StartLine(v);
            if (screen.PointCount() > 0) {
                s.StartScreenLine(v, along, screen);
            }
            return true;
        }
        bool Realizable(const MfbValues&) const { return true; }
        Complex At(const MfbValues& v, size_t k) const { return kernel.At(v, k); }
    };
};

template <class Kernel, size_t D, class Complete>
bool CMfbStructure::SearchEvery(const std::array<double MfbValues::*, D>& fields,
                                const std::array<std::vector<double>, D>& axes,
                                Complete&& complete) {
    const LineScreenAxis screened = ScreenAlong(fields[D - 1]);
    using LineKernel = CombinationKernel<Kernel, Complete>;
    if (!SearchCombinationAxes(fields, axes, screened.Variables(axes[D - 1]),
                               LineKernel{*this, fields[D - 1], complete, Kernel(*this)},
                               screened.screen, values_)) {
        return false;
    }
    complete(values_);
    return true;
}

template <class Kernel, class Complete>
void CMfbStructure::SearchRounds(const std::array<MfbSearchAxis, 3>& axes, int maxRounds,
                                 Complete&& complete) {
    const MfbValues entry = values_;
    MfbValues best = values_;
    complete(best);
    bool improvedAny = false;
    for (int round = 0; round < maxRounds; ++round) {
        std::array<std::vector<double>, 3> runs;
        for (size_t d = 0; d < 3; ++d) {
            const double centre = best.*axes[d].field;
            runs[d] = axes[d].count == 1 ? std::vector<double>{centre}
                                         : SeriesRun(0.1 * centre, axes[d].count, axes[d].series);
        }
        const MfbValues start = best;
        std::array<int, 3> bestIndex{};
        auto candidate = [&](const std::array<int, 3>& index) {
            MfbValues v = start;
            for (size_t d = 0; d < 3; ++d) {
                v.*axes[d].field = runs[d][static_cast<size_t>(index[d])];
            }
            complete(v);
            return v;
        };
        const LineScreenAxis screened = ScreenAlong(axes[2].field);
        const std::vector<double> u = screened.Variables(runs[2]);
        const bool improved = SearchLines<3>(
            {axes[0].count, axes[1].count, axes[2].count},
            [&] {
                return SearchLine<Kernel, decltype(candidate)>{
                    *this, axes, runs[2], candidate, Kernel(*this), screened.screen, u};
            },
            bestIndex);
        if (improved) {
            best = candidate(bestIndex);
            improvedAny = true;
        }
        values_ = improvedAny ? best : entry;
        if (Cancelled()) {
            return;
        }
        bool accepted = true;
        for (size_t d = 0; d < 3; ++d) {
            if (axes[d].count > 1 && !WithinSearchRange(best.*axes[d].field, runs[d][0])) {
                accepted = false;
            }
        }
        if (accepted || round == maxRounds - 1) {
            break;
        }
        IncrementRetry();
    }
}

}  // namespace vx
