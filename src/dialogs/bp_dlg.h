#pragma once

#include "dialogs/input_dlg.h"
#include "model/bp_input.h"

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace vx {

class CGainFieldPair;
class CRadioGroup;
class CSearchGroup;

// The input dialog of the multiple-feedback band-pass.
class CBpDlg : public CInputDlg {
    Q_OBJECT

  public:
    CBpDlg(CDesignSession& session, QWidget* parent);

    void accept() override;

  private:
    QWidget* MakeFieldsGroup();
    QWidget* MakeCharacteristicGroup();
    BpInput ReadFields() const;
    void EnterBandEdges();

    QLineEdit* order_ = nullptr;
    QLineEdit* frequency_ = nullptr;
    QLineEdit* bandwidth_ = nullptr;
    CGainFieldPair* gain_ = nullptr;
    QLineEdit* impedance_ = nullptr;
    CRadioGroup* characteristic_ = nullptr;
    QLineEdit* ripple_ = nullptr;
    CRadioGroup* sequence_ = nullptr;
    CRadioGroup* series_ = nullptr;
    QCheckBox* steplessR2_ = nullptr;
    CRadioGroup* distribution_ = nullptr;
    CRadioGroup* capacitors_ = nullptr;
    QListWidget* opAmps_ = nullptr;
    CSearchGroup* search_ = nullptr;
};

}  // namespace vx
