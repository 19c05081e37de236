#pragma once

#include <array>
#include <vector>

#include "structures/circuits/structure_with_values.h"

namespace vx {

// Component values of one Sallen-Key stage (ohm, farad).
struct SallenKeyValues {
    double c1 = 0.0;
    double c2 = 0.0;
    double r1 = 0.0;
    double r2 = 0.0;
    double r3 = 0.0;  // gain network, output to inverting input
    double r4 = 0.0;  // gain network, inverting input to ground
};

// What the Sallen-Key low-pass and high-pass share: the stage values, rounding, and the search
// rounds over standard values.
class CSallenKeyStructure : public CStructureWithValues<SallenKeyValues> {
  public:
    static constexpr int kGridPoints = 61;
    static constexpr std::array<ComponentField<SallenKeyValues>, 6> kSlots = {{
        {ComponentSlot::C1, &SallenKeyValues::c1},
        {ComponentSlot::C2, &SallenKeyValues::c2},
        {ComponentSlot::R1, &SallenKeyValues::r1},
        {ComponentSlot::R2, &SallenKeyValues::r2},
        {ComponentSlot::R3, &SallenKeyValues::r3},
        {ComponentSlot::R4, &SallenKeyValues::r4},
    }};

    static constexpr std::array<ComponentField<SallenKeyValues>, 2> kCapacitors = {{
        {ComponentSlot::C1, &SallenKeyValues::c1},
        {ComponentSlot::C2, &SallenKeyValues::c2},
    }};

    CSallenKeyStructure() : CStructureWithValues(kGridPoints, kSlots, kCapacitors) {}

    std::pair<std::string, std::string> CapacitorLabels() const override { return {"C1", "C2"}; }
    void RoundResistors() override;
    void SearchResistors() override;
    double SearchCombinations(bool fixedCapacitors) override;
    Complex StageTransfer(double w) const override { return Transfer(values_, Context().opAmp, w); }
    Complex StageTransferAt(Complex s) const override {
        return Transfer(values_, Context().opAmp, s);
    }

  protected:
    // H(jw) (or H(s)) of a stage with these values and amplifier.
    template <class Frequency>
    Complex Transfer(const SallenKeyValues& v, const OpAmpParams& opAmp, Frequency w) const {
        return TransferWithGain(v, opAmp.NonInvertingGain(FeedbackFraction(v.r3, v.r4), w),
                                LaplaceOf(w));
    }
    // The same with `g` the amplifier's closed-loop gain at s with the stage's gain network.
    virtual Complex TransferWithGain(const SallenKeyValues& v, const Complex& g,
                                     Complex s) const = 0;
    // The damping term of a candidate is positive (always true for a first-order stage).
    virtual bool Realizable(const SallenKeyValues& v) const = 0;
    // The screen of search lines along `along` (see CLineScreen) with the grid points' factors
    // for the amplifier gains `gains`; without points where the stage is not screened along it.
    virtual LineScreenAxis ScreenAlong(double SallenKeyValues::*along,
                                       const std::vector<Complex>& gains) const = 0;
    // Gives `screen` the numbers and conditions of the line through `v` along `along`.
    virtual void StartScreenLine(const SallenKeyValues& v, double SallenKeyValues::*along,
                                 CLineScreen& screen) const = 0;

    double Gain() const { return Context().Record().gain; }
    double A() const { return Context().A(); }
    double B() const { return Context().B(); }
    // Exact gain network R4 = R0, R3 = R0 (A - 1).
    void SetExactGainNetwork();

    // The pointers name the three searched values. Up to five rounds, each over the axes
    // (counts per axis, 1 for a value that stays); a round is repeated around its best values
    // while a searched value ends near the edge of its range. The lines along the last axis are
    // screened.
    void SearchRounds(std::array<double SallenKeyValues::*, 3> fields, std::array<int, 3> counts,
                      std::array<int, 3> series);

  private:
    struct Line;
    struct Kernel;
    // The search over every combination within `window` around the stage values `start`; false
    // when the window holds none.
    bool SearchWithin(double window, SallenKeyValues start, bool fixedCapacitors);
};

}  // namespace vx
