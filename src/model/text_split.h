#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vx {

// The pieces of `text` between the separators, empty ones kept: "a,,b" gives three pieces and
// "" one empty piece.
std::vector<std::string> SplitText(std::string_view text, char separator);

}  // namespace vx
