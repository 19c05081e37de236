#pragma once

#include <QWidget>
#include <string>

#include "plot/chart_layout.h"
#include "spice/spice_analysis.h"

namespace vx {

// "Spice-Ergebnis": the traces of the latest simulation, one diagram each, over frequency or,
// for the step response, time. A window of its own beside the main window; Ctrl+C copies the
// traces as a table.
class CSpiceResultWindow : public QWidget {
    Q_OBJECT

  public:
    explicit CSpiceResultWindow(QWidget* parent);

    // Shows `result` under the analysis and the design's `summary`, and brings the window up.
    void ShowResult(SpiceResult result, const std::string& summary);
    const SpiceResult& Result() const { return result_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    SpiceResult result_;
    std::string summary_;
    Chart chart_;
};

}  // namespace vx
