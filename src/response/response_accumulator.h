#pragma once

#include <functional>
#include <vector>

#include "response/show_fregang.h"

namespace vx {

// Accumulates the responses of a design's stages into its four curves, on the response grid of
// kCurvePoints angular frequencies: the first at `firstOmega`, each next one `ratio` times the
// previous (rebuilt by repeated multiplication, as the plot range defines it).
class CResponseAccumulator {
  public:
    CResponseAccumulator(ResponseCurves& curves, double firstOmega, double ratio)
        : curves_(curves), firstOmega_(firstOmega), ratio_(ratio) {}

    // Magnitude curves to 1, the group delay to 0; the band-stop's curves are drawn with linear
    // interpolation, because a parabola overshoots at the notch.
    void Reset(bool linear);
    // A stage's |H(w)| at every point of the grid.
    std::vector<double> SampleMagnitude(const std::function<double(double)>& magnitude) const;
    // Multiplies a stage's samples into `curve`.
    static void Multiply(CShowFregang& curve, const std::vector<double>& samples);
    // Adds a stage's group delay, with the spikes of its principal-value phase smoothed away.
    void AddGroupDelay(const std::function<double(double)>& groupDelay);

  private:
    template <class Visit>
    void ForEachPoint(Visit&& visit) const {
        double w = firstOmega_;
        for (int i = 0; i < kCurvePoints; ++i) {
            visit(i, w);
            w *= ratio_;
        }
    }

    ResponseCurves& curves_;
    double firstOmega_;
    double ratio_;
};

}  // namespace vx
