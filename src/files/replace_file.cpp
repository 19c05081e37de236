#include "files/replace_file.h"

#include <fstream>
#include <system_error>

namespace vx {

bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    bool written = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.close();
            written = !out.fail();
        }
    }
    std::error_code ec;
    if (written) {
        std::filesystem::rename(temporary, path, ec);
        if (!ec) {
            return true;
        }
    }
    std::filesystem::remove(temporary, ec);
    return false;
}

}  // namespace vx
