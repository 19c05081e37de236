#pragma once

#include <optional>
#include <string>

#include "model/user_message.h"
#include "structures/design_monitor.h"

// What loading and designing a specification tells the user, whatever the front end.
namespace vx {

class CFilter;

// A design that needs an entered capacitor the file does not hold.
UserMessage CapacitorNotStoredMessage(const std::string& promptTitle);
// A stored capacitor pair that the stage cannot realise, with nobody to change it.
UserMessage StoredCapacitorMismatchMessage(const std::string& explanation);
// One line of progress: "Stufe 2, Durchlauf 1: 40 %".
std::string DesignProgressLine(const DesignProgress& progress);
// A command that needs a design while nothing has been designed, under the command's caption.
UserMessage NoDesignMessage(const std::string& caption);
// The warning after a band-pass design whose gain had to be lowered to `gainDb`.
UserMessage GainReducedMessage(double gainDb);
// The status line after a new run that was cancelled or failed and left the previous design.
std::string RedesignUndoneLine();
// The gain-reduced warning once: returns it and clears the record's flag, or nothing.
std::optional<UserMessage> TakeGainReducedNotice(CFilter& filter);

}  // namespace vx
