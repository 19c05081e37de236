#include "shell/recent_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "model/number_format.h"

namespace vx {

namespace fs = std::filesystem;

namespace {

// The folder's part an entry shows, in characters: the entries stay readable side by side with
// the menu's other entries.
constexpr size_t kFolderCharacters = 40;

std::string Absolute(const std::string& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return (ec ? fs::path(path) : absolute).lexically_normal().string();
}

// UTF-8 characters, not bytes: an umlaut counts once.
size_t Characters(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The folder's last names that fit, after "…/"; the last one always, however long.
std::string ShortFolder(const fs::path& folder) {
    const std::string whole = folder.string();
    if (Characters(whole) <= kFolderCharacters) {
        return whole;
    }
    std::string tail;
    for (auto name = folder.end(); name != folder.begin();) {
        --name;
        const std::string longer = tail.empty() ? name->string() : name->string() + "/" + tail;
        if (!tail.empty() && Characters(longer) + 2 > kFolderCharacters) {
            break;
        }
        tail = longer;
    }
    return "…/" + tail;
}

std::string DoubledAmpersands(const std::string& text) {
    std::string out;
    for (const char c : text) {
        out += c;
        if (c == '&') {
            out += '&';
        }
    }
    return out;
}

}  // namespace

bool IsSpecificationPath(const std::string& path) {
    std::string extension = fs::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".vxs";
}

std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& path) {
    const std::string file = Absolute(path);
    list = WithoutRecentFile(std::move(list), file);
    list.insert(list.begin(), file);
    if (list.size() > kRecentFileCount) {
        list.resize(kRecentFileCount);
    }
    return list;
}

std::vector<std::string> WithoutRecentFile(std::vector<std::string> list, const std::string& path) {
    const std::string file = Absolute(path);
    std::erase_if(list, [&file](const std::string& entry) { return Absolute(entry) == file; });
    return list;
}

std::string RecentFileEntryText(size_t index, const std::string& path) {
    const fs::path file(path);
    // Appended piece by piece: GCC 12 sees a false overlap in "text" + std::string&&.
    std::string text = "&";
    text.append(FormatInt(static_cast<long long>(index) + 1)).append(" ");
    text.append(DoubledAmpersands(file.filename().string()));
    if (file.has_parent_path()) {
        text.append(" (").append(DoubledAmpersands(ShortFolder(file.parent_path()))).append(")");
    }
    return text;
}

}  // namespace vx
