#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "structures/design_monitor.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace vx {

// The progress of a running design: the stage, extra tuning rounds, the search's percentage
// and "Abbrechen". It polls the progress and stays until the run ends; closing it cancels.
// An analysis shows one line of its own instead of the stage and the rounds.
class CProgressDlg : public QDialog {
    Q_OBJECT

  public:
    CProgressDlg(std::function<DesignProgress()> poll, QWidget* parent);

    // An analysis: the title, and the line for its percentage.
    void ShowAsAnalysis(const char* title, std::function<std::string(int percent)> line);

    void reject() override;

  signals:
    void cancelRequested();

  private:
    void Update();

    std::function<DesignProgress()> poll_;
    std::function<std::string(int percent)> analysisLine_;
    QLabel* stage_;
    QLabel* retry_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    QTimer* timer_;
};

}  // namespace vx
