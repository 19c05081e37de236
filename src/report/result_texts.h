#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/user_message.h"

// Short texts around a design result: the filter-parameter grid, the notice of a lowered
// band-pass gain and the message for a result asked for before any design.
namespace vx {

class CFilterStructure;

// Header row and one row per stage record (the third-order structure lists two sections).
std::vector<std::array<std::string, 5>> FilterParameterRows(const CFilterStructure& structure);

// The band-pass gain limit lowered the filter's gain to `gainDb`.
std::string GainReducedNotice(double gainDb);

// A result command before any design; `caption` is the command's window caption.
UserMessage NoDesignMessage(const std::string& caption);

}  // namespace vx
