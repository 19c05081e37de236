#include "app/noise_flow.h"

#include "analysis/noise/noise_text.h"
#include "app/design_runner.h"
#include "qt/message_box.h"

namespace vx {

CNoiseFlow::CNoiseFlow(QWidget* window, CDesignSession& session, CDesignRunner& runner)
    : window_(window), session_(session), runner_(runner) {}

bool CNoiseFlow::Run() {
    study_.reset();
    std::optional<NoiseStudy> study;
    const auto failed = runner_.RunAnalysis(
        [this, &study](DesignMonitor& monitor, CapacitorPrompt&) {
            NoiseStudy result = StudyNoise(session_, NoiseSettings{}, monitor);
            // A stopped study lacks the other order without saying so: it is no result.
            if (!monitor.CancelRequested()) {
                study = std::move(result);
            }
        },
        kNoiseTitle, NoiseProgressLine);
    if (failed) {
        ShowOrPrint(window_, InternalErrorMessage(*failed), MessageIcon::STOP, unattended_);
        return false;
    }
    study_ = std::move(study);
    return study_.has_value();
}

}  // namespace vx
