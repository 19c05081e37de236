#pragma once

namespace vx {

// Whether all three roots of the monic cubic s^3 + p s^2 + q s + r lie in the open left
// half-plane. By the Hurwitz conditions this holds exactly when p > 0, r > 0 and p q > r
// (q > 0 follows from them), so no roots need to be computed. A cubic with a root on the
// imaginary axis (p q = r, or r = 0) is not stable.
inline bool CubicIsStable(double p, double q, double r) {
    return p > 0.0 && r > 0.0 && p * q > r;
}

}  // namespace vx
