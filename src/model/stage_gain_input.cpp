#include "model/stage_gain_input.h"

#include <cmath>

#include "model/input_dialog_texts.h"
#include "model/input_messages.h"

namespace vx {

std::optional<UserMessage> CheckStageGains(const StageGains& gains) {
    for (int i = 0; i < kMaxStages; ++i) {
        const double gain = gains[static_cast<size_t>(i)];
        if (std::isnan(gain)) {
            return RangeMessage(StageGainFieldName(i + 1), kStageGainNote);
        }
        if (!(gain > 0.0)) {
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
