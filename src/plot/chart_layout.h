#pragma once

#include <string>
#include <vector>

#include "plot/plot_primitives.h"

namespace vx {

// The horizontal axis of a chart: logarithmic frequency in Hz, or linear time in seconds.
enum class ChartAxis { FREQUENCY, TIME };

// One curve of a chart in a diagram of its own.
struct ChartPanel {
    std::string label;  // e.g. "VDB(0UT)"
    std::string unit;   // of the values, e.g. "dB"; empty for a ratio
    std::vector<double> values;
};

struct Chart {
    std::string title;
    ChartAxis axis = ChartAxis::FREQUENCY;
    std::vector<double> x;           // rising, one for each value of every panel
    std::vector<ChartPanel> panels;  // stacked from top to bottom
};

// Lays out a chart of simulated curves: one diagram per panel, stacked over the shared
// horizontal axis, each with a scale of its own that takes in the whole curve.
class CChartLayout {
  public:
    explicit CChartLayout(const Chart& chart) : chart_(chart) {}

    std::vector<PlotPrimitive> Draw(const PlotRect& page) const;

    // Where the panels' diagrams lie on `page`, top to bottom.
    std::vector<PlotRect> PanelRects(const PlotRect& page) const;

  private:
    const Chart& chart_;
};

}  // namespace vx
