#pragma once

#include <string>

#include "model/user_message.h"
#include "structures/design_monitor.h"

// What loading and designing a specification tells the user, whatever the front end.
namespace vx {

// A design that needs an entered capacitor the file does not hold.
UserMessage CapacitorNotStoredMessage(const std::string& promptTitle);
// A stored capacitor pair that the stage cannot realise, with nobody to change it.
UserMessage StoredCapacitorMismatchMessage(const std::string& explanation);
// One line of progress: "Stufe 2, Durchlauf 1: 40 %".
std::string DesignProgressLine(const DesignProgress& progress);

}  // namespace vx
