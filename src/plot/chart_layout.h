#pragma once

#include <string>
#include <vector>

#include "plot/plot_primitives.h"

namespace vx {

// The horizontal axis of a chart: logarithmic frequency in Hz, or linear time in seconds.
enum class ChartAxis { FREQUENCY, TIME };

// A curve of a panel; a legend of its own goes on a line of the panel's header.
struct ChartCurve {
    std::string legend;  // empty: the panel's label names the curve
    PlotColor color{0, 0, 255};
    std::vector<double> values;
};

// A diagram of its own for one or more curves in one unit.
struct ChartPanel {
    std::string label;  // e.g. "VDB(0UT)"
    std::string unit;   // of the values, e.g. "dB"; empty for a ratio
    std::vector<ChartCurve> curves;
};

struct Chart {
    std::string title;
    ChartAxis axis = ChartAxis::FREQUENCY;
    std::vector<double> x;           // rising, one for each value of every panel
    std::vector<ChartPanel> panels;  // stacked from top to bottom
};

// Lays out a chart: one diagram per panel, stacked over the shared horizontal axis, each with a
// scale of its own that takes in its whole curves.
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
