#include "session/stored_capacitor_prompt.h"

#include "session/design_session_messages.h"
#include "structures/capacitors/capacitor_choice.h"

namespace vx {

bool StoredCapacitorPrompt::AskCapacitor(const CapacitorRequest& request, double& /*value*/) {
    error_ = CapacitorNotStoredMessage(
        CapacitorPromptTitle(request.caption, request.stageNumber, request.stageCount));
    return false;
}

bool StoredCapacitorPrompt::ResolveMismatch(const MismatchRequest& request, double& c1,
                                            double& c2) {
    error_ = StoredCapacitorMismatchMessage(
        MakeMismatchOptions(request.stageNumber, c1, c2, request.minimumRatio).text);
    return false;
}

void StoredCapacitorPrompt::Inform(const std::string& caption, const std::string& text) {
    notices_.push_back({caption, text});
}

}  // namespace vx
