#pragma once

#include "plot/plot_primitives.h"

namespace vx {

// Height of the diagram's print font as a share of the page width.
inline constexpr double kPrintFontShare = 0.011;

// How the diagram sits on a printed page. It is laid out on the page's own size (`page`, drawn
// with PlotScale::Printer) and mapped, with one scale for both axes, into a viewport of 87.18 %
// of the page in its middle.
struct PlotPrintMapping {
    PlotRect page;    // logical: 0, 0, page width, page height
    int originX = 0;  // device units
    int originY = 0;
    double scale = 1.0;  // device units per logical unit
    int fontHeight = 0;  // logical units: 1.1 % of the page width
    // Pen widths are given in device pixels of a screen; on paper they are widened to the
    // physical width they would have at 200 dots per inch, or hairlines would remain.
    double penScale = 1.0;
};

// The mapping for a printable area of `width` by `height` device units at dpiX by dpiY.
PlotPrintMapping PlotPrintMappingFor(int width, int height, double dpiX, double dpiY);

}  // namespace vx
