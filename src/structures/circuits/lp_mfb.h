#pragma once

#include "structures/circuits/mfb_structure.h"

namespace vx {

// Multiple-feedback low-pass: R1 from the input to the internal node, C2 from there to ground,
// R2 from there to the output, R3 from there to the inverting input, C1 from the output back to
// the inverting input. H = -(R2/R1) / (1 + a P + b P^2) with
// a = w C1 (R2 + R3 + R2 R3 / R1) and b = w^2 C1 C2 R2 R3.
class CLpMfb : public CMfbStructure {
  public:
    static constexpr std::array<ComponentField<MfbValues>, 5> kSlots = {{
        {ComponentSlot::C1, &MfbValues::c1},
        {ComponentSlot::C2, &MfbValues::c2},
        {ComponentSlot::R1, &MfbValues::r1},
        {ComponentSlot::R2, &MfbValues::r2},
        {ComponentSlot::R3, &MfbValues::r3},
    }};

    static constexpr std::array<ComponentField<MfbValues>, 2> kCapacitors = {{
        {ComponentSlot::C1, &MfbValues::c1},
        {ComponentSlot::C2, &MfbValues::c2},
    }};

    CLpMfb() : CMfbStructure(kSlots, kCapacitors) {}

    // The network with the amplifier output = -A(jw) times the inverting input.
    template <class Frequency>
    static Complex Network(const MfbValues& v, const OpAmpParams& opAmp, Frequency w);

    void SetStageTargets(double stageGain) override {
        SetLowHighPassTargets(stageGain, false, Context().stageCount);
    }
    std::pair<std::string, std::string> CapacitorLabels() const override { return {"C1", "C2"}; }
    double MinimumCapacitor(int stage, int which, double firstCapacitor) const override;
    void DesignStage() override;
    void RoundResistors() override;
    void SearchCapacitors() override;
    void SearchResistors() override;
    double SearchCombinations(bool fixedCapacitors) override;
    bool EnterCapacitors(bool ask, CapacitorPrompt& prompt) override;

  protected:
    // R1, R2, R3 for the current C1 and C2 (C2 and R3 cleared for a first-order stage).
    void ResistorsFromCapacitors() override;
    LineScreenAxis ScreenAlong(double MfbValues::*along) const override;
    void StartScreenLine(const MfbValues& v, double MfbValues::*along,
                         CLineScreen& screen) const override;
    Complex Transfer(const MfbValues& v, const OpAmpParams& opAmp, double w) const override {
        return Network(v, opAmp, w);
    }
    Complex TransferAt(const MfbValues& v, const OpAmpParams& opAmp, Complex s) const override {
        return Network(v, opAmp, s);
    }

  private:
    // C2/C1 below which the square root of the dimensioning turns imaginary.
    double MinimumRatio(int stage) const;
    void SearchFirstOrderCapacitor();
    // The standard pair R1, R2 near `r1` whose ratio R2/R1 comes closest to the stage gain.
    std::pair<double, double> GainPair(double r1) const;
};

}  // namespace vx
