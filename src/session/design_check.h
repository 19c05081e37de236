#pragma once

#include <string>
#include <vector>

#include "model/filter.h"
#include "model/opv.h"
#include "response/show_fregang.h"
#include "structures/filter_structure.h"

namespace vx {

// What a finished design should tell the user although it succeeded: a final curve far from
// its target, a stage its op-amp is too slow for, parts outside what can be built. Each
// finding is a German sentence naming the stage and part; a sound design has none.
std::vector<std::string> CheckDesign(const CFilter& filter, const ResponseCurves& curves,
                                     const CFilterStructure& structure, const COpv& opv);

}  // namespace vx
