#pragma once

#include "model/filter.h"

namespace vx {

// One resistor or capacitor of the built filter that varies within its tolerance. A component
// of the record may be built from several parts (the twin-T's two series resistors R1, a
// resistor realised by two standard values); each part belongs to one component.
struct TolerancePart {
    int stage = 0;
    ComponentSlot component = ComponentSlot::R1;
    bool capacitor = false;
    double nominal = 0.0;
};

// A stored value that stands for a real part: 0 marks a missing one, 1e20 and more an open
// resistor or an absent capacitor of a first-order stage.
inline bool IsRealPart(double value) {
    return value > 0.0 && value < 1e15;
}

}  // namespace vx
