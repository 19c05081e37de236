#pragma once

#include <array>
#include <optional>
#include <string>

#include "model/filter_rules.h"
#include "model/range_check.h"
#include "model/user_message.h"

// The pole data of the individual characteristic as the pole dialog shows and checks them.
namespace vx {

class CCharacter;

// 100 and above in engineering text, from 0.01 in fixed form with eight decimals, smaller in
// exponent form; decimal comma.
std::string PoleValueText(double x);

// The pole dialog's rows: a field that holds no number is NaN.
using PoleRows = std::array<double, kMaxStages>;
struct PoleField {
    int stage;  // from 0
    bool quality;
};
// The pole dialog's OK: every row goes into `character` unchecked, as the input dialog's OK
// checks the stages of its order; but a field that holds no number is refused with the range
// message naming it, and nothing is stored.
std::optional<InputError<PoleField>> AcceptPoleRows(const PoleRows& frequencies,
                                                    const PoleRows& qualities,
                                                    CCharacter& character);

// The first stage of order n whose normalised pole frequency or pole Q is not above 0.
std::optional<UserMessage> CheckIndividualPoles(const CCharacter& character, int order);

}  // namespace vx
