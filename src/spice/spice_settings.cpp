#include "spice/spice_settings.h"

#include <cstdlib>

#include "files/shipped_data.h"
#include "model/filter.h"

namespace vx {

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
    return FindShippedData("vx_opamp.lib", "spice/vx_opamp.lib");
}

}  // namespace vx
