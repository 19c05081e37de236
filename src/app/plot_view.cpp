#include "app/plot_view.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "app/plot_painter.h"
#include "app/qt_text.h"
#include "app/start_picture.h"
#include "plot/plot_layout.h"
#include "report/summary_text.h"
#include "structures/design_session.h"

namespace vx {

CPlotView::CPlotView(CDesignSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName("plotView");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 200);
    // The largest screen font whose digits fit the width the label spacing assumes.
    QFont plotFont = font();
    for (int pixels = 12; pixels > 8; --pixels) {
        plotFont.setPixelSize(pixels);
        if (QFontMetrics(plotFont).horizontalAdvance(QLatin1Char('0')) <= CPlotLayout::kCharWidth) {
            break;
        }
    }
    setFont(plotFont);
}

void CPlotView::SetBusy(bool busy) {
    busy_ = busy;
    mapping_ = PlotMapping{};
    update();
}

void CPlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (busy_) {
        DrawStartPicture(painter, rect());
        return;
    }
    const CFilter& filter = session_.Filter();
    CPlotLayout layout(filter, session_.Curves(),
                       SummaryText(filter, session_.OpAmps(), SummaryVariant::REPORT));
    const PlotDrawing drawing = layout.Draw({0, 0, width(), height()}, PlotScale::Screen());
    CPlotPainter(painter).Paint(drawing.primitives);
    mapping_ = drawing.mapping;
}

void CPlotView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    const bool readout = mapping_.HasReadout(p.x(), p.y());
    setCursor(readout ? Qt::CrossCursor : Qt::ArrowCursor);
    emit readoutChanged(Qs(mapping_.StatusText(p.x(), p.y())));
}

void CPlotView::leaveEvent(QEvent*) {
    emit readoutChanged(QString());
}

}  // namespace vx
