#include "model/stage_gain_input.h"

#include "model/number_format.h"

namespace vx {

std::optional<UserMessage> CheckStageGains(const StageGains& gains) {
    for (int i = 0; i < kMaxStages; ++i) {
        if (!(gains[static_cast<size_t>(i)] > 0.0)) {
            return UserMessage{"Eingabefehler", "Der eingegebene Wert für die Stufe " +
                                                    FormatInt(i + 1) + " ist nicht größer 0."};
        }
    }
    return std::nullopt;
}

std::optional<UserMessage> CheckNonInvertingStageGains(const CFilter& filter, int stages) {
    for (int i = 0; i < stages; ++i) {
        if (filter.GetStageGain(i) < kLowestNonInvertingGain) {
            return UserMessage{"Eingabefehler", "Der eingegebene Wert für die Stufe " +
                                                    FormatInt(i + 1) +
                                                    " ist kleiner als 1.\n\nEine Sallen-Key-Stufe "
                                                    "kann nicht abschwächen."};
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
