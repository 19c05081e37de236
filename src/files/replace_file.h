#pragma once

#include <filesystem>
#include <string_view>

namespace vx {

// Writes `bytes` to a temporary file beside `path` and renames it into place, so that a failed
// save leaves the old file as it was and never half a new one. False when it could not write.
bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vx
