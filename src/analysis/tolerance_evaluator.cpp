#include "analysis/tolerance_evaluator.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "analysis/stage_poles.h"
#include "structures/search/safe_magnitude.h"

namespace vx {

namespace {

constexpr ComponentSlot kComponents[] = {ComponentSlot::C1, ComponentSlot::C2, ComponentSlot::C3,
                                         ComponentSlot::R1, ComponentSlot::R2, ComponentSlot::R3,
                                         ComponentSlot::R4, ComponentSlot::R5};

bool IsCapacitor(ComponentSlot c) {
    return c == ComponentSlot::C1 || c == ComponentSlot::C2 || c == ComponentSlot::C3;
}

}  // namespace

CToleranceEvaluator::CToleranceEvaluator(const CDesignSession& nominal) {
    session_.Filter() = nominal.Filter();
    session_.OpAmps() = nominal.OpAmps();
    session_.Character() = nominal.Character();
    structure_ = session_.Current();
    if (structure_ == nullptr || session_.Filter().GetDesignState() != DesignState::DESIGNED) {
        throw std::logic_error("tolerance evaluation of a filter that is not designed");
    }
    // Reads the stage count, the coefficients and the op-amp as the design did.
    structure_->PrepareUntilStable();
    stageCount_ = structure_->StageCount();
    opAmp_ = structure_->OpAmp();
    const CFilter& filter = session_.Filter();
    if (filter.Structure() == StructureKind::TWIN_T) {
        twinT_.emplace(filter);
        parts_ = twinT_->Parts();
    } else {
        // In the order of the record's stage table, as the dimensioning lists them.
        std::vector<ComponentSlot> order(std::begin(kComponents), std::end(kComponents));
        std::stable_sort(order.begin(), order.end(), [&](ComponentSlot x, ComponentSlot y) {
            return filter.SlotOf(x) < filter.SlotOf(y);
        });
        for (int stage = 0; stage < stageCount_; ++stage) {
            for (ComponentSlot c : order) {
                const int slot = filter.SlotOf(c);
                const double value = filter.Value(c, stage);
                if (slot >= 0 && slot < filter.ComponentCount(stage) && IsRealPart(value)) {
                    parts_.push_back({stage, c, IsCapacitor(c), value});
                }
            }
        }
    }
    std::vector<double> values(parts_.size());
    std::transform(parts_.begin(), parts_.end(), values.begin(),
                   [](const TolerancePart& p) { return p.nominal; });
    const std::vector<OpAmpParams> opAmps(static_cast<size_t>(stageCount_), opAmp_);
    SetValues(values, opAmps);
}

std::string CToleranceEvaluator::ComponentName(int stage, ComponentSlot component) const {
    return session_.Filter().ComponentName(stage, session_.Filter().SlotOf(component));
}

void CToleranceEvaluator::SetValues(std::span<const double> values,
                                    std::span<const OpAmpParams> opAmps) {
    values_.assign(values.begin(), values.end());
    opAmps_.assign(opAmps.begin(), opAmps.end());
    if (twinT_) {
        network_ = twinT_->Network(values_);
        return;
    }
    CFilter& filter = session_.Filter();
    for (size_t i = 0; i < parts_.size(); ++i) {
        filter.SetValue(parts_[i].component, parts_[i].stage, values_[i]);
    }
}

void CToleranceEvaluator::LoadStage(int stage) {
    structure_->SelectStage(stage);
    structure_->LoadStageValues(stage);
    structure_->SetOpAmp(opAmps_[static_cast<size_t>(stage)]);
}

double CToleranceEvaluator::Magnitude(double w) {
    if (twinT_) {
        return SafeMagnitude(TwinTTransfer(network_, opAmps_[0], w));
    }
    double product = 1.0;
    for (int stage = 0; stage < stageCount_; ++stage) {
        LoadStage(stage);
        product *= structure_->Magnitude(w);
    }
    return product;
}

void CToleranceEvaluator::Magnitudes(std::span<const double> omegas, std::span<double> out) {
    std::fill(out.begin(), out.end(), 1.0);
    if (twinT_) {
        for (size_t k = 0; k < omegas.size(); ++k) {
            out[k] *= SafeMagnitude(TwinTTransfer(network_, opAmps_[0], omegas[k]));
        }
        return;
    }
    for (int stage = 0; stage < stageCount_; ++stage) {
        LoadStage(stage);
        for (size_t k = 0; k < omegas.size(); ++k) {
            out[k] *= structure_->Magnitude(omegas[k]);
        }
    }
}

std::vector<double> CToleranceEvaluator::StageDenominator(int stage) {
    if (twinT_) {
        return TwinTDenominator(network_);
    }
    const CFilter& filter = session_.Filter();
    int degree = 2;
    if (filter.Structure() == StructureKind::SALLEN_KEY_X) {
        degree = 3;
    } else if (filter.Type() != FilterType::BANDPASS && structure_->IsFirstOrderStage(stage)) {
        degree = 1;
    }
    // H = K s^m / D: m is 0 for a low-pass, the degree for a high-pass and 1 for a band-pass.
    int power = 0;
    if (filter.Type() == FilterType::HIGHPASS) {
        power = degree;
    } else if (filter.Type() == FilterType::BANDPASS) {
        power = 1;
    }
    LoadStage(stage);
    structure_->SetOpAmp(OpAmpParams::Ideal());
    // Any two frequencies serve; a factor of two around the stage's pole keeps the terms of the
    // polynomial of one size.
    const double w0 = 2.0 * std::numbers::pi * structure_->Record(stage).poleFrequency;
    return FitDenominator([this](double w) { return structure_->StageTransfer(w); }, power, degree,
                          w0 / std::sqrt(2.0), w0 * std::sqrt(2.0));
}

}  // namespace vx
