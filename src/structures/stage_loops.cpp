// The stage loops of the design driver and the accumulation of the response curves.
#include <array>
#include <cmath>

#include "structures/filter_structure.h"

namespace vx {

template <class Accumulate>
void CFilterStructure::ForEachCurvePoint(Accumulate&& accumulate) const {
    // The grid is rebuilt by repeated multiplication, as the plot range defines it.
    double w = omegaG_ * lowerPlotLimit_;
    for (int i = 0; i < kCurvePoints; ++i) {
        accumulate(i, w);
        w *= curveFactor_;
    }
}

void CFilterStructure::AccumulateMagnitude(CShowFregang& curve) const {
    ForEachCurvePoint([&](int i, double w) { curve.MultiplyAt(i, Magnitude(w)); });
}

void CFilterStructure::ResetCurves() {
    const bool linear = filterType_ == FilterType::BANDREJECT;
    for (CShowFregang* curve : {&curves_->target, &curves_->traditional, &curves_->filter}) {
        curve->Fill(1.0);
        curve->SetLinearInterpolation(linear);
    }
    curves_->groupDelay.Fill(0.0);
    curves_->groupDelay.SetLinearInterpolation(linear);
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

void CFilterStructure::AccumulateGroupDelay() {
    std::array<double, kCurvePoints> g{};
    ForEachCurvePoint([&](int i, double w) {
        double v = GroupDelay(w);
        if (i >= 2) {
            // The principal-value phase jumps where Re(H) changes sign; such a spike is replaced
            // by the mean of the two previous points.
            const double predicted =
                2.0 * g[static_cast<size_t>(i - 1)] - g[static_cast<size_t>(i - 2)];
            if (std::fabs(v / predicted - 1.0) > 0.02) {
                v = (g[static_cast<size_t>(i - 1)] + g[static_cast<size_t>(i - 2)]) * 0.5;
            }
        }
        g[static_cast<size_t>(i)] = v;
    });
    for (int i = 0; i < kCurvePoints; ++i) {
        curves_->groupDelay.AddAt(i, g[static_cast<size_t>(i)]);
    }
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
        StoreTarget();
        if (fixedCapacitors) {
            // The stored values carry the capacitors the user entered.
            LoadStageValues(i);
        }
        AccumulateTargetResponse();
        RoundResistors();
        AccumulateTraditionalResponse();
        bestError_ = ResponseError();
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
        StoreStageValues(i);
        AccumulateFilterResponse();
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
