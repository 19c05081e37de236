#pragma once

#include <string>
#include <vector>

#include "plot/plot_mapping.h"
#include "plot/plot_primitives.h"

namespace vx {

// A simulated magnitude laid over the response diagram: a dashed curve whose legend "Spice"
// gives its largest deviation from "Ihr Filter".
struct PlotOverlay {
    std::vector<double> frequencies;  // Hz, rising
    std::vector<double> magnitudes;   // ratios
    double maxDeviationDb = 0.0;
};

inline constexpr PlotPen kOverlayPen{PenStyle::DASHED, 2, {230, 120, 0}};

// The overlay at each of `samples` points spread evenly from map.left to map.right that its
// frequencies cover, interpolated in log frequency and level, kept inside the diagram.
std::vector<PlotPointF> OverlayPoints(const PlotOverlay& overlay, const PlotMapping& map,
                                      int samples);
// "Spice: größte Abweichung 0,012 dB", or "unter 0,001 dB".
std::string OverlayLegend(const PlotOverlay& overlay);

}  // namespace vx
