#include "app/spice_flow.h"

#include "app/spice_result_window.h"
#include "app/window_places.h"
#include "dialogs/options_pspice_dlg.h"
#include "qt/message_box.h"
#include "report/summary_text.h"
#include "session/design_session.h"
#include "spice/spice_analysis.h"
#include "spice/spice_messages.h"

namespace vx {

CSpiceFlow::CSpiceFlow(QWidget* window, CDesignSession& session, OverlayHook overlay)
    : window_(window), session_(session), overlay_(std::move(overlay)), simulator_(window) {}

CSpiceFlow::~CSpiceFlow() = default;

void CSpiceFlow::Configure() {
    COptionsPspiceDlg dialog(session_.Filter(), window_);
    dialog.exec();
}

void CSpiceFlow::Run(SpiceMode mode) {
    const CFilter& filter = session_.Filter();
    const CSpiceAnalysis analysis(filter, session_.OpAmps(), mode);
    auto tell = [this](const UserMessage& message) {
        ShowOrPrint(window_, message, MessageIcon::STOP, unattended_);
    };
    std::variant<ProcessRequest, UserMessage> prepared = analysis.Prepare();
    if (const auto* failure = std::get_if<UserMessage>(&prepared)) {
        tell(*failure);
        return;
    }
    const ProcessRequest& request = std::get<ProcessRequest>(prepared);
    if (!analysis.ReadsBack()) {
        if (!CSimulatorRun::StartDetached(request)) {
            tell({spice_text::kCaptionError, spice_text::kCannotStart});
        }
        return;
    }
    const std::optional<ProcessResult> end = simulator_.Run(request);
    if (!end) {
        return;  // cancelled: nothing changes
    }
    std::variant<SpiceResult, UserMessage> finished = analysis.Finish(*end, simulator_.TimeLimit());
    if (const auto* failure = std::get_if<UserMessage>(&finished)) {
        tell(*failure);
        return;
    }
    SpiceResult& result = std::get<SpiceResult>(finished);
    if (CFilterStructure* structure = session_.Current()) {
        if (auto overlay = CSpiceAnalysis::AmplitudeOverlay(result, *structure)) {
            overlay_(std::move(overlay));
        }
    }
    if (result_ == nullptr) {
        result_ = new CSpiceResultWindow(window_);
        if (places_ != nullptr) {
            places_->Place(result_, PlacedWindow::SPICE_RESULT);
        }
    }
    result_->ShowResult(std::move(result),
                        SummaryText(filter, session_.OpAmps(), SummaryVariant::REPORT));
}

CSpiceResultWindow* CSpiceFlow::ResultWindow() const {
    return result_;
}

void CSpiceFlow::CloseResult() {
    if (result_ != nullptr) {
        result_->close();
    }
}

}  // namespace vx
