#pragma once

#include <cstdint>

#include "analysis/tolerance_settings.h"

namespace vx {

// The random numbers of one run of a tolerance analysis. Each run has a stream of its own,
// derived from the seed and the run's index alone, so a run draws the same values on whatever
// thread and in whatever order it runs.
class CToleranceRandom {
  public:
    CToleranceRandom(uint64_t seed, uint64_t run);

    // Uniform in [0, 1), 53 bits.
    double Uniform();
    // Standard normal (Box-Muller; written out, since the standard library's distributions may
    // give other numbers on another library).
    double Normal();
    // The factor 1 + e by which a part of relative tolerance `tolerance` departs from its
    // nominal value.
    double Factor(double tolerance, ToleranceDistribution distribution);

  private:
    uint64_t Next();

    uint64_t state_;
};

}  // namespace vx
