#include "dialogs/cap_dlg.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/dialog_parts.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"
#include "structures/capacitors/capacitor_choice.h"
#include "structures/capacitors/capacitor_dialog_texts.h"

namespace vx {

CCapDlg::CCapDlg(const CapacitorRequest& request, double value, QWidget* parent)
    : QDialog(parent),
      caption_(request.caption),
      minimum_(request.minimum),
      value_(CapacitorProposal(value, request.minimum)),
      edit_(NumberEdit("capacitorEdit", this)) {
    setObjectName("capDlg");
    setWindowTitle(
        Qs(CapacitorPromptTitle(request.caption, request.stageNumber, request.stageCount)));
    edit_->setText(Qs(FormatCapacitance(value_)));
    auto* form = new QFormLayout;
    form->addRow(Qs(kCapacitorValueLabel), edit_);
    auto* current = new QLabel(Qs(FormatCapacitance(value_)), this);
    current->setObjectName("currentValueText");
    form->addRow(Qs(kCapacitorCurrentLabel), current);
    if (minimum_ > 0.0) {
        auto* minimum = new QLabel(Qs(FormatCapacitance(minimum_)), this);
        minimum->setObjectName("minimumText");
        form->addRow(Qs(kCapacitorMinimumLabel), minimum);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancelButtons(this));
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 120);
}

void CCapDlg::accept() {
    const auto entered = ReadCapacitorEntry(Std(edit_->text()), caption_, minimum_);
    if (const auto* refused = std::get_if<UserMessage>(&entered)) {
        ShowMessage(this, *refused);
        edit_->setFocus();
        return;
    }
    value_ = std::get<double>(entered);
    QDialog::accept();
}

}  // namespace vx
