#pragma once

#include <QFont>
#include <string>

#include "report/report_layout.h"

class QPainter;

namespace vx {

// Draws the pages of the printed result report: it measures the texts for the core's layout
// and paints the placed texts and the stage schematic, which is scaled from its picture.
class CReportPainter {
  public:
    // `painter` is active on the printer; `bodyHeight` is the body font's height in its units.
    CReportPainter(QPainter& painter, int bodyHeight);

    int Measure(ReportStyle style, const std::string& text) const;
    void Paint(const ReportPage& page);

  private:
    const QFont& FontOf(ReportStyle style) const;

    QPainter& painter_;
    QFont title_;
    QFont heading_;
    QFont body_;
};

}  // namespace vx
