#include "files/bounded_read.h"

#include <fstream>
#include <system_error>

namespace vx {

std::optional<std::string> ReadBoundedFile(const std::filesystem::path& path, size_t maxBytes) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    // A folder opens on some systems and fails only on reading.
    if (std::filesystem::is_directory(status)) {
        return std::nullopt;
    }
    if (std::filesystem::is_regular_file(status)) {
        const std::uintmax_t size = std::filesystem::file_size(path, error);
        if (!error && size > maxBytes) {
            return std::nullopt;
        }
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    // One byte more than allowed tells a stream at the limit from one beyond it.
    std::string content(maxBytes + 1, '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    const auto got = static_cast<size_t>(in.gcount());
    if (in.bad() || got > maxBytes) {
        return std::nullopt;
    }
    content.resize(got);
    return content;
}

}  // namespace vx
