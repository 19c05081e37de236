#include "model/pole_input.h"

#include <cmath>

#include "model/character.h"
#include "model/input_dialog_texts.h"
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

std::optional<InputError<PoleField>> AcceptPoleRows(const PoleRows& frequencies,
                                                    const PoleRows& qualities,
                                                    CCharacter& character) {
    for (int k = 0; k < kMaxStages; ++k) {
        const auto i = static_cast<size_t>(k);
        for (const bool quality : {false, true}) {
            if (std::isnan(quality ? qualities[i] : frequencies[i])) {
                return InputError<PoleField>{
                    RangeMessage(PoleFieldName(quality, k + 1), kPoleParameterRange), {k, quality}};
            }
        }
    }
    for (size_t i = 0; i < frequencies.size(); ++i) {
        character.individualFrequency[i] = frequencies[i];
        character.individualQ[i] = qualities[i];
    }
    return std::nullopt;
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
