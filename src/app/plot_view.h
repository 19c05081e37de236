#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "analysis/tolerance_result.h"
#include "plot/diagram.h"
#include "plot/diagram_messages.h"
#include "plot/plot_mapping.h"
#include "plot/plot_overlay.h"

class QMenu;

namespace vx {

class CDesignSession;

// The diagram of the current design in the view the user chose, drawn from the core's layouts;
// the start picture while nothing is designed. A vertical line follows the mouse and reads the
// curves there. The wheel and a dragged rectangle zoom, the middle button pans, a double-click
// shows the whole range again; the context menu copies and saves the diagram.
class CPlotView : public QWidget {
    Q_OBJECT

  public:
    CPlotView(CDesignSession& session, CDiagram& diagram, QWidget* parent);

    // While a design runs the record belongs to the worker: the view shows the start picture
    // and reads nothing. A design that starts ends the overlay and the zoom.
    void SetBusy(bool busy);
    // A simulated magnitude over the curves until the next design; nothing removes it.
    void SetOverlay(std::optional<PlotOverlay> overlay);
    bool HasOverlay() const { return overlay_.has_value(); }
    // The band of a tolerance analysis under the curves (nullptr: none); it must stay until
    // it is replaced.
    void SetToleranceBand(const ToleranceBand* band);
    bool HasToleranceBand() const { return band_ != nullptr; }
    // A line in the diagram's upper left corner (the design check's count); empty for none.
    void SetNotice(std::string notice);

    void SetView(PlotViewKind view);
    void ResetZoom();
    // The diagram as the screen shows it, without the cursor, on `page`.
    DiagramDrawing Drawing(const PlotRect& page, const PlotScale& scale);
    // The menu the right button opens (built anew for each opening).
    QMenu* ContextMenu();

  signals:
    // The level and delay at the mouse's height (magnitude view only).
    void readoutChanged(const QString& text);
    // The cursor's place on the axis and every shown curve's value there; empty off the diagram.
    void cursorReadoutChanged(const QString& text);
    // A line for the status bar: what an export did.
    void statusMessage(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    std::string Summary() const;
    void PaintCursor(QPainter& painter);
    void UpdateReadout(QPoint at);
    void ZoomDone();
    void SaveAs(DiagramFormat format);

    CDesignSession& session_;
    CDiagram& diagram_;
    PlotMapping mapping_;
    AxisMapping axis_;
    std::optional<PlotOverlay> overlay_;
    const ToleranceBand* band_ = nullptr;
    std::string notice_;
    bool busy_ = false;
    std::optional<double> cursorX_;   // in widget pixels
    std::optional<QPoint> dragFrom_;  // left button: the zoom rectangle's corner
    QPoint dragTo_;
    std::optional<double> panFrom_;  // middle button: where the last pan step ended
};

}  // namespace vx
