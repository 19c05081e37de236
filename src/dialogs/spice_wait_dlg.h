#pragma once

#include <QDialog>

class QPushButton;

namespace vx {

// Shown while the simulator runs: what runs, a busy bar and "Abbrechen". It stays until its
// owner closes it; closing it asks to cancel.
class CSpiceWaitDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CSpiceWaitDlg(QWidget* parent);

    void reject() override;

  signals:
    void cancelRequested();

  private:
    QPushButton* cancel_;
};

}  // namespace vx
