#include "app/tolerance_flow.h"

#include "analysis/tolerance_analysis.h"
#include "analysis/tolerance_messages.h"
#include "app/design_runner.h"
#include "dialogs/tolerance_dlg.h"
#include "qt/message_box.h"
#include "report/tolerance_rows.h"
#include "session/design_session.h"

namespace vx {

CToleranceFlow::CToleranceFlow(QWidget* window, CDesignSession& session, CDesignRunner& runner)
    : window_(window), session_(session), runner_(runner) {}

ToleranceSettings CToleranceFlow::Proposal() const {
    return lastSettings_ ? *lastSettings_ : ToleranceSettings::For(session_.Filter());
}

std::optional<ToleranceSettings> CToleranceFlow::Ask() const {
    CToleranceDlg dialog(Proposal(), window_);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Settings();
}

bool CToleranceFlow::Run(const ToleranceSettings& settings) {
    lastSettings_ = settings;
    SetResult(std::nullopt);
    ToleranceRun run;
    const auto failed = runner_.RunAnalysis(
        [this, &settings, &run](DesignMonitor& monitor, CapacitorPrompt&) {
            run = CToleranceAnalysis(session_, settings).Run(monitor);
        },
        tolerance_text::kCaption, ToleranceProgressLine);
    if (failed) {
        ShowOrPrint(window_, InternalErrorMessage(*failed), MessageIcon::STOP, unattended_);
        return false;
    }
    switch (run.outcome) {
        case ToleranceOutcome::DONE:
            SetResult(std::move(run.result));
            return true;
        case ToleranceOutcome::CANCELLED:
            return false;
        case ToleranceOutcome::REFUSED:
            if (run.message) {
                ShowOrPrint(window_, *run.message, MessageIcon::STOP, unattended_);
            }
            return false;
    }
    return false;
}

void CToleranceFlow::Drop() {
    lastSettings_.reset();
    SetResult(std::nullopt);
}

void CToleranceFlow::SetResult(std::optional<ToleranceResult> result) {
    // The hook lets go of the old band before it is freed.
    if (bandHook_) {
        bandHook_(nullptr);
    }
    result_ = std::move(result);
    if (bandHook_ && result_) {
        bandHook_(&result_->band);
    }
}

}  // namespace vx
