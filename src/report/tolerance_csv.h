#pragma once

#include <string>

#include "analysis/tolerance_result.h"

namespace vx {

// The band of a tolerance analysis as CSV on the response grid, with the design's own response
// beside it: "frequency_hz,filter,median,q05,q95,min,max", linear magnitudes.
std::string ToleranceCsv(const CShowFregang& filter, const ToleranceBand& band, double frequency,
                         double plotMin, double plotMax);

}  // namespace vx
