#include "spice/parts_list.h"

#include <algorithm>
#include <cmath>

#include "analysis/tolerance_settings.h"
#include "model/filter.h"
#include "model/filter_rules.h"
#include "model/opv.h"
#include "model/standard_value.h"
#include "structures/stage_circuit.h"

namespace vx {

namespace {

// The structures round every capacitor they choose to E12; an entered one may be off it.
constexpr int kCapacitorSeries = 12;

// Values computed along different paths may differ in their last bits; parts this close are
// the same part.
bool SameValue(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b));
}

bool InSeries(double value, int series) {
    return SameValue(RoundedToSeries(value, series), value);
}

// One part to buy: a netlist part, or one of the two it is built of.
struct Piece {
    PartKind kind;
    const std::string* designator;
    double value;
    bool stepless;
};

bool IsCapacitor(ComponentSlot slot) {
    return slot == ComponentSlot::C1 || slot == ComponentSlot::C2 || slot == ComponentSlot::C3;
}

class PieceCollector {
  public:
    explicit PieceCollector(const CFilter& filter) : filter_(filter) {}

    void Add(const StagePart& part, int stage) {
        const double value = filter_.Value(part.slot, stage);
        // A zero resistor is a wire, a huge one a gap; a huge capacitor stands for a wire.
        if (!(value > 0.0 && value < kOpenResistor)) {
            return;
        }
        if (IsCapacitor(part.slot)) {
            if (twinT_ && part.slot == ComponentSlot::C2) {
                // Twice C1, made of two capacitors of C1's value in parallel.
                const double c1 = filter_.Value(ComponentSlot::C1, stage);
                Push(PartKind::CAPACITOR, part, c1);
                Push(PartKind::CAPACITOR, part, c1);
            } else {
                Push(PartKind::CAPACITOR, part, value);
            }
            return;
        }
        if (twinT_ && (part.slot == ComponentSlot::R1 || part.slot == ComponentSlot::R2)) {
            const Realisation& r = filter_.GetRealisation(part.slot == ComponentSlot::R1 ? 0 : 1);
            if (r.kind == RealisationKind::PARALLEL || r.kind == RealisationKind::SERIES) {
                Push(PartKind::RESISTOR, part, r.first);
                Push(PartKind::RESISTOR, part, r.second);
                return;
            }
        }
        pieces_.push_back({PartKind::RESISTOR, &part.designator, value,
                           steplessR2_ && part.slot == ComponentSlot::R2});
    }

    const std::vector<Piece>& Pieces() const { return pieces_; }

  private:
    void Push(PartKind kind, const StagePart& part, double value) {
        pieces_.push_back({kind, &part.designator, value, false});
    }

    const CFilter& filter_;
    const bool twinT_ = filter_.Structure() == StructureKind::TWIN_T;
    const bool steplessR2_ = filter_.Type() == FilterType::BANDPASS && filter_.SteplessR2();
    std::vector<Piece> pieces_;
};

PartsListRow RowOf(const Piece& piece, const CFilter& filter, const ToleranceSettings& usual) {
    PartsListRow row;
    row.kind = piece.kind;
    row.value = piece.value;
    row.stepless = piece.stepless;
    const bool capacitor = piece.kind == PartKind::CAPACITOR;
    const int series = capacitor ? kCapacitorSeries : filter.SeriesNumber();
    if (!piece.stepless && InSeries(piece.value, series)) {
        row.series = series;
    }
    // The tolerance analysis's defaults: capacitors whatever their value, resistors by series.
    if (capacitor) {
        row.tolerance = usual.capacitorTolerance;
    } else if (row.series != 0) {
        row.tolerance = usual.resistorTolerance;
    }
    return row;
}

void AddDesignator(PartsListRow& row, const std::string& designator) {
    if (std::find(row.designators.begin(), row.designators.end(), designator) ==
        row.designators.end()) {
        row.designators.push_back(designator);
    }
}

}  // namespace

std::vector<PartsListRow> PartsList(const CFilter& filter, const COpv& opv) {
    const std::vector<StageCircuit> circuits = StageCircuits(filter);
    PieceCollector collector(filter);
    for (const StageCircuit& circuit : circuits) {
        // The netlist of the ideal op-amp leaves the gain network out; the circuit has it.
        for (const auto* parts : {&circuit.parts, &circuit.amplifier.divider}) {
            for (const StagePart& part : *parts) {
                collector.Add(part, circuit.number - 1);
            }
        }
    }
    const ToleranceSettings usual = ToleranceSettings::For(filter);
    std::vector<PartsListRow> rows;
    for (const Piece& piece : collector.Pieces()) {
        PartsListRow candidate = RowOf(piece, filter, usual);
        auto same = std::find_if(rows.begin(), rows.end(), [&](const PartsListRow& row) {
            return row.kind == candidate.kind && row.series == candidate.series &&
                   row.stepless == candidate.stepless && SameValue(row.value, candidate.value);
        });
        if (same == rows.end()) {
            rows.push_back(std::move(candidate));
            same = rows.end() - 1;
        }
        AddDesignator(*same, *piece.designator);
        ++same->count;
    }
    std::stable_sort(rows.begin(), rows.end(), [](const PartsListRow& a, const PartsListRow& b) {
        return a.kind != b.kind ? a.kind < b.kind : a.value < b.value;
    });

    const bool ideal = filter.OpAmp() == 0;
    PartsListRow amplifiers;
    amplifiers.kind = PartKind::OPAMP;
    amplifiers.model = opv.Name(filter.OpAmp());
    for (const StageCircuit& circuit : circuits) {
        amplifiers.designators.push_back(AmplifierDesignator(circuit.number, ideal));
    }
    amplifiers.count = static_cast<int>(circuits.size());
    if (amplifiers.count > 0) {
        rows.push_back(std::move(amplifiers));
    }
    return rows;
}

}  // namespace vx
