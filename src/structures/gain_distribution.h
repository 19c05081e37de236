#pragma once

#include <span>

#include "structures/filter_structure.h"

// How the total gain is spread over the stages.
namespace vx {

// Stages with high Q or high pole frequency get less gain; the product of the gains is kept.
// With `floorAtUnity` (Sallen-Key, whose gain network cannot go below 1) no stage ends below 1
// and the product is kept as far as that allows.
void DistributeByQ(std::span<StageRecord> stages, bool floorAtUnity);

// A multiple-feedback band-pass stage cannot exceed the gain 2 Qp^2: clips the stages there,
// moves what was clipped to the others where it fits, and returns the factor (>= 1) of the total
// gain that could not be placed.
double LimitBandPassGain(std::span<StageRecord> stages);

}  // namespace vx
