#pragma once

#include <string>

#include "model/spice_settings.h"

namespace vx {

// Defaults on Linux: ngspice from PATH, the system's temporary folder, and the shipped library.
SpiceSettings DefaultSpiceSettings();

// The system's temporary folder: TMPDIR, or /tmp.
std::string SystemTmpPath();

// The shipped vx_opamp.lib (FindShippedData); empty when it is nowhere.
std::string DefaultSpiceLibrary();

}  // namespace vx
