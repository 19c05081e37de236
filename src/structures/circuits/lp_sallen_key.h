#pragma once

#include "structures/circuits/sallen_key_structure.h"

namespace vx {

// Sallen-Key low-pass: R1 from the input to the junction, R2 on to the non-inverting input,
// C1 from there to ground, C2 from the junction back to the output.
class CLpSallenKey : public CSallenKeyStructure {
  public:
    void SetStageTargets(double stageGain) override {
        SetLowHighPassTargets(stageGain, false, Context().stageCount);
    }
    void DesignStage() override;
    void SearchCapacitors() override;
    bool EnterCapacitors(bool ask, CapacitorPrompt& prompt) override;
    double MinimumCapacitor(int stage, int which, double firstCapacitor) const override;

  protected:
    Complex TransferWithGain(const SallenKeyValues& v, const Complex& g, Complex s) const override;
    bool Realizable(const SallenKeyValues& v) const override;
    LineScreenAxis ScreenAlong(double SallenKeyValues::*along,
                               const std::vector<Complex>& gains) const override;
    void StartScreenLine(const SallenKeyValues& v, double SallenKeyValues::*along,
                         CLineScreen& screen) const override;
    void ResistorsFromCapacitors() override;

  private:
    // C2/C1 below which the stage cannot be realised with this gain.
    double MinimumRatio(int stage) const;
};

}  // namespace vx
