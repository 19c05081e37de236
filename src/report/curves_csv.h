#pragma once

#include <string>

#include "analysis/show_fregang.h"

namespace vx {

// The four curves of a design as CSV: one row per grid point with the frequency in hertz, the
// magnitudes as linear ratios and the group delay in seconds. The grid starts at
// frequency * plotMin and steps by (plotMax / plotMin)^(1/1500), multiplied up point by point
// as the curves were computed. Without a traditional design (the third-order structure with
// one op-amp has none) its column stays empty rather than showing the curve's start value.
std::string CurvesCsv(const ResponseCurves& curves, double frequency, double plotMin,
                      double plotMax, bool hasTraditional = true);

}  // namespace vx
