#pragma once

#include <array>
#include <complex>
#include <cstddef>
#include <vector>

namespace vx {

// The relative error of the third-order search for four candidates at once, one per lane. A
// lane does exactly the scalar operations of the search's error (H = g / D with D in Horner
// form, a scaled hypotenuse, the squared relative difference, probes first), in the same order,
// so each lane's error has the bits of the scalar one; the core is built without floating-point
// contraction. A lane whose complex division or magnitude leaves the range where the plain
// formula is exact takes the scalar operation for that point.
class CSallenKeyXLanes {
  public:
    static constexpr int kLanes = 4;
    static constexpr size_t kProbes = 4;

    // Four candidates that differ in d1, d2, d3 only.
    struct Candidates {
        std::array<double, kLanes> d1{}, d2{}, d3{};
        double e1 = 0.0, e2 = 0.0;
        std::array<bool, kLanes> live{};  // a lane not live gets infinity
    };

    void AddPoint(std::complex<double> x, std::complex<double> gain, double target);
    // The points whose terms are summed first; set after the points.
    void SetProbes(const std::array<size_t, kProbes>& probes);

    // Each live lane's error, or infinity where it exceeds `bound` (which must be finite).
    std::array<double, kLanes> Errors(const Candidates& c, double correction, double bound) const;

  private:
    std::vector<double> xRe_, xIm_, gRe_, gIm_, target_;
    std::array<size_t, kProbes> probes_{};
    std::vector<int> slot_;  // the probe slot of each point, -1 for none
};

}  // namespace vx
