#pragma once

#include "structures/circuits/sallen_key_structure.h"

namespace vx {

// Sallen-Key high-pass: C1 from the input to the junction, C2 on to the non-inverting input,
// R1 from there to ground, R2 from the junction back to the output.
class CHpSallenKey : public CSallenKeyStructure {
  public:
    void SetStageTargets(double stageGain) override {
        SetLowHighPassTargets(stageGain, true, Context().stageCount);
    }
    void DesignStage() override;
    void SearchCapacitors() override;
    bool EnterCapacitors(bool ask, CapacitorPrompt& prompt) override;
    double MinimumCapacitor(int, int, double) const override { return 1e-12; }

  protected:
    Complex TransferWithGain(const SallenKeyValues& v, const Complex& g, Complex s) const override;
    bool Realizable(const SallenKeyValues& v) const override;
    LineScreenAxis ScreenAlong(double SallenKeyValues::*along,
                               const std::vector<Complex>& gains) const override;
    void StartScreenLine(const SallenKeyValues& v, double SallenKeyValues::*along,
                         CLineScreen& screen) const override;
    void ResistorsFromCapacitors() override;
};

}  // namespace vx
