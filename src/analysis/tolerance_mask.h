#pragma once

#include <span>
#include <vector>

#include "model/tolerance_scheme.h"

namespace vx {

// The limits a built filter must keep to count towards the yield, on the response grid, taken
// from the target ("Sollfrequenzgang"), its attenuation measured from its maximum:
//
// - in the pass band, where the target lies within 3 dB of its maximum, the response stays
//   within 0.5 dB of the target;
// - beyond the band edges, where the target has fallen more than 3 dB below its maximum, the
//   response attenuates at least as much as the target less 3 dB, counting the target's
//   attenuation up to 40 dB. For a low-pass that is above its cut-off, for a high-pass below it,
//   for a band-pass below the lower and above the upper band edge, for a band-stop between its
//   two edges around the notch. The cap is needed because a notch's target attenuation has no
//   end (an ideal null), and deep in a stop band the op-amp rather than the parts sets the
//   attenuation; 40 dB is a stop band most specifications would accept.
// The level a scheme's attenuations count from: the target's maximum (linear), the pass-band
// gain that a Chebyshev's ripple reaches and every other characteristic approaches.
double SchemeReference(std::span<const double> target);

class CToleranceMask {
  public:
    static constexpr double kPassBandDb = 0.5;
    static constexpr double kEdgeDb = 3.0;
    static constexpr double kStopBandMarginDb = 3.0;
    static constexpr double kMaxAttenuationDb = 40.0;

    // The target's magnitudes on the grid, linear.
    explicit CToleranceMask(std::span<const double> target);
    // The user's own scheme instead: on the grid `omegas` (rad/s), at least the reference less
    // Amax in its pass bands, at most the reference less Amin in its stop bands, free between.
    // The scheme says nothing about a response above its pass-band gain.
    CToleranceMask(const ToleranceScheme& scheme, std::span<const double> omegas,
                   std::span<const double> target);

    bool Passes(std::span<const double> magnitudes) const;

    // Linear limits per grid point; the lower limit is 0 beyond the edges.
    const std::vector<double>& Lower() const { return lower_; }
    const std::vector<double>& Upper() const { return upper_; }

  private:
    std::vector<double> lower_;
    std::vector<double> upper_;
};

}  // namespace vx
