#pragma once

#include <string>

namespace vx {

// A message for the user: the caption of its box and its German text.
struct UserMessage {
    std::string caption;
    std::string text;
    bool operator==(const UserMessage&) const = default;
};

}  // namespace vx
