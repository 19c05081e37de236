#include "model/pole_input.h"

#include "model/character.h"
#include "model/input_messages.h"
#include "model/number_format.h"
#include "model/number_text.h"

namespace vx {

std::string PoleValueText(double x) {
    if (x >= 100.0) {
        return FormatValueNoMilli(x, false, 4, ValueKind::ANY);
    }
    return x >= 0.01 ? FormatFixed(x, 8, 10) : WithDecimalComma(FormatE(x));
}

std::optional<UserMessage> CheckIndividualPoles(const CCharacter& character, int order) {
    for (int k = 0; k < (order + 1) / 2 && k < kMaxStages; ++k) {
        const auto i = static_cast<size_t>(k);
        // A bad Q is named even when the frequency is bad too.
        const char* name = character.individualQ[i] <= 0.0           ? "Polgüte Q"
                           : character.individualFrequency[i] <= 0.0 ? "Normierte Polfrequenz"
                                                                     : nullptr;
        if (name != nullptr) {
            return PoleParameterNotPositiveMessage(name, k + 1);
        }
    }
    return std::nullopt;
}

}  // namespace vx
