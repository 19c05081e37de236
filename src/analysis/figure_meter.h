#pragma once

#include <functional>
#include <span>
#include <vector>

#include "model/filter.h"

namespace vx {

// The figures a tolerance analysis follows through its runs. What they are depends on the type:
//
// - low-pass and high-pass: `levelDb` is the pass-band gain a decade from fg inside the pass band
//   (at fg/10 or 10 fg), and `frequency` the cut-off, where the response crosses the level the
//   target has at fg on its way into the stop band. That level moves with the pass-band gain:
//   it lies as far below a run's gain as it lies below the nominal design's (3.01 dB for a
//   Butterworth filter), so that a gain error does not show as a shift of the cut-off;
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
    // 2 pi fg (or 2 pi fm) and `nominal` the response of the nominal design.
    CFigureMeter(FilterType type, std::span<const double> omegas, std::span<const double> target,
                 double referenceOmega, const std::function<double(double)>& nominal);

    // The figures of a response given on the grid and, for the refinements and the pass band,
    // as a function of the angular frequency.
    ResponseFigures Measure(std::span<const double> magnitudes,
                            const std::function<double(double)>& magnitudeAt) const;

    // How far below the pass-band gain the cut-off lies, in dB (low-pass and high-pass).
    double CutoffDropDb() const;
    // Where the pass-band gain is taken (angular frequency).
    double PassBandOmega() const { return passBandOmega_; }

  private:
    double Crossing(std::span<const double> m, double level) const;
    // The extremum near grid index k, refined between its neighbours; k at either end of the
    // grid lies outside the range and gives no figure.
    ResponseFigures Extremum(std::span<const double> m, size_t k, bool maximum,
                             const std::function<double(double)>& magnitudeAt) const;

    FilterType type_;
    std::vector<double> omegas_;
    double cutoffLevel_ = 0.0;  // the target's at fg
    double passBandOmega_;
    double nominalPassBand_ = 1.0;  // the nominal design's gain there
};

}  // namespace vx
