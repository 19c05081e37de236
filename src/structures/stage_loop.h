#pragma once

#include <vector>

#include "structures/filter_structure.h"

namespace vx {

// The driver's loop over the stages of a design: per stage the exact dimensioning, its target
// (compensated for the earlier stages' standard values), the rounded values and the search, and
// the stage's share of the response curves. A stage whose search ends worse than its rounded
// values keeps those, and so does one where the whole filter then ends closer to its target.
class CStageLoop {
  public:
    explicit CStageLoop(CFilterStructure& structure) : s_(structure) {}

    // Designs every stage: searches the resistors for the stored capacitors (fixedCapacitors)
    // or the capacitors too. Ends early at a stage that cannot be dimensioned or at a cancel.
    void Run(bool fixedCapacitors);
    // Recomputes the four curves from the stored values, stage by stage.
    void RecomputeCurves();

  private:
    // One stage of Run; false when the loop must end (failure or cancel).
    bool RunStage(int stage, bool fixedCapacitors);
    // The exact dimensioning of `stage` with its target; false when it cannot be dimensioned.
    bool PrepareStage(int stage, bool fixedCapacitors);
    // Runs the stage's search from its rounded values (over every combination where asked and
    // the structure has one; its window goes to `outcome`); false on a cancel.
    bool Search(bool fixedCapacitors, StageOutcome& outcome);
    // The neighbour search of the current stage; false on a cancel (the record is then
    // CANCELLED).
    bool SearchNeighbours(bool fixedCapacitors);
    // Multiplies the target on the error grid by each earlier stage's exact over its final
    // magnitude: the stage's search then makes up for what the earlier stages' standard values
    // left, instead of letting small residual errors of every stage add up.
    void CompensateTarget(int stage);
    // After the loop: stages go back to their rounded values where the whole filter then ends
    // closer to its target (see CRoundingGuard); the filter and group-delay curves follow.
    void KeepRoundedWhereTheFilterGains();

    CFilterStructure& s_;
    // Per stage designed, its magnitude samples with the rounded and with the final values.
    std::vector<std::vector<double>> rounded_;
    std::vector<std::vector<double>> searched_;
};

}  // namespace vx
