#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace vx {

// The whole content of the file at `path`, or nothing when it cannot be read (missing, a
// folder, a read error) or holds more than `maxBytes`. A file that tells its size is refused
// before reading; one that does not (a device, a pipe) is read no further than one byte past
// the limit.
std::optional<std::string> ReadBoundedFile(const std::filesystem::path& path, size_t maxBytes);

}  // namespace vx
