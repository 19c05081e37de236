#pragma once

#include <string>
#include <vector>

#include "response/filter_dynamics.h"
#include "response/show_fregang.h"

namespace vx {

// Curves on the response grid as CSV: `header`, then one row per grid point with the frequency
// in hertz and each column's value. The grid starts at frequency * plotMin and steps by
// (plotMax / plotMin)^(1/1500), multiplied up point by point as the curves were computed. A
// column without a curve (nullptr) stays empty.
std::string CurveColumnsCsv(const std::string& header,
                            const std::vector<const CShowFregang*>& columns, double frequency,
                            double plotMin, double plotMax);

// The four curves of a design: the magnitudes as linear ratios and the group delay in seconds,
// then the phases of the target and the filter in degrees. Without a traditional design (the
// third-order structure with one op-amp has none) its column stays empty rather than showing the
// curve's start value.
std::string CurvesCsv(const ResponseCurves& curves, const FilterDynamics& dynamics,
                      double frequency, double plotMin, double plotMax, bool hasTraditional = true);

// The step responses of the target and the filter (volts for a 1 V step) against time in
// seconds; a column whose response is not stable stays empty.
std::string StepCsv(const FilterDynamics& dynamics);

}  // namespace vx
