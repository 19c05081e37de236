#include "shell/help_text.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "files/shipped_data.h"

namespace vx {

namespace {

bool IsHelpSection(std::string_view heading) {
    return std::any_of(kHelpSections.begin(), kHelpSections.end(),
                       [heading](const char* name) { return heading == name; });
}

// "[text](#anchor)" becomes "text".
std::string WithoutInnerLinks(const std::string& line) {
    std::string out;
    size_t kept = 0;
    for (size_t open = line.find('['); open != std::string::npos; open = line.find('[', open + 1)) {
        const size_t end = line.find(']', open);
        const size_t close = end == std::string::npos ? end : line.find(')', end);
        if (close == std::string::npos || line.compare(end, 3, "](#") != 0) {
            continue;
        }
        out.append(line, kept, open - kept).append(line, open + 1, end - open - 1);
        kept = close + 1;
        open = close;
    }
    return out.append(line, kept);
}

}  // namespace

std::string HelpMarkdown(std::string_view readme) {
    std::istringstream lines{std::string(readme)};
    std::string help;
    std::string line;
    bool kept = true;  // the introduction before the first section
    bool fenced = false;
    while (std::getline(lines, line)) {
        if (line.starts_with("```")) {
            fenced = !fenced;
        } else if (!fenced && line.starts_with("## ")) {
            kept = IsHelpSection(std::string_view(line).substr(3));
        }
        if (!kept || (!fenced && line.starts_with("!["))) {
            continue;
        }
        help += fenced ? line : WithoutInnerLinks(line);
        help += '\n';
    }
    return help;
}

std::variant<std::string, UserMessage> LoadHelp() {
    const std::string path = FindShippedData("README.md", "README.md");
    std::ifstream file(path);
    std::ostringstream text;
    if (path.empty() || !(text << file.rdbuf())) {
        return UserMessage{kHelpTitle,
                           "Die Kurzanleitung (README.md) wurde nicht gefunden.\n\nBitte "
                           "installieren Sie das Programm erneut."};
    }
    return HelpMarkdown(text.str());
}

}  // namespace vx
