#pragma once

#include <QDialog>
#include <array>

#include "model/character.h"

class QLineEdit;

namespace vx {

// The pole data of the individual characteristic, 15 stages; the input dialog checks them on
// its own OK.
class CPolparameterDlg : public QDialog {
    Q_OBJECT

  public:
    CPolparameterDlg(CCharacter& character, QWidget* parent);

    void accept() override;

  private:
    CCharacter& character_;
    std::array<QLineEdit*, kMaxStages> frequency_{};
    std::array<QLineEdit*, kMaxStages> quality_{};
};

}  // namespace vx
