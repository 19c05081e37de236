#pragma once

#include <vector>

#include "analysis/tolerance_evaluator.h"
#include "analysis/tolerance_result.h"

namespace vx {

// The relative sensitivities S = d ln y / d ln x of the pole frequency and the pole quality of
// every stage to each of its components, by central differences on the stored design with the
// ideal op-amp. The poles come from the stage's denominator: a pole pair for a second-order
// stage, a real pole for a first-order one, both for the third-order structure's one stage, and
// the pair of the twin-T (whose real pole the notch's zero cancels). A component built from
// several parts (the twin-T's two resistors R1) moves with all of them.
std::vector<SensitivityRow> ComputeSensitivities(CToleranceEvaluator& evaluator);

}  // namespace vx
