#pragma once

#include <string>

// The one-line description of the design above the diagram.
namespace vx {

class CFilter;

// "%s-%s %d. Ordnung, fg: %s, A: %s, OPV: %s, R: E%d" for low- and high-pass, and the
// band-pass and band-stop lines, all on one line.
std::string PlotSummaryLine(const CFilter& filter, const std::string& opAmpName);

}  // namespace vx
