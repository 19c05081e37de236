// The stage loops of the design driver and what they accumulate into the response curves.
#include <algorithm>
#include <utility>

#include "response/response_accumulator.h"
#include "response/rounding_guard.h"
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

std::vector<double> CFilterStructure::AccumulateTraditionalResponse() {
    return AccumulateMagnitude(curves_->traditional);
}

std::vector<double> CFilterStructure::AccumulateFilterResponse() {
    return AccumulateMagnitude(curves_->filter);
}

std::vector<double> CFilterStructure::AccumulateMagnitude(CShowFregang& curve) const {
    std::vector<double> samples =
        Accumulator().SampleMagnitude([this](double w) { return Magnitude(w); });
    CResponseAccumulator::Multiply(curve, samples);
    return samples;
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
    std::vector<std::vector<double>> rounded;
    std::vector<std::vector<double>> searched;
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
        rounded.push_back(AccumulateTraditionalResponse());
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
        searched.push_back(AccumulateFilterResponse());
        AccumulateGroupDelay();
    }
    KeepRoundedWhereTheFilterGains(std::move(rounded), std::move(searched));
}

void CFilterStructure::CompensateTarget(int stage) {
    if (stage == 0) {
        return;
    }
    std::vector<double> exact(errorGrid_.Size());
    for (int j = 0; j < stage; ++j) {
        RecallStageValues(j, StageVersion::EXACT);
        WithIdealOpAmp([&] {
            for (size_t k = 0; k < errorGrid_.Size(); ++k) {
                exact[k] = Magnitude(errorGrid_.Omega(k));
            }
        });
        RecallStageValues(j, StageVersion::FINAL);
        for (size_t k = 0; k < errorGrid_.Size(); ++k) {
            errorGrid_.ScaleTarget(k, exact[k] / Magnitude(errorGrid_.Omega(k)));
        }
    }
    RecallStageValues(stage, StageVersion::EXACT);
}

void CFilterStructure::KeepRoundedWhereTheFilterGains(std::vector<std::vector<double>> rounded,
                                                      std::vector<std::vector<double>> searched) {
    CRoundingGuard guard(curves_->target.Values());
    for (size_t i = 0; i < rounded.size(); ++i) {
        guard.AddStage(std::move(rounded[i]), std::move(searched[i]));
    }
    const std::vector<bool> choice = guard.Choose();
    if (std::find(choice.begin(), choice.end(), true) == choice.end()) {
        return;
    }
    curves_->filter.Fill(1.0);
    CResponseAccumulator::Multiply(curves_->filter, guard.Product(choice));
    curves_->groupDelay.Fill(0.0);
    for (int i = 0; i < stageCount_; ++i) {
        SelectStage(i);
        if (choice[static_cast<size_t>(i)]) {
            RecallStageValues(i, StageVersion::ROUNDED);
            StoreStageValues(i);
            StageOutcome& outcome = outcomes_[static_cast<size_t>(i)];
            outcome.finalError = outcome.roundedError;
            outcome.roundedByFilter = true;
        } else {
            RecallStageValues(i, StageVersion::FINAL);
        }
        AccumulateGroupDelay();
    }
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
