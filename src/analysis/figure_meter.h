#pragma once

#include <functional>
#include <span>
#include <vector>

#include "model/filter.h"

namespace vx {

// The figures a tolerance analysis follows through its runs. What they are depends on the type:
//
// - low-pass and high-pass: `frequency` is the cut-off, where the response crosses the level the
//   target has at fg (-3.01 dB for a Butterworth filter) on its way into the stop band, and
//   `levelDb` the pass-band gain a decade from fg inside the pass band (at fg/10 or 10 fg);
// - band-pass: the frequency of the peak and the gain there;
// - band-stop: the frequency of the notch and its depth, the gain at fm/100 over the gain at the
//   notch (two decades off, because a low-Q notch reaches far).
//
// A figure the plotted range does not show (a cut-off or a peak beyond its ends) is not a
// number.
struct ResponseFigures {
    double frequency;  // Hz
    double levelDb;
};

class CFigureMeter {
  public:
    // `omegas` is the response grid, `target` the target's magnitudes on it, `referenceOmega`
    // 2 pi fg (or 2 pi fm).
    CFigureMeter(FilterType type, std::span<const double> omegas, std::span<const double> target,
                 double referenceOmega);

    // The figures of a response given on the grid and, for the refinements and the pass band,
    // as a function of the angular frequency.
    ResponseFigures Measure(std::span<const double> magnitudes,
                            const std::function<double(double)>& magnitudeAt) const;

    // The linear level that defines the cut-off (low-pass and high-pass).
    double CutoffLevel() const { return cutoffLevel_; }
    // Where the pass-band gain is taken (angular frequency).
    double PassBandOmega() const { return passBandOmega_; }

  private:
    double Crossing(std::span<const double> m) const;
    // The extremum near grid index k, refined between its neighbours; k at either end of the
    // grid lies outside the range and gives no figure.
    ResponseFigures Extremum(std::span<const double> m, size_t k, bool maximum,
                             const std::function<double(double)>& magnitudeAt) const;

    FilterType type_;
    std::vector<double> omegas_;
    double cutoffLevel_ = 0.0;
    double passBandOmega_;
};

}  // namespace vx
