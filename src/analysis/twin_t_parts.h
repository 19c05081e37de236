#pragma once

#include <initializer_list>
#include <span>
#include <vector>

#include "analysis/tolerance_part.h"
#include "structures/circuits/twin_t_network.h"

namespace vx {

// The parts of a built twin-T: two series resistors R1 and two series capacitors C1, the shunt
// resistor R2, the shunt capacitor C2 built from two capacitors of C1's value, and the gain
// network R3, R4. A resistor the design realises by two standard values is two parts. Every
// part varies on its own, which unbalances the twin-T and fills its notch.
class CTwinTParts {
  public:
    explicit CTwinTParts(const CFilter& filter);

    const std::vector<TolerancePart>& Parts() const { return parts_; }
    // The network for the part values, indexed as Parts(). The nominal values give the stored
    // network exactly.
    TwinTNetwork Network(std::span<const double> values) const;

  private:
    // How the parts make the element: one part, a sum (resistors in series, capacitors in
    // parallel), or resistors in parallel.
    enum class Joint { ONE, SUM, PARALLEL_RESISTORS };
    // One element of the network: the stored value, made of parts joined in one way.
    struct Element {
        double stored = 0.0;
        Joint joint = Joint::ONE;
        std::vector<size_t> parts;
    };

    Element Add(ComponentSlot component, double stored, Joint joint,
                std::initializer_list<double> nominals, bool capacitor);
    // The element for the part values: its stored value scaled as its parts' joint value moved.
    double Value(const Element& element, std::span<const double> values) const;

    std::vector<TolerancePart> parts_;
    Element r1a_, r1b_, r2_, c1a_, c1b_, c2_, r3_, r4_;
};

}  // namespace vx
