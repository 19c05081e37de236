#include "analysis/sensitivity_table.h"

#include <algorithm>
#include <cmath>

#include "analysis/stage_poles.h"

namespace vx {

namespace {

// The relative step of the differences: small enough for a truncation error of 1e-8, large
// enough that the fitted denominators' rounding stays below it.
constexpr double kStep = 1e-4;

double Sensitivity(double up, double down) {
    return (std::log(up) - std::log(down)) / (std::log1p(kStep) - std::log1p(-kStep));
}

}  // namespace

std::vector<SensitivityRow> ComputeSensitivities(CToleranceEvaluator& evaluator) {
    const std::vector<TolerancePart>& parts = evaluator.Parts();
    std::vector<double> nominal(parts.size());
    for (size_t i = 0; i < parts.size(); ++i) {
        nominal[i] = parts[i].nominal;
    }
    const std::vector<OpAmpParams> opAmps(static_cast<size_t>(evaluator.StageCount()),
                                          evaluator.OpAmp());
    const bool twinT = evaluator.Filter().Structure() == StructureKind::TWIN_T;
    auto polesWith = [&](int stage, ComponentSlot component, double factor) {
        std::vector<double> values = nominal;
        for (size_t i = 0; i < parts.size(); ++i) {
            if (parts[i].stage == stage && parts[i].component == component) {
                values[i] *= factor;
            }
        }
        evaluator.SetValues(values, opAmps);
        return PolesOf(evaluator.StageDenominator(stage));
    };

    std::vector<SensitivityRow> rows;
    for (int stage = 0; stage < evaluator.StageCount(); ++stage) {
        std::vector<ComponentSlot> components;
        for (const TolerancePart& p : parts) {
            if (p.stage == stage &&
                std::find(components.begin(), components.end(), p.component) == components.end()) {
                components.push_back(p.component);
            }
        }
        // As the dimensioning lists them.
        const CFilter& filter = evaluator.Filter();
        std::stable_sort(
            components.begin(), components.end(),
            [&](ComponentSlot x, ComponentSlot y) { return filter.SlotOf(x) < filter.SlotOf(y); });
        std::vector<SensitivityRow> pair;
        std::vector<SensitivityRow> real;
        for (ComponentSlot c : components) {
            const StagePoles up = polesWith(stage, c, 1.0 + kStep);
            const StagePoles down = polesWith(stage, c, 1.0 - kStep);
            const std::string name = evaluator.ComponentName(stage, c);
            if (up.hasPair && down.hasPair) {
                pair.push_back({stage, false, name,
                                Sensitivity(up.pairFrequency, down.pairFrequency),
                                Sensitivity(up.pairQuality, down.pairQuality)});
            }
            if (up.hasReal && down.hasReal && !twinT) {
                real.push_back(
                    {stage, true, name, Sensitivity(up.realFrequency, down.realFrequency), NAN});
            }
        }
        rows.insert(rows.end(), pair.begin(), pair.end());
        rows.insert(rows.end(), real.begin(), real.end());
    }
    evaluator.SetValues(nominal, opAmps);
    return rows;
}

}  // namespace vx
