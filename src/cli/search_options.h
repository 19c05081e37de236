#pragma once

#include <optional>
#include <string>
#include <variant>

#include "model/search_input.h"

// --search and --window, which `new` and `design` share.
namespace vx::cli {

// The texts of the options as given (nothing for an option not given); the message naming the
// option when a word is unknown or a window is no factor from 1.5 to 100.
std::variant<SearchOverride, std::string> ReadSearchOverride(
    const std::optional<std::string>& search, const std::optional<std::string>& window);

}  // namespace vx::cli
