#include "report/word_wrap.h"

#include <algorithm>

namespace vx {

std::vector<std::string> WrapWords(const std::string& text, int width,
                                   const std::function<int(const std::string&)>& measure) {
    if (measure(text) <= width) {
        return {text};
    }
    std::vector<std::string> lines;
    std::string line;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t blank = std::min(text.find(' ', start), text.size());
        const std::string word = text.substr(start, blank - start);
        start = blank + 1;
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && measure(longer) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    lines.push_back(line);
    return lines;
}

}  // namespace vx
