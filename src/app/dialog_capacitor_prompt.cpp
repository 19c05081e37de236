#include "app/dialog_capacitor_prompt.h"

#include <QApplication>

#include "dialogs/cap_dlg.h"
#include "dialogs/cap_mismatch_dlg.h"
#include "qt/message_box.h"

namespace vx {

QWidget* CDialogCapacitorPrompt::Parent() const {
    QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr ? modal : window_;
}

bool CDialogCapacitorPrompt::AskCapacitor(const CapacitorRequest& request, double& value) {
    if (unattended_) {
        return false;
    }
    CCapDlg dialog(request, value, Parent());
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    value = dialog.Value();
    return true;
}

bool CDialogCapacitorPrompt::ResolveMismatch(const MismatchRequest& request, double& c1,
                                             double& c2) {
    if (unattended_) {
        return false;
    }
    CCapMismatchDlg dialog(request, c1, c2, Parent());
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    c1 = dialog.C1();
    c2 = dialog.C2();
    return true;
}

void CDialogCapacitorPrompt::Inform(const std::string& caption, const std::string& text) {
    ShowOrPrint(Parent(), {caption, text}, MessageIcon::INFORMATION, unattended_);
}

}  // namespace vx
