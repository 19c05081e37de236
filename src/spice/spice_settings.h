#pragma once

#include <string>

namespace vx {

class CFilter;

// The three settings of the Spice configuration: simulator call, temporary folder, op-amp
// library.
struct SpiceSettings {
    std::string command;
    std::string tmpPath;
    std::string library;

    static SpiceSettings From(const CFilter& filter);
};

// Defaults on Linux: ngspice from PATH, the system's temporary folder, and the shipped library.
SpiceSettings DefaultSpiceSettings();

// The system's temporary folder: TMPDIR, or /tmp.
std::string SystemTmpPath();

// The shipped vx_opamp.lib (FindShippedData); empty when it is nowhere.
std::string DefaultSpiceLibrary();

}  // namespace vx
