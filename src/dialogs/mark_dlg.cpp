#include "dialogs/mark_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/dialog_parts.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"

namespace vx {

CMarkDlg::CMarkDlg(MarkKind kind, const char* title, const char* fieldColumn, QWidget* parent)
    : QDialog(parent), kind_(kind), grid_(new QGridLayout) {
    setWindowTitle(Qs(title));
    grid_->addWidget(TextLabel(fieldColumn, this), 0, 1);
}

void CMarkDlg::AddRow(int index, const MarkField& field) {
    auto* check = new QCheckBox(QString("%1.").arg(index + 1), this);
    check->setObjectName(QString("markCheck%1").arg(index));
    check->setChecked(field.checked);
    QLineEdit* edit = NumberEdit(QString("markEdit%1").arg(index), this);
    edit->setText(Qs(field.text));
    edit->setEnabled(field.checked);
    connect(check, &QCheckBox::toggled, this, [this, edit, index](bool on) {
        edit->setEnabled(on);
        if (on) {
            edit->setFocus();
        }
        RowToggled(index);
    });
    grid_->addWidget(check, index + 1, 0);
    grid_->addWidget(edit, index + 1, 1);
    checks_.push_back(check);
    edits_.push_back(edit);
}

MarkField CMarkDlg::RowField(int index) const {
    return {Checked(index), Std(Edit(index)->text())};
}

bool CMarkDlg::Checked(int index) const {
    return checks_[static_cast<size_t>(index)]->isChecked();
}

void CMarkDlg::Finish() {
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid_);
    layout->addWidget(OkButton(this));
}

std::optional<UserMessage> CMarkDlg::Refusal() const {
    for (int i = 0; i < static_cast<int>(edits_.size()); ++i) {
        const MarkField row = RowField(i);
        if (auto refused = CheckMarkField(kind_, i + 1, row.checked, row.text)) {
            return refused;
        }
    }
    return std::nullopt;
}

void CMarkDlg::done(int result) {
    // "OK" stays with the refused field; the close box (or the program ending) never is held
    // up, and then takes nothing rather than a number the user did not type.
    if (const auto refused = Refusal()) {
        if (result == QDialog::Accepted) {
            ShowMessage(this, *refused);
            return;
        }
        QDialog::done(result);
        return;
    }
    Apply();
    emit marksApplied();
    QDialog::done(result);
}

}  // namespace vx
