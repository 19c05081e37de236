#pragma once

#include <array>
#include <string>
#include <vector>

namespace vx {

class CFilterStructure;

// The filter-parameter grid: the header row and one row per stage record (the third-order
// structure lists its single stage as two sections).
std::vector<std::array<std::string, 5>> FilterParameterRows(const CFilterStructure& structure);

}  // namespace vx
