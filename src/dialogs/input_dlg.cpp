#include "dialogs/input_dlg.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "dialogs/dialog_parts.h"
#include "qt/message_box.h"
#include "session/design_session.h"

namespace vx {

CInputDlg::CInputDlg(CDesignSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {}

void CInputDlg::Arrange(QVBoxLayout* left, QVBoxLayout* right) {
    left->addStretch(1);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(OkCancelButtons(this));
}

CRadioGroup* CInputDlg::MakeGroup(QBoxLayout* layout, const char* title, const char* name) {
    auto* group = new CRadioGroup(title, name, this);
    layout->addWidget(group);
    return group;
}

void CInputDlg::Refuse(const UserMessage& message, int field) {
    ShowMessage(this, message);
    const auto marked = fields_.find(field);
    if (QWidget* widget = marked != fields_.end() ? marked->second() : nullptr) {
        widget->setFocus();
    }
}

void CInputDlg::Close() {
    if (session_.Filter().GetCapacitorMode() == CapacitorMode::ENTER && capacitorEntry_ &&
        !capacitorEntry_()) {
        return;
    }
    QDialog::accept();
}

}  // namespace vx
