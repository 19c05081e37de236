#include "structures/circuits/br_tt.h"

#include "model/standard_value.h"
#include "structures/capacitors/capacitor_choice.h"
#include "structures/circuits/twin_t_network.h"
#include "structures/circuits/two_resistor_realisation.h"
#include "structures/gain_resistors.h"

namespace vx {

void CBrTt::SetStageTargets(double) {
    const double q = Filter().Quality();
    SetStageRecord(Filter().Frequency(), q, TwinTGain(q), 0);
}

void CBrTt::StoreTarget() {
    const double w = Context().omegaG;
    const double q = Q();
    const double n = Context().gridPoints - 1;
    double start = q >= 1.0 ? w * (1.0 - 1.0 / q) : w * (1.0 - 0.5 / q);
    double step = q >= 1.0 ? 2.0 * w / (q * n) : w / (q * n);
    if (start > 0.9 * w) {
        // A high Q would give too narrow a grid to see the notch's skirts.
        start = 0.9 * w;
        step = 0.2 * w / n;
    }
    std::vector<double> omegas(static_cast<size_t>(Context().gridPoints));
    for (size_t k = 0; k < omegas.size(); ++k) {
        omegas[k] = start + step * static_cast<double>(k);
    }
    MutableGrid().SetOmegas(std::move(omegas));
    SetIdealTargets();
}

void CBrTt::ResistorsFromCapacitors() {
    values_.c2 = 2.0 * values_.c1;
    values_.r1 = 1.0 / (values_.c1 * Context().omegaG);
    values_.r2 = values_.r1 / 2.0;
    values_.r4 = Context().r0;
    values_.r3 = TwinTFeedbackRatio(Q()) * values_.r4;
}

void CBrTt::DesignStage() {
    values_.c1 = StandardCapacitor(1.0 / (Context().r0 * Context().omegaG));
    ResistorsFromCapacitors();
}

void CBrTt::Realise() {
    const Realisation r1 = RealiseWithTwoResistors(values_.r1, Context().series);
    const Realisation r2 = RealiseWithTwoResistors(values_.r2, Context().series);
    Filter().SetRealisation(0, r1.kind, r1.first, r1.second, r1.value);
    Filter().SetRealisation(1, r2.kind, r2.first, r2.second, r2.value);
    values_.r1 = r1.value;
    values_.r2 = r2.value;
    const GainResistors gain = ChooseGainResistors(StageGain(0), Context().r0, Context().series);
    values_.r3 = gain.feedback;
    values_.r4 = gain.ground;
}

void CBrTt::StoreStageValues(int stage) {
    CStructureWithValues::StoreStageValues(stage);
    const double stored[] = {values_.r1, values_.r2};
    for (int k = 0; k < 2; ++k) {
        if (Filter().GetRealisation(k).value != stored[k]) {
            Filter().SetRealisation(k, RealisationKind::SINGLE, stored[k], 0.0, stored[k]);
        }
    }
}

void CBrTt::SearchCapacitors() {
    DesignStage();
    Realise();
}

void CBrTt::SearchResistors() {
    ResistorsFromCapacitors();
    Realise();
}

void CBrTt::RoundResistors() {
    for (double* r : {&values_.r1, &values_.r2, &values_.r3, &values_.r4}) {
        // R3 is 0 for a follower (Q = 0.5) and below for lower Q: nothing to round.
        if (*r > 0.0) {
            RoundToSeries(*r, Context().series);
        }
    }
}

bool CBrTt::EnterCapacitors(bool ask, CapacitorPrompt& prompt) {
    if (ask) {
        values_.c1 = StandardCapacitor(1.0 / (Context().r0 * Context().omegaG));
        if (!Ask(prompt, "C1", 1e-12, values_.c1)) {
            return false;
        }
    } else {
        values_.c1 = StoredCapacitor(Context().currentStage, 0);
    }
    ResistorsFromCapacitors();
    return true;
}

}  // namespace vx
