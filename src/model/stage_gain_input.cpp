#include "model/stage_gain_input.h"

#include "model/input_messages.h"

namespace vx {

std::optional<UserMessage> CheckStageGains(const StageGains& gains) {
    for (int i = 0; i < kMaxStages; ++i) {
        if (!(gains[static_cast<size_t>(i)] > 0.0)) {
            return StageGainNotPositiveMessage(i + 1);
        }
    }
    return std::nullopt;
}

std::optional<UserMessage> CheckNonInvertingStageGains(const CFilter& filter, int stages) {
    for (int i = 0; i < stages; ++i) {
        if (filter.GetStageGain(i) < kLowestNonInvertingGain) {
            return StageGainBelowOneMessage(i + 1);
        }
    }
    return std::nullopt;
}

std::optional<UserMessage> AcceptStageGains(const StageGains& gains, CFilter& filter) {
    if (auto error = CheckStageGains(gains)) {
        return error;
    }
    for (int i = 0; i < kMaxStages; ++i) {
        filter.SetStageGain(i, gains[static_cast<size_t>(i)]);
    }
    return std::nullopt;
}

}  // namespace vx
