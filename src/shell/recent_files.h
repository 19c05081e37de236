#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The specification files the window opens, and the list of the recently used ones that the
// "Datei" menu offers.
namespace vx {

// As many as a menu shows at a glance.
inline constexpr size_t kRecentFileCount = 8;

// A file the window loads when it is dropped on it: a name ending in ".vxs" in any case.
bool IsSpecificationPath(const std::string& path);

// `list` with `path` (made absolute) in front, no other entry for the same file, and at most
// kRecentFileCount entries.
std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& path);
// `list` without `path`.
std::vector<std::string> WithoutRecentFile(std::vector<std::string> list, const std::string& path);

// The menu entry of the list's entry `index` (0-based): "&1 name.vxs (…/folder)", the number as
// access key, the folder shortened from the left to its last names, any "&" of the path doubled
// so that it shows as written.
std::string RecentFileEntryText(size_t index, const std::string& path);

}  // namespace vx
