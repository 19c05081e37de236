#pragma once

#include <string>

namespace vx {

// The Spice configuration: simulator call, temporary folder, op-amp library. The filter record
// and the program settings hold it; its defaults are DefaultSpiceSettings in the spice layer,
// which knows where the shipped library lies.
struct SpiceSettings {
    std::string command;
    std::string tmpPath;
    std::string library;

    bool operator==(const SpiceSettings&) const = default;
};

}  // namespace vx
