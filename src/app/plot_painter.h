#pragma once

#include <QFont>
#include <vector>

#include "plot/plot_primitives.h"

class QPainter;

namespace vx {

// The largest screen font whose digits fit the width the plots' label spacing assumes.
QFont FittingPlotFont(QFont font);

// Turns the plot's primitives into QPainter calls: the screen now, the print preview and the
// printer alike. Curves are antialiased polylines in fractional coordinates; grid lines and
// marks stay on whole pixels.
class CPlotPainter {
  public:
    // `penScale` widens every pen: the plot gives widths in screen pixels, which are far
    // finer on a printer.
    explicit CPlotPainter(QPainter& painter, double penScale = 1.0)
        : painter_(painter), penScale_(penScale) {}

    void Paint(const std::vector<PlotPrimitive>& primitives);

    void operator()(const PlotFill& fill);
    void operator()(const PlotPolyline& line);
    void operator()(const PlotCurve& curve);
    void operator()(const PlotPolygon& polygon);
    void operator()(const PlotText& text);
    void operator()(const PlotStartPicture& picture);

  private:
    QPen PenOf(const PlotPen& pen) const;

    QPainter& painter_;
    double penScale_;
};

}  // namespace vx
