#include "spice/spice_defaults.h"

#include <cstdlib>

#include "files/shipped_data.h"

namespace vx {

SpiceSettings DefaultSpiceSettings() {
    return {"ngspice", SystemTmpPath(), DefaultSpiceLibrary()};
}

std::string SystemTmpPath() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp != nullptr && *tmp != '\0' ? std::string(tmp) : std::string("/tmp");
}

std::string DefaultSpiceLibrary() {
    return FindShippedData("vx_opamp.lib", "");
}

}  // namespace vx
