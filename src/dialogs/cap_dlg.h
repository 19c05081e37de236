#pragma once

#include <string>

#include <QDialog>

#include "structures/capacitors/capacitor_prompt.h"

class QLineEdit;

namespace vx {

// One capacitor of one stage, with its minimum when it has one.
class CCapDlg : public QDialog {
    Q_OBJECT

  public:
    // `value` is the proposal; below the minimum it is raised to the next E12 value.
    CCapDlg(const CapacitorRequest& request, double value, QWidget* parent);

    // The accepted value after OK.
    double Value() const { return value_; }

    void accept() override;

  private:
    std::string caption_;
    double minimum_;
    double value_;
    QLineEdit* edit_;
};

}  // namespace vx
