#pragma once

#include "model/filter.h"

namespace vx {

// The closest realisation of `target` ohm by one standard resistor of the series (`series`
// values per decade) or by two in parallel or in series. A pair is taken only when it comes
// strictly closer than the single resistor (and, of the pairs, the first closest wins).
Realisation RealiseWithTwoResistors(double target, int series);

}  // namespace vx
