#pragma once

#include <vector>

#include "model/tolerance_scheme.h"
#include "plot/plot_mapping.h"
#include "plot/plot_primitives.h"

// A tolerance scheme in the magnitude diagram: the areas a response must keep out of, pale and
// hatched so that the curves stay readable over them, with a line at each limit and edge.
namespace vx {

inline constexpr PlotColor kSchemeFill{238, 230, 248};
inline constexpr PlotColor kSchemeHatch{206, 190, 230};
// On the screen; a printer draws the border as wide as its major grid.
inline constexpr PlotPen kSchemeBorderPen{PenStyle::SOLID, 1, {128, 80, 176}};

struct SchemeShading {
    std::vector<PlotPrimitive> areas;    // under the grid
    std::vector<PlotPrimitive> borders;  // over the grid and the marks, under the curves
};

// The scheme's forbidden areas in the diagram `map` describes, cut to its frequency range and
// its levels: below the limit of a pass region, above that of a stop region. `referenceDb` is
// the level the attenuations count from (SchemeReference); the hatch lines lie `hatchStep`
// device units apart, the limits and edges are drawn with `border`.
SchemeShading ShadeScheme(const ToleranceScheme& scheme, double referenceDb, const PlotMapping& map,
                          int hatchStep, const PlotPen& border);

// A forbidden area in small for a legend: filled, hatched, its limit along the top.
std::vector<PlotPrimitive> SchemeSwatch(const PlotRect& rect, int hatchStep, const PlotPen& border);

}  // namespace vx
