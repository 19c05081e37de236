#include "app/scheme_flow.h"

#include "app/flows.h"
#include "dialogs/scheme_dlg.h"

namespace vx {

bool CSchemeFlow::Run() {
    CSchemeDlg dialog(entries_, window_);
    const bool taken = dialog.exec() == QDialog::Accepted;
    entries_ = dialog.Entries();
    // The plan dialog has closed; the input dialog opens over the window.
    return taken && flows_.SpecifyPlanned(dialog.Scheme(), dialog.Row(), dialog.Structure());
}

}  // namespace vx
