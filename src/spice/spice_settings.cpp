#include "spice/spice_settings.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "model/filter.h"

#ifndef VX_SPICE_LIB_SOURCE
#error "the build defines VX_SPICE_LIB_SOURCE, the library in the source tree"
#endif
#ifndef VX_SPICE_LIB_INSTALL
#error "the build defines VX_SPICE_LIB_INSTALL, the library's installed path"
#endif

namespace vx {

namespace fs = std::filesystem;

SpiceSettings SpiceSettings::From(const CFilter& filter) {
    return {filter.spiceCommand, filter.spiceTmpPath, filter.spiceLib};
}

SpiceSettings DefaultSpiceSettings() {
    return {"ngspice", SystemTmpPath(), DefaultSpiceLibrary()};
}

std::string SystemTmpPath() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp != nullptr && *tmp != '\0' ? std::string(tmp) : std::string("/tmp");
}

std::string DefaultSpiceLibrary() {
    constexpr const char* kName = "vx_opamp.lib";
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const fs::path dir = exe.parent_path();
        for (const fs::path& p : {dir / kName, dir.parent_path() / "share/veltranix" / kName}) {
            if (fs::is_regular_file(p, ec)) {
                return p.string();
            }
        }
    }
    if (fs::is_regular_file(VX_SPICE_LIB_INSTALL, ec)) {
        return VX_SPICE_LIB_INSTALL;
    }
    return VX_SPICE_LIB_SOURCE;
}

}  // namespace vx
