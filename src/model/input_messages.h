#pragma once

#include <string>
#include <string_view>

#include "model/user_message.h"

// The messages of the input checks, each whole with its parameters.
namespace vx {

// The closing request of every input message.
inline constexpr const char* kPleaseCorrect = "Bitte korrigieren Sie Ihre Eingaben.";

// "Der Wert des Parameters "name" liegt außerhalb des zulässigen Bereichs [ range ]. ..."
UserMessage RangeMessage(std::string_view name, std::string_view range);
// "Der Wert des Parameters "name" ist ungültig : reason ..." for a value within its range that
// does not fit the others.
UserMessage InvalidParameterMessage(std::string_view name, std::string_view reason);
// A band-pass order that is not even.
UserMessage OddOrderMessage();
// A stage gain (stages counted from 1) that is not above 0, or below 1 in a Sallen-Key stage.
UserMessage StageGainNotPositiveMessage(int stage);
UserMessage StageGainBelowOneMessage(int stage);
// A pole parameter of the individual characteristic ("Polgüte Q" or "Normierte Polfrequenz")
// that is not above 0.
UserMessage PoleParameterNotPositiveMessage(std::string_view name, int stage);
// Band edges whose centre (in Hz, already formatted) needs a bandwidth within the given range.
UserMessage BandwidthOutOfRangeMessage(const std::string& centre, const std::string& lowest,
                                       const std::string& highest);

}  // namespace vx
