#pragma once

#include <cmath>
#include <vector>

#include "model/filter.h"

// From a requirement to a design: the lowest order of each characteristic whose exact response
// meets a tolerance scheme, and the filter frequency that places the response in it.
namespace vx {

// A low-pass scheme: at most `passAttenuation` dB down up to `passEdge`, at least
// `stopAttenuation` dB down from `stopEdge` on (Hz). A high-pass mirrors it: its pass edge
// lies above its stop edge.
struct ToleranceScheme {
    FilterType type = FilterType::LOWPASS;
    double passEdge = 0.0;
    double passAttenuation = 0.0;  // Amax, dB
    double stopEdge = 0.0;
    double stopAttenuation = 0.0;  // Amin, dB
};

// One characteristic's plan; order 0 where order 30 does not meet the scheme.
struct PlanRow {
    Characteristic characteristic = Characteristic::BUTTERWORTH;
    double rippleDb = 0.0;  // Chebyshev only
    int order = 0;
    double frequency = 0.0;     // Hz, the filter frequency of the design
    double stopMarginDb = 0.0;  // attenuation at the stop edge beyond the scheme's
    // A low-pass's group-delay variation over its pass band, (max - min) / max in per cent,
    // and its step's overshoot in per cent; NaN for a high-pass, whose delay falls to nothing
    // and whose step ends at 0.
    double delayVariationPercent = NAN;
    double overshootPercent = NAN;
};

// The ripples a Chebyshev plan tries besides the scheme's own Amax, as far as they do not
// exceed it.
inline constexpr double kPlanRipples[] = {0.01, 0.1, 0.5, 1.0, 2.0, 3.0};

// Bessel, Butterworth, Chebyshev with the ripple Amax, then Chebyshev with each smaller usual
// ripple. The scheme must be valid: edges above 0 on the right sides, 0 < Amax < Amin.
std::vector<PlanRow> PlanOrders(const ToleranceScheme& scheme);

// Attenuation in dB of the normalised low-pass prototype of `characteristic` and order n at
// omega (Omega = 1 is the 3 dB point, or the ripple band's edge for Chebyshev).
double PrototypeAttenuationDb(Characteristic characteristic, double rippleDb, int n, double omega);

}  // namespace vx
