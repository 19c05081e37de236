#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "analysis/tolerance_result.h"
#include "plot/plot_mapping.h"
#include "plot/plot_overlay.h"

namespace vx {

class CDesignSession;

// The response diagram of the current design, drawn from the core's plot layout; the start
// picture while nothing is designed. The mouse over the diagram gives a readout of frequency,
// level and delay.
class CPlotView : public QWidget {
    Q_OBJECT

  public:
    CPlotView(CDesignSession& session, QWidget* parent);

    // While a design runs the record belongs to the worker: the view shows the start picture
    // and reads nothing. A design that starts ends the overlay.
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

  signals:
    void readoutChanged(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    CDesignSession& session_;
    PlotMapping mapping_;
    std::optional<PlotOverlay> overlay_;
    const ToleranceBand* band_ = nullptr;
    std::string notice_;
    bool busy_ = false;
};

}  // namespace vx
