#pragma once

#include <string>

#include "model/user_message.h"

// What the load and save of a specification file tell the user.
namespace vx {

// A save that could not write the file.
UserMessage SaveSpecificationFailedMessage(const std::string& path);
// A missing or invalid value; `stage` is 1-based, 0 for a key of [FILTER].
UserMessage InvalidValueMessage(const std::string& key, int stage);
// Any failed load, after the message of the failure itself.
UserMessage LoadSpecificationFailedMessage(const std::string& path);

}  // namespace vx
