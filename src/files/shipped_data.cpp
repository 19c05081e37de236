#include "files/shipped_data.h"

#include <filesystem>
#include <system_error>

#ifndef VX_DATA_INSTALL_DIR
#error "the build defines VX_DATA_INSTALL_DIR, the installed data folder"
#endif
#ifndef VX_SOURCE_TREE
#error "the build defines VX_SOURCE_TREE, the source tree the program is built from"
#endif

namespace vx {

namespace fs = std::filesystem;

std::string FindShippedData(const std::string& name, const std::string& sourcePath) {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const fs::path dir = exe.parent_path();
        for (const fs::path& p : {dir / name, dir.parent_path() / "share/veltranix" / name}) {
            if (fs::exists(p, ec)) {
                return p.string();
            }
        }
    }
    if (fs::exists(fs::path(VX_DATA_INSTALL_DIR) / name, ec)) {
        return (fs::path(VX_DATA_INSTALL_DIR) / name).string();
    }
    if (!sourcePath.empty() && fs::exists(fs::path(VX_SOURCE_TREE) / sourcePath, ec)) {
        return (fs::path(VX_SOURCE_TREE) / sourcePath).string();
    }
    return {};
}

std::string ExamplesFolder() {
    return FindShippedData("examples", "examples");
}

}  // namespace vx
