#pragma once

#include <cmath>
#include <optional>
#include <vector>

#include "model/filter.h"
#include "model/tolerance_scheme.h"

// From a requirement to a design: the lowest order of each characteristic whose exact response
// meets a tolerance scheme, and the filter frequency that places the response in it.
namespace vx {

// One characteristic's plan; order 0 where order 30 does not meet the scheme.
struct PlanRow {
    Characteristic characteristic = Characteristic::BUTTERWORTH;
    double rippleDb = 0.0;      // Chebyshev only
    int order = 0;              // the filter's order: a band-pass's band order, 2 for a band-stop
    double frequency = 0.0;     // Hz, the filter frequency of the design (centre of a band)
    double bandwidth = 0.0;     // Hz, band-pass only
    double quality = 0.0;       // band-stop only
    double stopMarginDb = 0.0;  // attenuation at the stop edge beyond the scheme's
    // The group-delay variation over the pass band, (max - min) / max in per cent, and the
    // step's overshoot in per cent; NaN where the type plans no such figure.
    double delayVariationPercent = NAN;
    double overshootPercent = NAN;
    // The scheme's optional limits on both hold (true when it has none).
    bool meetsLimits = true;
};

// The ripples a Chebyshev plan tries besides the scheme's own Amax, as far as they do not
// exceed it.
inline constexpr double kPlanRipples[] = {0.01, 0.1, 0.5, 1.0, 2.0, 3.0};

// Bessel, Butterworth, Chebyshev with the ripple Amax, then Chebyshev with each smaller usual
// ripple. The scheme must pass CheckScheme. A band-stop is one twin-T notch: every
// characteristic's first-order prototype is the same notch, so its plan has one row.
std::vector<PlanRow> PlanOrders(const ToleranceScheme& scheme);

// One characteristic's row, with any ripple for Chebyshev (the band-stop's notch whatever
// the characteristic).
PlanRow PlanCharacteristic(const ToleranceScheme& scheme, Characteristic characteristic,
                           double rippleDb);

// The structures that build a type, in the input dialogs' order.
std::vector<StructureKind> PlanStructures(FilterType type);
// The op-amps a design of this order takes in `structure`; 0 where the structure cannot
// build it (the third-order structure builds order 3 only).
int OpAmpCount(StructureKind structure, int order);

// The specification the plan row asks for, the other fields taken from `base`: characteristic,
// ripple, order and frequency, with the bandwidth of a band-pass and the quality of a band-stop.
SpecificationBlock PlannedSpecification(SpecificationBlock base, FilterType type,
                                        const PlanRow& row);

// Attenuation in dB of the normalised low-pass prototype of `characteristic` and order n at
// omega (Omega = 1 is the 3 dB point, or the ripple band's edge for Chebyshev).
double PrototypeAttenuationDb(Characteristic characteristic, double rippleDb, int n, double omega);

}  // namespace vx
