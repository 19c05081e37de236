#pragma once

#include <array>
#include <vector>

#include "structures/circuits/structure_with_values.h"
#include "structures/search/line_screen.h"
#include "structures/search/sallen_key_x_lanes.h"

namespace vx {

// Component values of the third-order stage (ohm, farad): the passive RC section C1, R1 and the
// Sallen-Key section C2, C3, R2, R3 behind it; R4 (output to inverting input) and R5 (inverting
// input to ground) set the amplifier's gain.
struct SallenKeyXValues {
    double c1 = 0.0;
    double c2 = 0.0;
    double c3 = 0.0;
    double r1 = 0.0;
    double r2 = 0.0;
    double r3 = 0.0;
    double r4 = 0.0;
    double r5 = 0.0;
};

// Denominator of the network for an amplifier gain G, in the variable x (x = s for the
// low-pass, x = 1/s for the high-pass): D = 1 + x (d1 - G e1) + x^2 (d2 - G e2) + x^3 d3, and
// H = G / D.
struct SallenKeyXPolynomial {
    double d1 = 0.0;
    double e1 = 0.0;
    double d2 = 0.0;
    double e2 = 0.0;
    double d3 = 0.0;
};

// The denominator along a search line on which only R3 changes: each coefficient is affine in
// a variable u (R3 for the low-pass, 1/R3 for the high-pass), p = fixed + u slope; e1 and e2 do
// not depend on u.
struct SallenKeyXSplit {
    SallenKeyXPolynomial fixed;
    SallenKeyXPolynomial slope;
};

// A whole third-order filter with one op-amp: a passive first-order RC section loading a
// Sallen-Key section whose amplifier carries all the gain. The two coefficient pairs interact,
// so the standard values come from empirical starting values and a search on the combined
// response; the exact pair dimensionings only give the target.
class CSallenKeyXStructure : public CStructureWithValues<SallenKeyXValues> {
  public:
    static constexpr int kGridPoints = 61;
    static constexpr std::array<ComponentField<SallenKeyXValues>, 8> kSlots = {{
        {ComponentSlot::C1, &SallenKeyXValues::c1},
        {ComponentSlot::C2, &SallenKeyXValues::c2},
        {ComponentSlot::C3, &SallenKeyXValues::c3},
        {ComponentSlot::R1, &SallenKeyXValues::r1},
        {ComponentSlot::R2, &SallenKeyXValues::r2},
        {ComponentSlot::R3, &SallenKeyXValues::r3},
        {ComponentSlot::R4, &SallenKeyXValues::r4},
        {ComponentSlot::R5, &SallenKeyXValues::r5},
    }};

    // The editing dialog shows the first two.
    static constexpr std::array<ComponentField<SallenKeyXValues>, 3> kCapacitors = {{
        {ComponentSlot::C1, &SallenKeyXValues::c1},
        {ComponentSlot::C2, &SallenKeyXValues::c2},
        {ComponentSlot::C3, &SallenKeyXValues::c3},
    }};

    explicit CSallenKeyXStructure(bool highPass)
        : CStructureWithValues(kGridPoints, kSlots, kCapacitors), highPass_(highPass) {}

    // Relative error with the gain correction (see RelativeError).
    double ResponseError() const override;
    void DesignWithFixedCapacitors() override;
    void DesignWithCapacitorSearch() override;
    void RecomputeCurves() override;
    DesignTransfers CaptureTransfers() override;
    // The neighbour search of the current values, for general or equal capacitors.
    void SearchNeighbours();
    void SetStageTargets(double stageGain) override;

    std::pair<std::string, std::string> CapacitorLabels() const override { return {"C1", "C2"}; }
    Complex StageTransfer(double w) const override;
    Complex StageTransferAt(Complex s) const override;
    // Pair `CurrentStage()` (0 the RC section, 1 the Sallen-Key section) exactly, the other
    // section's parts absent.
    void DesignStage() override { values_ = ExactPair(Context().currentStage); }
    void SearchCapacitors() override;
    // Capacitors are always searched; with entered capacitors nothing is searched.
    void SearchResistors() override {}
    void DesignFromCapacitors(int stage, double c1, double c2) override;
    void RoundResistors() override;

    // Starting designs with standard values; the gain network is chosen for the total gain.
    virtual void StartGeneral() = 0;
    virtual void StartEqualCapacitors() = 0;
    // One round with C1 = C2 = C3 stepped together.
    void SearchEqualCapacitors();

    // Requested total gain divided by the gain the gain network gives (1 for a follower).
    double GainCorrection(const SallenKeyXValues& v) const;
    // The network's denominator with an ideal amplifier of the gain network's gain has all its
    // roots in the open left half-plane.
    bool Realizable(const SallenKeyXValues& v) const;

  protected:
    virtual SallenKeyXPolynomial Polynomial(const SallenKeyXValues& v) const = 0;
    // The same polynomial split along R3 (R3 itself is not read).
    virtual SallenKeyXSplit SplitAlongR3(const SallenKeyXValues& v) const = 0;
    // Exact dimensioning of one coefficient pair.
    virtual SallenKeyXValues ExactPair(int pair) const = 0;

