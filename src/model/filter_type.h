#pragma once

#include <cstdint>

namespace vx {

enum class FilterType : int32_t { LOWPASS = 0, HIGHPASS = 1, BANDPASS = 2, BANDREJECT = 3 };

}  // namespace vx
