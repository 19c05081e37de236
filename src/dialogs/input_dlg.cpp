#include "dialogs/input_dlg.h"

#include "app/message_box.h"
#include "structures/design_session.h"

namespace vx {

CInputDlg::CInputDlg(CDesignSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {}

void CInputDlg::Refuse(const UserMessage& message, QWidget* field) {
    ShowMessage(this, message);
    if (field != nullptr) {
        field->setFocus();
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
