// The stage loops of the design driver and what they accumulate into the response curves.
#include "analysis/response_accumulator.h"
#include "structures/filter_structure.h"

namespace vx {

CResponseAccumulator CFilterStructure::Accumulator() const {
    return {*curves_, omegaG_ * lowerPlotLimit_, curveFactor_};
}

void CFilterStructure::ResetCurves() {
    Accumulator().Reset(filterType_ == FilterType::BANDREJECT);
}

void CFilterStructure::AccumulateTargetResponse() {
    WithIdealOpAmp([this] { AccumulateMagnitude(curves_->target); });
}

void CFilterStructure::AccumulateTraditionalResponse() {
    AccumulateMagnitude(curves_->traditional);
}

void CFilterStructure::AccumulateFilterResponse() {
    AccumulateMagnitude(curves_->filter);
}

void CFilterStructure::AccumulateMagnitude(CShowFregang& curve) const {
    Accumulator().MultiplyMagnitude(curve, [this](double w) { return Magnitude(w); });
}

void CFilterStructure::AccumulateGroupDelay() {
    Accumulator().AddGroupDelay([this](double w) { return GroupDelay(w); });
}

void CFilterStructure::DesignWithCapacitorSearch() {
    RunStageLoop(false);
}

void CFilterStructure::DesignWithFixedCapacitors() {
    RunStageLoop(true);
}

void CFilterStructure::RunStageLoop(bool fixedCapacitors) {
    for (int i = 0; i < stageCount_; ++i) {
        SelectStage(i);
        retry_ = 0;
        progress_ = 0;
        PumpMessages();
        DesignStage();
        if (!CheckStage(i)) {
            return;
        }
        KeepStageValues(i, StageVersion::EXACT);
        StoreTarget();
        CompensateTarget(i);
        if (fixedCapacitors) {
            // The stored values carry the capacitors the user entered.
            LoadStageValues(i);
            if (!CheckStage(i)) {
                return;
            }
        }
        AccumulateTargetResponse();
        RoundResistors();
        KeepStageValues(i, StageVersion::ROUNDED);
        AccumulateTraditionalResponse();
        StageOutcome outcome;
        outcome.roundedError = bestError_ = ResponseError();
        cancelled_ = false;
        if (fixedCapacitors) {
            SearchResistors();
        } else {
            SearchCapacitors();
        }
        if (cancelled_) {
            Filter().SetDesignState(DesignState::CANCELLED);
            return;
        }
        // A search that starts from other values than the rounded ones (a chosen gain network,
        // resistor pair or two-resistor realisation) may end worse than them.
        outcome.finalError = ResponseError();
        if (outcome.finalError > outcome.roundedError) {
            RecallStageValues(i, StageVersion::ROUNDED);
            outcome.finalError = outcome.roundedError;
            outcome.roundedByStage = true;
        }
        RecordOutcome(i, outcome);
        KeepStageValues(i, StageVersion::FINAL);
        StoreStageValues(i);
        AccumulateFilterResponse();
        AccumulateGroupDelay();
    }
}

void CFilterStructure::CompensateTarget(int stage) {
    if (stage == 0) {
        return;
    }
    std::vector<double> exact(grid_.size());
    for (int j = 0; j < stage; ++j) {
        RecallStageValues(j, StageVersion::EXACT);
        WithIdealOpAmp([&] {
            for (size_t k = 0; k < grid_.size(); ++k) {
                exact[k] = Magnitude(grid_[k]);
            }
        });
        RecallStageValues(j, StageVersion::FINAL);
        for (size_t k = 0; k < grid_.size(); ++k) {
            target_[k] *= exact[k] / Magnitude(grid_[k]);
        }
    }
    RecallStageValues(stage, StageVersion::EXACT);
}

void CFilterStructure::RecomputeCurves() {
    for (int i = 0; i < stageCount_; ++i) {
        SelectStage(i);
        DesignStage();
        AccumulateTargetResponse();
        RoundResistors();
        AccumulateTraditionalResponse();
        LoadStageValues(i);
        AccumulateFilterResponse();
        AccumulateGroupDelay();
    }
}

}  // namespace vx
