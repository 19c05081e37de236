#pragma once

#include <utility>
#include <vector>

#include "structures/circuits/structure_with_values.h"
#include "structures/search/line_screen.h"

namespace vx {

// Component values of one multiple-feedback band-pass stage (ohm, farad).
struct BpMfbValues {
    double c = 0.0;   // C1 = C2: internal node to inverting input and to output
    double r1 = 0.0;  // input to internal node
    double r2 = 0.0;  // internal node to ground; kOpenResistor when left open
    double r3 = 0.0;  // output to inverting input
};

// Multiple-feedback band-pass: second-order inverting stages with equal capacitors, obtained
// from the low-pass prototype by the low-pass to band-pass transformation. A stage's gain at
// its pole frequency is R3 / (2 R1) and cannot exceed 2 Qp^2.
class CBpMfb : public CStructureWithValues<BpMfbValues> {
  public:
    static constexpr int kGridPoints = 7;
    // C2 repeats C1; loading reads C1 last, so that C1 is the stage's capacitor.
    static constexpr std::array<ComponentField<BpMfbValues>, 5> kSlots = {{
        {ComponentSlot::C2, &BpMfbValues::c},
        {ComponentSlot::C1, &BpMfbValues::c},
        {ComponentSlot::R1, &BpMfbValues::r1},
        {ComponentSlot::R2, &BpMfbValues::r2},
        {ComponentSlot::R3, &BpMfbValues::r3},
    }};
    // Above this R2 is left open: the stage is then realised without it.
    static constexpr double kLargestR2 = 1e7;

    static constexpr std::array<ComponentField<BpMfbValues>, 1> kCapacitors = {{
        {ComponentSlot::C1, &BpMfbValues::c},
    }};

    CBpMfb() : CStructureWithValues(kGridPoints, kSlots, kCapacitors) {}

    // Sum of squared magnitude differences over the seven grid points.
    double ResponseError() const override;
    // Grid around the pass band: the -3 dB frequencies and fp are the 2nd, 4th and 6th points.
    void StoreTarget() override;
    bool EnterCapacitors(bool ask, CapacitorPrompt& prompt) override;
    std::pair<std::string, std::string> CapacitorLabels() const override { return {"C1 = C2", ""}; }
    double MinimumCapacitor(int, int, double) const override { return 1e-12; }
    Complex StageTransfer(double w) const override { return Transfer(values_, Context().opAmp, w); }
    Complex StageTransferAt(Complex s) const override {
        return Transfer(values_, Context().opAmp, s);
    }
    void DesignStage() override;
    void SearchCapacitors() override;
    void SearchResistors() override;
    double SearchCombinations(bool fixedCapacitors) override;
    void RoundResistors() override;
    void SetStageTargets(double stageGain) override;

    // H(jw) of a stage with these values and amplifier (inverting: -R3/(2 R1) at fp).
    template <class Frequency>
    static Complex Transfer(const BpMfbValues& v, const OpAmpParams& opAmp, Frequency w);

    // Transfer() for candidates that differ in R2 only: what depends on the amplifier and the
    // frequency is computed once per search, what C, R1 and R3 give once per line; the
    // operations that remain are Transfer's, in its order.
    class LineKernel {
      public:
        explicit LineKernel(const CBpMfb& s);
        void StartLine(const BpMfbValues& v);
        // H at grid point k with g2 = 1 / R2.
        Complex At(double g2, size_t k) const {
            const Line& l = line_[k];
            const Complex y = g1_ + g2 + l.twoSc;
            return l.numerator / (l.k * y + l.scsc);
        }

        // The g2 in [first, second] that may give a term (|H| - target)^2 at grid point k not
        // above `bound` on this line, for g2 up to `g2Max`; every g2 outside gives a larger
        // term, with wide margins for the rounding. An empty range has first > second.
        std::pair<double, double> G2Range(size_t k, double target, double bound,
                                          double g2Max) const;

      private:
        struct Line {
            Complex twoSc, k, scsc, numerator;
        };
        std::vector<double> w_;
        std::vector<Complex> inverse_;
        std::vector<Line> line_;
        double g1_ = 0.0;
    };

  protected:
    // R1, R2, R3 for the current capacitor.
    void ResistorsFromCapacitors() override;

  private:
    double Omega() const;
    double Q() const { return Context().Record().poleQuality; }
    double Gain() const { return Context().Record().gain; }

    // The error of the kernel's line with this R2, looking first at grid point `hint` (see
    // CErrorGrid::ErrorAt).
    double CandidateError(const LineKernel& kernel, double r2, double bound, size_t& hint) const;
    // The candidate with R2 replaced by its best continuous value (opened above 10 MOhm).
    BpMfbValues WithSteplessR2(BpMfbValues v) const;
    // Gives v its stepless R2 and returns its error; may stop early and return a value above
    // `bound` when the candidate cannot reach it. The kernel's line is v's. Every g2 = 1/R2
    // outside `reach` is known to give an error above `bound`.
    double SteplessError(BpMfbValues& v, const LineKernel& kernel, double bound, size_t& hint,
                         std::pair<double, double> reach = {-INFINITY, INFINITY}) const;
    // A trial R2's error, stopped at `limit` when the search prunes.
    double TrialError(const LineKernel& kernel, double r2, double limit, size_t& hint) const;
    // The best of R2 and its decades down to R2 / 1000, or up to 1000 R2 when none below wins.
    double DecadeR2(const LineKernel& kernel, double start, size_t& hint) const;
    // The best of 100 values spanning best / 3 to 3 best and its error, infinity when no trial
    // came within its limit; g2 outside `reach` is skipped while `outer` is finite.
    std::pair<double, double> FineR2(const LineKernel& kernel, double best, double outer,
                                     std::pair<double, double> reach, size_t& hint) const;
    struct RoundLine;
    struct CombinationKernel;
    // The search over every combination within `window` around the current values; false when
    // the window holds none.
    bool SearchWithin(double window, bool fixedCapacitors);
    // The screen of a stepless line along g2 = 1/R2 (see CLineScreen).
    CLineScreen SteplessScreen() const;
    // Up to five rounds over C (capacitorSteps values, 1 keeps it), R3 and R2.
    void SearchRounds(int capacitorSteps);
};

}  // namespace vx
