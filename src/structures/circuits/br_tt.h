#pragma once

#include "structures/circuits/structure_with_values.h"
#include "structures/circuits/twin_t_network.h"

namespace vx {

// Component values of the twin-T band-stop (ohm, farad).
struct TwinTValues {
    double c1 = 0.0;  // each of the two series capacitors
    double c2 = 0.0;  // shunt capacitor, 2 C1
    double r1 = 0.0;  // each of the two series resistors
    double r2 = 0.0;  // shunt resistor, R1 / 2
    double r3 = 0.0;  // gain network, output to inverting input
    double r4 = 0.0;  // gain network, inverting input to ground
};

// Twin-T band-stop: one notch stage whose shunt branch (C2, R2) is driven from the output of a
// non-inverting amplifier with the gain k = 1 + R3/R4 = 2 - 1/(2 Q), which is also the
// pass-band gain. R1 and R2 may each be realised by two standard resistors.
class CBrTt : public CStructureWithValues<TwinTValues> {
  public:
    static constexpr int kGridPoints = 99;
    static constexpr std::array<ComponentField<TwinTValues>, 6> kSlots = {{
        {ComponentSlot::C1, &TwinTValues::c1},
        {ComponentSlot::C2, &TwinTValues::c2},
        {ComponentSlot::R1, &TwinTValues::r1},
        {ComponentSlot::R2, &TwinTValues::r2},
        {ComponentSlot::R3, &TwinTValues::r3},
        {ComponentSlot::R4, &TwinTValues::r4},
    }};

    static constexpr std::array<ComponentField<TwinTValues>, 1> kCapacitors = {{
        {ComponentSlot::C1, &TwinTValues::c1},
    }};

    CBrTt() : CStructureWithValues(kGridPoints, kSlots, kCapacitors) {}

    // Linear grid around the notch, ideal op-amp.
    void StoreTarget() override;
    // Also records R1 and R2 as single resistors when the stored value is not the one their
    // two-resistor realisation gives (the stage kept its rounded values).
    void StoreStageValues(int stage) override;
    bool EnterCapacitors(bool ask, CapacitorPrompt& prompt) override;
    std::pair<std::string, std::string> CapacitorLabels() const override { return {"C1", ""}; }
    double MinimumCapacitor(int, int, double) const override { return 1e-12; }
    Complex StageTransfer(double w) const override { return Transfer(values_, Context().opAmp, w); }
    Complex StageTransferAt(Complex s) const override {
        return Transfer(values_, Context().opAmp, s);
    }
    void DesignStage() override;
    // Exact dimensioning, then R1 and R2 from two standard resistors and the gain network.
    void SearchCapacitors() override;
    // The same for the stored C1.
    void SearchResistors() override;
    void RoundResistors() override;
    // One stage: fp = fm, Qp = Q, gain 2 - 1/(2 Q); the argument is not used.
    void SetStageTargets(double stageGain) override;

    template <class Frequency>
    static Complex Transfer(const TwinTValues& v, const OpAmpParams& opAmp, Frequency w) {
        return TwinTTransfer({v.c1, v.c1, v.c2, v.r1, v.r1, v.r2, v.r3, v.r4}, opAmp, w);
    }

  protected:
    // The rest of the stage from C1: twin-T at the notch frequency and the exact gain network.
    void ResistorsFromCapacitors() override;

  private:
    double Q() const { return Context().stages[0].poleQuality; }
    void Realise();
};

}  // namespace vx
