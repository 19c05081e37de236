#pragma once

#include "structures/circuits/sallen_key_x_structure.h"

namespace vx {

// Third-order high-pass with one op-amp: C1 from the input to the RC node, R1 from there to
// ground; C2 on to the Sallen-Key node, R2 from there back to the output, C3 on to the
// non-inverting input and R3 from there to ground.
class CHpSallenKeyX : public CSallenKeyXStructure {
  public:
    CHpSallenKeyX() : CSallenKeyXStructure(true) {}

    bool EnterCapacitors(bool ask, CapacitorPrompt& prompt) override;
    double MinimumCapacitor(int, int, double) const override { return 1e-12; }
    void StartGeneral() override;
    void StartEqualCapacitors() override;

  protected:
    SallenKeyXPolynomial Polynomial(const SallenKeyXValues& v) const override;
    SallenKeyXSplit SplitAlongR3(const SallenKeyXValues& v) const override;
    SallenKeyXValues ExactPair(int pair) const override;
    void ResistorsFromCapacitors() override;

  private:
    // Resistors of the Sallen-Key section with equal capacitors c: {R2, R3}.
    std::pair<double, double> EqualCapacitorResistors(double c) const;
    // Starting values: C1, C2 = C3 = c, R1 rounded, R2 and R3 scaled by the factors and
    // rounded, then the gain network.
    void Start(double c, double r2Factor, double r3Factor);
};

}  // namespace vx
