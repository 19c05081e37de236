#pragma once

#include "dialogs/input_dlg.h"
#include "model/filter.h"
#include "model/hp_lp_input.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vx {

class CGainFieldPair;
class CRadioGroup;
class CSearchGroup;

// The input dialog of the low-pass and high-pass: Sallen-Key and multiple feedback, or the
// third-order Sallen-Key with one op-amp, which has no order, sequence, gain distribution and
// capacitor mode but the option of equal capacitors.
class CHpLpDlg : public CInputDlg {
    Q_OBJECT

  public:
    CHpLpDlg(FilterType type, StructureKind structure, CDesignSession& session, QWidget* parent);

    void accept() override;

  private:
    bool ThirdOrder() const { return structure_ == StructureKind::SALLEN_KEY_X; }
    QWidget* MakeCharacteristicGroup();
    QWidget* MakeFieldsGroup();
    QWidget* MakeDistributionGroup();
    void ShowSpecification();
    HpLpInput ReadFields() const;
    void UpdateEnabled();
    void EnterPoleParameters();
    void EnterStageGains();

    FilterType type_;
    StructureKind structure_;

    CRadioGroup* characteristic_ = nullptr;
    QLineEdit* ripple_ = nullptr;
    QPushButton* poleParameters_ = nullptr;
    QLineEdit* order_ = nullptr;
    QLineEdit* frequency_ = nullptr;
    QLineEdit* impedance_ = nullptr;
    CGainFieldPair* gain_ = nullptr;
    CRadioGroup* sequence_ = nullptr;
    CRadioGroup* series_ = nullptr;
    CRadioGroup* distribution_ = nullptr;
    CRadioGroup* capacitors_ = nullptr;
    QCheckBox* equalCapacitors_ = nullptr;
    QListWidget* opAmps_ = nullptr;
    CSearchGroup* search_ = nullptr;
};

}  // namespace vx
