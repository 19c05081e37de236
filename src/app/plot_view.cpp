#include "app/plot_view.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "app/plot_painter.h"
#include "app/start_picture.h"
#include "plot/plot_layout.h"
#include "qt/qt_text.h"
#include "report/summary_text.h"
#include "session/design_session.h"

namespace vx {

namespace {

// The red of a warning, darker than the curves' red so that it reads as text.
constexpr PlotColor kNoticeColor{180, 0, 0};
constexpr PlotColor kWhite{255, 255, 255};

}  // namespace

CPlotView::CPlotView(CDesignSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName("plotView");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 200);
    setFont(FittingPlotFont(font()));
}

void CPlotView::SetBusy(bool busy) {
    busy_ = busy;
    // A simulation belongs to the design it simulated.
    if (busy) {
        overlay_.reset();
    }
    mapping_ = PlotMapping{};
    update();
}

void CPlotView::SetOverlay(std::optional<PlotOverlay> overlay) {
    overlay_ = std::move(overlay);
    update();
}

void CPlotView::SetToleranceBand(const ToleranceBand* band) {
    band_ = band;
    update();
}

void CPlotView::SetNotice(std::string notice) {
    notice_ = std::move(notice);
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
    if (overlay_) {
        layout.SetOverlay(&*overlay_);
    }
    layout.SetToleranceBand(band_);
    PlotDrawing drawing =
        layout.Draw({0, 0, width(), height()}, PlotScale::Screen(devicePixelRatioF()));
    if (!notice_.empty() && filter.GetDesignState() == DesignState::DESIGNED) {
        // Inside the diagram, clear of the legends above it, on white so that the grid and the
        // curves do not run through it.
        const QFontMetrics metrics = fontMetrics();
        const int margin = metrics.height() / 3;
        const PlotPoint at{drawing.mapping.left + 2 * margin, drawing.mapping.top + 2 * margin};
        const PlotRect box{at.x - margin, at.y - margin / 2,
                           at.x + metrics.horizontalAdvance(Qs(notice_)) + margin,
                           at.y + metrics.height() + margin / 2};
        drawing.primitives.emplace_back(PlotFill{box, kWhite});
        drawing.primitives.emplace_back(
            PlotText{notice_, at, HAlign::LEFT, VAlign::TOP, kNoticeColor});
    }
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
