#pragma once

#include <optional>
#include <string>

#include "model/user_message.h"

// The pole data of the individual characteristic as the pole dialog shows and checks them.
namespace vx {

class CCharacter;

// 100 and above in engineering text, from 0.01 in fixed form with eight decimals, smaller in
// exponent form; decimal comma.
std::string PoleValueText(double x);

// The first stage of order n whose normalised pole frequency or pole Q is not above 0.
std::optional<UserMessage> CheckIndividualPoles(const CCharacter& character, int order);

}  // namespace vx
