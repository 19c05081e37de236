#pragma once

#include <QDialog>
#include <functional>

#include "structures/design_monitor.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace vx {

// The progress of a running design: the stage, extra tuning rounds, the search's percentage
// and "Abbrechen". It polls the progress and stays until the run ends; closing it cancels.
class CProgressDlg : public QDialog {
    Q_OBJECT

  public:
    CProgressDlg(std::function<DesignProgress()> poll, QWidget* parent);

    void reject() override;

  signals:
    void cancelRequested();

  private:
    void Update();

    std::function<DesignProgress()> poll_;
    QLabel* stage_;
    QLabel* retry_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    QTimer* timer_;
};

}  // namespace vx
