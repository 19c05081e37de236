#pragma once

#include <QWidget>

#include "plot/plot_mapping.h"

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
    // and reads nothing.
    void SetBusy(bool busy);

  signals:
    void readoutChanged(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    CDesignSession& session_;
    PlotMapping mapping_;
    bool busy_ = false;
};

}  // namespace vx
