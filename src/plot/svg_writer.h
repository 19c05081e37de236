#pragma once

#include <string>
#include <vector>

#include "plot/plot_primitives.h"

// SVG text of a drawing, for files and the command line.
namespace vx {

struct SvgOptions {
    double fontSize = 12.0;  // px; about 6 px per digit, as the axis label spacing assumes
};

// A standalone UTF-8 SVG document of `page` drawn with the primitives in order. Texts use the
// generic sans-serif family and anchor by text-anchor and dominant-baseline, so a right-aligned
// text ends at its anchor whatever font the viewer picks.
std::string WriteSvg(const std::vector<PlotPrimitive>& primitives, const PlotRect& page,
                     const SvgOptions& options = {});

}  // namespace vx
