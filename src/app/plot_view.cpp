#include "app/plot_view.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "app/diagram_export.h"
#include "app/plot_painter.h"
#include "app/start_picture.h"
#include "plot/diagram_messages.h"
#include "qt/qt_text.h"
#include "report/summary_text.h"
#include "session/design_session.h"

namespace vx {

namespace {

// The red of a warning, darker than the curves' red so that it reads as text.
constexpr PlotColor kNoticeColor{180, 0, 0};
constexpr PlotColor kWhite{255, 255, 255};
// A wheel notch zooms by this factor; a rectangle narrower than kMinDrag pixels is a click.
constexpr double kWheelZoom = 0.8;
constexpr int kMinDrag = 5;

}  // namespace

CPlotView::CPlotView(CDesignSession& session, CDiagram& diagram, QWidget* parent)
    : QWidget(parent), session_(session), diagram_(diagram) {
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
        diagram_.Reset();
    }
    mapping_ = PlotMapping{};
    axis_ = AxisMapping{};
    cursorX_.reset();
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

void CPlotView::SetView(PlotViewKind view) {
    diagram_.SetView(view);
    cursorX_.reset();
    emit cursorReadoutChanged(QString());
    update();
}

void CPlotView::ResetZoom() {
    diagram_.ResetZoom();
    ZoomDone();
}

std::string CPlotView::Summary() const {
    return SummaryText(session_.Filter(), session_.OpAmps(), SummaryVariant::REPORT);
}

DiagramDrawing CPlotView::Drawing(const PlotRect& page, const PlotScale& scale) {
    return diagram_.Draw(page, scale, Summary(), overlay_ ? &*overlay_ : nullptr, band_);
}

void CPlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (busy_) {
        DrawStartPicture(painter, rect());
        return;
    }
    DiagramDrawing drawing =
        Drawing({0, 0, width(), height()}, PlotScale::Screen(devicePixelRatioF()));
    if (!notice_.empty() && drawing.axis.valid) {
        // Inside the diagram, clear of the legends above it, on white so that the grid and the
        // curves do not run through it.
        const QFontMetrics metrics = fontMetrics();
        const int margin = metrics.height() / 3;
        const PlotPoint at{drawing.axis.left + 2 * margin, drawing.axis.top + 2 * margin};
        const PlotRect box{at.x - margin, at.y - margin / 2,
                           at.x + metrics.horizontalAdvance(Qs(notice_)) + margin,
                           at.y + metrics.height() + margin / 2};
        drawing.plot.primitives.emplace_back(PlotFill{box, kWhite});
        drawing.plot.primitives.emplace_back(
            PlotText{notice_, at, HAlign::LEFT, VAlign::TOP, kNoticeColor});
    }
    CPlotPainter(painter).Paint(drawing.plot.primitives);
    mapping_ = drawing.plot.mapping;
    axis_ = drawing.axis;
    if (dragFrom_) {
        painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
        painter.drawRect(QRect(*dragFrom_, dragTo_).normalized());
    }
    PaintCursor(painter);
}

// The line at the cursor and beside it a box with the readout's values in their curves'
// colours.
void CPlotView::PaintCursor(QPainter& painter) {
    if (!cursorX_ || !axis_.valid) {
        return;
    }
    const ViewCurves curves = diagram_.Curves();
    const double x = axis_.ValueAt(*cursorX_);
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.drawLine(QPointF(*cursorX_, axis_.top), QPointF(*cursorX_, axis_.bottom));
    const std::vector<std::string> lines = ReadoutLines(curves, x);
    if (lines.empty()) {
        return;
    }
    QStringList texts;
    std::vector<QColor> colors{Qt::black};
    for (const std::string& line : lines) {
        texts << Qs(line);
    }
    for (const ViewSeries& series : curves.series) {
        colors.emplace_back(series.color.red, series.color.green, series.color.blue);
    }
    const QFontMetrics metrics = fontMetrics();
    int width = 0;
    for (const QString& t : texts) {
        width = std::max(width, metrics.horizontalAdvance(t));
    }
    const int pad = metrics.height() / 4;
    const int height = static_cast<int>(texts.size()) * metrics.height() + 2 * pad;
    int left = static_cast<int>(*cursorX_) + 2 * pad;
    if (left + width + 2 * pad > axis_.right) {
        left = static_cast<int>(*cursorX_) - 2 * pad - width - 2 * pad;
    }
    const QRect box(left, axis_.top + pad, width + 2 * pad, height);
    painter.fillRect(box, QColor(255, 255, 255, 230));
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(box);
    for (int i = 0; i < texts.size(); ++i) {
        painter.setPen(colors[static_cast<size_t>(i)]);
        painter.drawText(box.left() + pad,
                         box.top() + pad + i * metrics.height() + metrics.ascent(), texts[i]);
    }
}

