#pragma once

#include "dialogs/input_dlg.h"
#include "model/br_tt_input.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace vx {

class CRadioGroup;

// The input dialog of the twin-T band-stop; its gain follows from Q.
class CBrTtDlg : public CInputDlg {
    Q_OBJECT

  public:
    CBrTtDlg(CDesignSession& session, QWidget* parent);

    void accept() override;

  private:
    BrTtInput ReadFields() const;

    QLineEdit* frequency_;
    QLineEdit* quality_;
    QLineEdit* impedance_;
    QLabel* gain_;
    CRadioGroup* series_ = nullptr;
    CRadioGroup* capacitors_ = nullptr;
    QListWidget* opAmps_ = nullptr;
};

}  // namespace vx