    // Total gain (the Sallen-Key section's stage record) and the coefficients of each pair.
    double Gain() const { return Context().stages[1].gain; }
    double A0() const { return Context().a[0]; }
    double A1() const { return Context().a[1]; }
    double B1() const { return Context().b[1]; }

    // What the error needs at one grid point and stays the same through a search: x = s (or
    // 1/s for the high-pass), the amplifier gain of the gain network with the selected op-amp,
    // and the target magnitude.
    struct GridPoint {
        Complex x;
        Complex gain;
        double target;
    };

    // H for the amplifier gain g at x.
    static Complex Transfer(const SallenKeyXPolynomial& p, Complex g, Complex x) {
        return g / (1.0 + x * (p.d1 - g * p.e1 + x * (p.d2 - g * p.e2 + x * p.d3)));
    }
    Complex X(double w) const { return {0.0, highPass_ ? -1.0 / w : w}; }
    Complex X(Complex s) const { return highPass_ ? 1.0 / s : s; }
    // The grid points of a search, and the few points whose terms are summed first to drop a
    // hopeless candidate early.
    struct ErrorGrid {
        static constexpr size_t kProbes = CSallenKeyXLanes::kProbes;
        std::vector<GridPoint> points;
        std::array<size_t, kProbes> probes{};
        std::vector<int> slot;  // the probe slot of each point, -1 for none
        // The screen of the search lines along R3: p from the fixed parts d1, e1, d2, e2 and q
        // from the slopes d1, d2, d3 of the split polynomial.
        CLineScreen screen{4, 3};
        // The same points for four candidates at once.
        CSallenKeyXLanes lanes;
    };
    // The grid points for the gain network of v.
    ErrorGrid GridPoints(const SallenKeyXValues& v) const;
    // Sum over the error grid of ((|H| g - t) / t)^2, g the gain correction: the rounded gain
    // network's gain error is taken out, so the search judges the shape of the response. Stops
    // once the partial sum exceeds `bound` and returns it.
    double RelativeError(const SallenKeyXValues& v, const ErrorGrid& points,
                         double bound = INFINITY) const;
    static double PolynomialError(const SallenKeyXPolynomial& p, double correction,
                                  const ErrorGrid& points, double bound);
    // The error of a search candidate, infinity when it is not realizable.
    double CandidateError(const SallenKeyXValues& v, const ErrorGrid& points, double bound) const;
    // Starts the screen of the search line through v (its R3 not read), with u = R3 (1/R3 for
    // the high-pass).
    void StartLine(const SallenKeyXValues& v, CLineScreen& screen) const;
    // The denominator for the amplifier gain `gain` has all its roots in the left half-plane.
    bool Stable(const SallenKeyXPolynomial& p, double gain) const;
    // The gain network for the total gain, from the resistor series.
    void ChooseGainNetwork();
    // Exact gain network R5 = R0, R4 = R0 (A - 1).
    void SetExactGainNetwork(SallenKeyXValues& v) const;

    // Target curve and error targets: the product of both exactly dimensioned pairs; false when a
    // pair cannot be dimensioned.
    bool AccumulateTargets();

  private:
    // A search line along R3; `setLine(v, index)` sets the other searched values.
    template <class SetLine>
    class R3Line;
    struct CombinationKernel;

    // The search over every combination within `window` around the current values (see
    // CFilterStructure::WidenUntilFound); false when the window holds none.
    bool SearchWithin(double window, bool equalCapacitors);
    // A grid point as the boxes of the search over every combination see it: D is affine in
    // the coefficients, D = 1 + sum w_i c_i over (d1 - A e1, e1, d2 - A e2, e2, d3) with A the
    // gain network's gain.
    struct BoxPoint {
        std::array<Complex, 5> w;
        std::array<double, 5> size;   // |w_i|
        std::array<double, 5> terms;  // the size of the terms that w_i c_i stands for
        double gain;                  // |G|
        double target;
    };
    // Narrows [uLow, uHigh] (u as along the search's lines, for R3) to a range that holds
    // every u for which some network between `lo` and `hi` (each value of lo at most that of
    // hi, R3 not read) may keep |H| within target / ratio .. target ratio at every point; false
    // when none may. `amplifier` is the gain network's gain the points were set up with;
    // `hint` is asked first and moves to the point that rules the box out.
    // Narrows [uLow, uHigh] to where a network with the coefficients q1 = d1 - A e1, e1, q2,
    // e2, d3 of the split between their least and largest values may be stable; false where
    // none may.
    bool RealizableSomewhere(const std::array<double, 5>& fixedLow,
                             const std::array<double, 5>& fixedHigh,
                             const std::array<double, 5>& slopeLow,
                             const std::array<double, 5>& slopeHigh, double& uLow,
                             double& uHigh) const;
    bool BoxReachesBand(const SallenKeyXValues& lo, const SallenKeyXValues& hi,
                        const std::vector<BoxPoint>& points, double amplifier, double ratio,
                        size_t& hint, double& uLow, double& uHigh) const;

    // Stores stage 0 and accumulates the filter and group-delay curves.
    void StoreAndAccumulate();

    const bool highPass_;
};

}  // namespace vx
