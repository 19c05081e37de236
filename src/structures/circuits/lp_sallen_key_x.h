#pragma once

#include "structures/circuits/sallen_key_x_structure.h"

namespace vx {

// Third-order low-pass with one op-amp: R1 from the input to the RC node, C1 from there to
// ground; R2 on to the Sallen-Key node, C3 from there back to the output, R3 on to the
// non-inverting input and C2 from there to ground.
class CLpSallenKeyX : public CSallenKeyXStructure {
  public:
    CLpSallenKeyX() : CSallenKeyXStructure(false) {}

    bool EnterCapacitors(bool ask, CapacitorPrompt& prompt) override;
    // Which 1: the smallest feedback capacitor for the given ground capacitor of the
    // Sallen-Key section.
    double MinimumCapacitor(int stage, int which, double firstCapacitor) const override;
    void StartGeneral() override;
    void StartEqualCapacitors() override;

  protected:
    SallenKeyXPolynomial Polynomial(const SallenKeyXValues& v) const override;
    SallenKeyXSplit SplitAlongR3(const SallenKeyXValues& v) const override;
    SallenKeyXValues ExactPair(int pair) const override;
    void ResistorsFromCapacitors() override;

  private:
    // C3/C2 below which the Sallen-Key section cannot be realised with the total gain.
    double MinimumRatio() const;
    // The resistor of the Sallen-Key section next to the RC node, for its capacitors; the
    // root is taken in the rationalised form, which stays finite when C2 + (1 - A) C3 = 0.
    double SallenKeyR2(double c2, double c3) const;
};

}  // namespace vx
