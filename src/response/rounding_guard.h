#pragma once

#include <vector>

namespace vx {

// Worst deviation in dB of `curve` from `target` (linear magnitudes on the same grid) over the
// points where the target lies within 40 dB of its maximum: the error the plot shows, without
// the far stop band, where every design's error is large in dB and means little.
double WorstDeviationDb(const std::vector<double>& target, const std::vector<double>& curve);

// Chooses per stage between its searched and its rounded values, so that the whole filter ends
// no farther from its target than plain rounding (by WorstDeviationDb). Each stage's search
// judges the stage alone; where the rounded stages' errors happen to cancel, the searched
// stages' small residual errors may add up instead.
class CRoundingGuard {
  public:
    // The whole filter's target magnitude on the response grid.
    explicit CRoundingGuard(std::vector<double> target);

    // The next stage's magnitudes with its rounded and with its searched values.
    void AddStage(std::vector<double> rounded, std::vector<double> searched);

    // Per stage whether it takes its rounded values: none while the searched filter is no worse
    // than rounding; otherwise stages go back to rounding one at a time, the one that lowers the
    // worst deviation most first, while that helps, and all of them when the mix is still
    // worse than rounding.
    std::vector<bool> Choose() const;

    // The filter's magnitude for a choice, multiplied stage by stage from 1 (so that all rounded
    // gives the traditional curve bit for bit).
    std::vector<double> Product(const std::vector<bool>& rounded) const;

  private:
    // The greedy mix, judged on sums of per-stage dB values (the final check is exact).
    std::vector<bool> GreedyMix() const;

    std::vector<double> target_;
    std::vector<std::vector<double>> rounded_;
    std::vector<std::vector<double>> searched_;
};

}  // namespace vx
