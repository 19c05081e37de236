#pragma once

#include <QDialog>

namespace vx {

struct ToleranceResult;

// "Ergebnis - Toleranzanalyse": the settings of the run, the figures over the runs with the
// yield, and the poles' sensitivities, in the core's rows and tables. Ctrl+C copies them as text.
class CToleranceResultDlg : public QDialog {
    Q_OBJECT

  public:
    CToleranceResultDlg(const ToleranceResult& result, QWidget* parent);
};

}  // namespace vx
