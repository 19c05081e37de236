#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vx {

// The words of `text` (split at blanks) on lines no wider than `width` by `measure`; a word
// wider than that has a line of its own. A text that fits stays one line as it is.
std::vector<std::string> WrapWords(const std::string& text, int width,
                                   const std::function<int(const std::string&)>& measure);

}  // namespace vx
