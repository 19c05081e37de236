#pragma once

#include <string>
#include <vector>

#include "plot/plot_primitives.h"

// SVG text of a drawing, for files and the command line.
namespace vx {

struct SvgOptions {
    double fontSize = 11.0;  // px; the drawing's labels must be spaced for it (PlotScale)
};

// A standalone UTF-8 SVG document of `page` drawn with the primitives in order. Texts use the
// generic sans-serif family and anchor horizontally by text-anchor, so a right-aligned text ends
// at its anchor whatever font the viewer picks; the top edge is placed by a baseline shift.
std::string WriteSvg(const std::vector<PlotPrimitive>& primitives, const PlotRect& page,
                     const SvgOptions& options = {});

}  // namespace vx