void CPlotView::UpdateReadout(QPoint at) {
    const bool inside = !busy_ && axis_.Inside(at.x(), at.y());
    setCursor(inside ? Qt::CrossCursor : Qt::ArrowCursor);
    if (diagram_.View() == PlotViewKind::MAGNITUDE) {
        emit readoutChanged(Qs(mapping_.StatusText(at.x(), at.y())));
    } else {
        emit readoutChanged(QString());
    }
    cursorX_ = inside ? std::optional<double>(at.x()) : std::nullopt;
    emit cursorReadoutChanged(inside ? Qs(ReadoutText(diagram_.Curves(), axis_.ValueAt(at.x())))
                                     : QString());
    update();
}

void CPlotView::ZoomDone() {
    cursorX_.reset();
    update();
    // The readout follows the new scale at once.
    const QPoint at = mapFromGlobal(QCursor::pos());
    if (rect().contains(at)) {
        repaint();
        UpdateReadout(at);
    }
}

void CPlotView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (panFrom_ && axis_.valid) {
        const double fraction = (*panFrom_ - p.x()) / double(axis_.right - axis_.left);
        if (diagram_.Pan(fraction)) {
            panFrom_ = p.x();
            repaint();
        }
        return;
    }
    if (dragFrom_) {
        dragTo_ = p;
        update();
        return;
    }
    UpdateReadout(p);
}

void CPlotView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (busy_ || !axis_.Inside(p.x(), p.y())) {
        return;
    }
    if (event->button() == Qt::LeftButton) {
        dragFrom_ = p;
        dragTo_ = p;
    } else if (event->button() == Qt::MiddleButton) {
        panFrom_ = p.x();
        setCursor(Qt::ClosedHandCursor);
    }
}

void CPlotView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && panFrom_) {
        panFrom_.reset();
        ZoomDone();
        return;
    }
    if (event->button() != Qt::LeftButton || !dragFrom_) {
        return;
    }
    const int from = std::clamp(dragFrom_->x(), axis_.left, axis_.right);
    const int to = std::clamp(event->position().toPoint().x(), axis_.left, axis_.right);
    dragFrom_.reset();
    if (std::abs(to - from) >= kMinDrag) {
        diagram_.ZoomTo({axis_.ValueAt(std::min(from, to)), axis_.ValueAt(std::max(from, to))});
    }
    ZoomDone();
}

void CPlotView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && axis_.Inside(p.x(), p.y())) {
        dragFrom_.reset();
        ResetZoom();
    }
}

void CPlotView::wheelEvent(QWheelEvent* event) {
    const QPointF p = event->position();
    const int notches = event->angleDelta().y() / 120;
    if (busy_ || notches == 0 || !axis_.Inside(p.x(), p.y())) {
        event->ignore();
        return;
    }
    diagram_.ZoomAbout(axis_.ValueAt(p.x()), std::pow(kWheelZoom, notches));
    ZoomDone();
}

void CPlotView::leaveEvent(QEvent*) {
    cursorX_.reset();
    emit readoutChanged(QString());
    emit cursorReadoutChanged(QString());
    update();
}

QMenu* CPlotView::ContextMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName("plotContextMenu");
    const bool designed = axis_.valid;
    auto add = [&](const char* text, const char* name, auto slot) {
        QAction* action = menu->addAction(Qs(text), this, slot);
        action->setObjectName(name);
        action->setEnabled(designed);
    };
    add(kCopyImageText, "copyImageAction", [this] { CopyDiagramImage(*this); });
    add(kCopyValuesText, "copyValuesAction", [this] { CopyDiagramValues(*this, diagram_); });
    menu->addSeparator();
    add(kSaveSvgText, "saveSvgAction", [this] { SaveAs(DiagramFormat::SVG); });
    add(kSavePngText, "savePngAction", [this] { SaveAs(DiagramFormat::PNG); });
    add(kSavePdfText, "savePdfAction", [this] { SaveAs(DiagramFormat::PDF); });
    menu->addSeparator();
    add(kWholeRangeText, "wholeRangeAction", [this] { ResetZoom(); });
    menu->actions().back()->setEnabled(designed && diagram_.Zoomed());
    return menu;
}

void CPlotView::SaveAs(DiagramFormat format) {
    const CFilter& filter = session_.Filter();
    SaveDiagramWithDialog(*this, format, filter.documentFolder, filter.documentName);
}

void CPlotView::contextMenuEvent(QContextMenuEvent* event) {
    dragFrom_.reset();
    QMenu* menu = ContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

}  // namespace vx
