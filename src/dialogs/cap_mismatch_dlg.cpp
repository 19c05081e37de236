#include "dialogs/cap_mismatch_dlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/cap_dlg.h"
#include "dialogs/dialog_parts.h"
#include "dialogs/radio_group.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"
#include "structures/capacitors/capacitor_choice.h"
#include "structures/capacitors/capacitor_dialog_texts.h"

namespace vx {

namespace {

enum Option { CHANGE_C2 = 0, CHANGE_C1 = 1, CHANGE_BOTH = 2 };

}  // namespace

CCapMismatchDlg::CCapMismatchDlg(const MismatchRequest& request, double c1, double c2,
                                 QWidget* parent)
    : QDialog(parent),
      request_(request),
      c1_(c1),
      c2_(c2),
      options_(new CRadioGroup("", "option", this)),
      newC2_(NumberEdit("newC2Edit", this)),
      newC1_(NumberEdit("newC1Edit", this)) {
    setObjectName("capMismatchDlg");
    setWindowTitle(Qs(kMismatchTitle));
    const MismatchOptions o =
        MakeMismatchOptions(request.stageNumber, c1, c2, request.minimumRatio);
    auto* text = new QLabel(Qs(o.text), this);
    text->setObjectName("mismatchText");
    ShowNumber(newC2_, FormatCapacitance(o.proposedC2), o.proposedC2);
    ShowNumber(newC1_, FormatCapacitance(o.proposedC1), o.proposedC1);
    options_->Add(o.changeC2.c_str(), newC2_);
    options_->Add(o.changeC1.c_str(), newC1_);
    options_->Add(o.changeBoth.c_str());
    options_->SetIndex(CHANGE_C2);
    auto enableFields = [this](int option) {
        newC2_->setEnabled(option == CHANGE_C2);
        newC1_->setEnabled(option == CHANGE_C1);
    };
    connect(options_, &CRadioGroup::indexChanged, this, enableFields);
    enableFields(CHANGE_C2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(options_);
    layout->addWidget(OkCancelButtons(this));
}

void CCapMismatchDlg::accept() {
    const double ratio = request_.minimumRatio;
    switch (options_->Index()) {
        case CHANGE_C2: {
            const double c2 = ReadNumber(newC2_);
            if (const auto message = CheckNewC2(c1_, c2, ratio)) {
                ShowMessage(this, *message);
                newC2_->setFocus();
                return;
            }
            c2_ = c2;
            break;
        }
        case CHANGE_C1: {
            const double c1 = ReadNumber(newC1_);
            if (const auto message = CheckNewC1(c1, c2_, ratio)) {
                ShowMessage(this, *message);
                newC1_->setFocus();
                return;
            }
            c1_ = c1;
            break;
        }
        default:
            if (!EnterBoth()) {
                return;
            }
    }
    QDialog::accept();
}

bool CCapMismatchDlg::EnterBoth() {
    CCapDlg first({"C1", request_.stageNumber, request_.stageCount, kSmallestCapacitor}, c1_, this);
    if (first.exec() != QDialog::Accepted) {
        return false;
    }
    const double minimum = request_.minimumRatio * first.Value();
    CCapDlg second({"C2", request_.stageNumber, request_.stageCount, minimum},
                   E12AtOrAbove(minimum), this);
    if (second.exec() != QDialog::Accepted) {
        return false;
    }
    c1_ = first.Value();
    c2_ = second.Value();
    return true;
}

}  // namespace vx
