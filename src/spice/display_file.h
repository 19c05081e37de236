#pragma once

#include <string>

namespace vx {

enum class SpiceMode : int;

// The waveform viewer's display file for a mode: which trace on which axes. f1 and f2 are the
// frequency range of an AC analysis.
std::string DisplayFileText(SpiceMode mode, double f1, double f2);

}  // namespace vx
