#pragma once

#include <algorithm>
#include <cmath>

#include "structures/opamp_params.h"

namespace vx {

// |h| by a hypotenuse scaled against overflow and underflow (by 1/4 when the larger part is at
// least 1, by 4 otherwise); an infinite or not-a-number part passes through.
inline double SafeMagnitude(Complex h) {
    const double re = std::fabs(h.real());
    const double im = std::fabs(h.imag());
    if (!std::isfinite(re) || !std::isfinite(im)) {
        return re + im;
    }
    const double scale = std::max(re, im) >= 1.0 ? 0.25 : 4.0;
    const double x = re * scale;
    const double y = im * scale;
    return std::sqrt(x * x + y * y) / scale;
}

}  // namespace vx
