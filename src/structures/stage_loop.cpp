#include "structures/stage_loop.h"

#include <algorithm>
#include <utility>

#include "response/response_accumulator.h"
#include "response/rounding_guard.h"
#include "structures/filter_structure.h"

namespace vx {

void CStageLoop::Run(bool fixedCapacitors) {
    for (int i = 0; i < s_.StageCount(); ++i) {
        if (!RunStage(i, fixedCapacitors)) {
            return;
        }
    }
    KeepRoundedWhereTheFilterGains();
}

bool CStageLoop::RunStage(int stage, bool fixedCapacitors) {
    if (!PrepareStage(stage, fixedCapacitors)) {
        return false;
    }
    s_.AccumulateTargetResponse();
    s_.RoundResistors();
    s_.KeepStageValues(stage, StageVersion::ROUNDED);
    rounded_.push_back(s_.AccumulateTraditionalResponse());
    StageOutcome outcome;
    outcome.roundedError = s_.StartSearch();
    const double roundedDeviation = s_.ResponseDeviation();
    if (!Search(fixedCapacitors, outcome)) {
        return false;
    }
    // A search that starts from other values than the rounded ones (a chosen gain network,
    // resistor pair or two-resistor realisation) may end worse than them; so may the search
    // over every combination, which keeps its resistors within the window. Each is judged by
    // its own measure.
    outcome.finalError = s_.ResponseError();
    const bool worse = outcome.window > 0.0
                           ? std::pair(s_.ResponseDeviation(), outcome.finalError) >
                                 std::pair(roundedDeviation, outcome.roundedError)
                           : outcome.finalError > outcome.roundedError;
    if (worse) {
        s_.RecallStageValues(stage, StageVersion::ROUNDED);
        outcome.finalError = outcome.roundedError;
        outcome.roundedByStage = true;
    }
    s_.RecordOutcome(stage, outcome);
    s_.KeepStageValues(stage, StageVersion::FINAL);
    s_.StoreStageValues(stage);
    searched_.push_back(s_.AccumulateFilterResponse());
    s_.AccumulateGroupDelay();
    return true;
}

bool CStageLoop::PrepareStage(int stage, bool fixedCapacitors) {
    s_.SelectStage(stage);
    s_.ResetProgress();
    s_.PumpMessages();
    s_.DesignStage();
    if (!s_.CheckStage(stage)) {
        return false;
    }
    s_.KeepStageValues(stage, StageVersion::EXACT);
    s_.StoreTarget();
    CompensateTarget(stage);
    // The stored values carry the capacitors the user entered.
    if (fixedCapacitors) {
        s_.LoadStageValues(stage);
        return s_.CheckStage(stage);
    }
    return true;
}

bool CStageLoop::Search(bool fixedCapacitors, StageOutcome& outcome) {
    if (s_.Context().exhaustive && s_.Filter().SearchesEveryCombination()) {
        // The neighbours first: the window of every combination widens until it does at least
        // as well, so that the best values are never worse than the neighbours'.
        if (!SearchNeighbours(fixedCapacitors)) {
            return false;
        }
        s_.SetNeighbourDeviation(s_.ResponseDeviation());
        s_.RecallStageValues(s_.Context().currentStage, StageVersion::ROUNDED);
        s_.StartSearch();
        outcome.window = s_.SearchCombinations(fixedCapacitors);
        if (s_.Cancelled()) {
            s_.Filter().SetDesignState(DesignState::CANCELLED);
            return false;
        }
    }
    return outcome.window > 0.0 || SearchNeighbours(fixedCapacitors);
}

bool CStageLoop::SearchNeighbours(bool fixedCapacitors) {
    if (fixedCapacitors) {
        s_.SearchResistors();
    } else {
        s_.SearchCapacitors();
    }
    if (s_.Cancelled()) {
        s_.Filter().SetDesignState(DesignState::CANCELLED);
        return false;
    }
    return true;
}

void CStageLoop::CompensateTarget(int stage) {
    if (stage == 0) {
        return;
    }
    CErrorGrid& grid = s_.MutableGrid();
    std::vector<double> exact(grid.Size());
    for (int j = 0; j < stage; ++j) {
        s_.RecallStageValues(j, StageVersion::EXACT);
        s_.WithIdealOpAmp([&] {
            for (size_t k = 0; k < grid.Size(); ++k) {
                exact[k] = s_.Magnitude(grid.Omega(k));
            }
        });
        s_.RecallStageValues(j, StageVersion::FINAL);
        for (size_t k = 0; k < grid.Size(); ++k) {
            grid.ScaleTarget(k, exact[k] / s_.Magnitude(grid.Omega(k)));
        }
    }
    s_.RecallStageValues(stage, StageVersion::EXACT);
}

void CStageLoop::KeepRoundedWhereTheFilterGains() {
    ResponseCurves& curves = s_.Curves();
    CRoundingGuard guard(curves.target.Values());
    for (size_t i = 0; i < rounded_.size(); ++i) {
        guard.AddStage(std::move(rounded_[i]), std::move(searched_[i]));
    }
    const std::vector<bool> choice = guard.Choose();
    if (std::find(choice.begin(), choice.end(), true) == choice.end()) {
        return;
    }
    curves.filter.Fill(1.0);
    CResponseAccumulator::Multiply(curves.filter, guard.Product(choice));
    curves.groupDelay.Fill(0.0);
    for (int i = 0; i < s_.StageCount(); ++i) {
        s_.SelectStage(i);
        if (choice[static_cast<size_t>(i)]) {
            s_.RecallStageValues(i, StageVersion::ROUNDED);
            s_.StoreStageValues(i);
            StageOutcome outcome = s_.Outcome(i);
            outcome.finalError = outcome.roundedError;
            outcome.roundedByFilter = true;
            s_.RecordOutcome(i, outcome);
        } else {
            s_.RecallStageValues(i, StageVersion::FINAL);
        }
        s_.AccumulateGroupDelay();
    }
}

void CStageLoop::RecomputeCurves() {
    for (int i = 0; i < s_.StageCount(); ++i) {
        s_.SelectStage(i);
        s_.DesignStage();
        s_.AccumulateTargetResponse();
        s_.RoundResistors();
        s_.AccumulateTraditionalResponse();
        s_.LoadStageValues(i);
        s_.AccumulateFilterResponse();
        s_.AccumulateGroupDelay();
    }
}

}  // namespace vx
