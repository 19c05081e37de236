#pragma once

#include <QDialog>

#include "structures/capacitors/capacitor_prompt.h"

class QLineEdit;

namespace vx {

class CRadioGroup;

// A stored pair C1, C2 that falls short of the stage's ratio C2/C1: change C2, change C1, or
// enter both anew.
class CCapMismatchDlg : public QDialog {
    Q_OBJECT

  public:
    CCapMismatchDlg(const MismatchRequest& request, double c1, double c2, QWidget* parent);

    // The repaired pair after OK.
    double C1() const { return c1_; }
    double C2() const { return c2_; }

    void accept() override;

  private:
    bool EnterBoth();

    MismatchRequest request_;
    double c1_;
    double c2_;
    CRadioGroup* options_;
    QLineEdit* newC2_;
    QLineEdit* newC1_;
};

}  // namespace vx
