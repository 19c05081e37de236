#include "model/hp_lp_input.h"

#include "model/character.h"
#include "model/gain_fields.h"
#include "model/pole_input.h"
#include "model/stage_gain_input.h"

namespace vx {

namespace {

bool InRange(double x, double low, double high) {
    return x >= low && x <= high;
}

}  // namespace

HpLpInput HpLpInputFrom(const CFilter& filter, StructureKind structure) {
    HpLpInput in;
    const SpecificationBlock& s = filter.Specification();
    in.characteristic = s.characteristic;
    if (structure == StructureKind::SALLEN_KEY_X &&
        in.characteristic == Characteristic::INDIVIDUAL) {
        in.characteristic = Characteristic::BESSEL;
    }
    in.rippleDb = s.rippleDb;
    in.order = s.orderLpHp;
    in.frequency = s.frequency;
    in.impedance = s.impedance;
    in.gainDb = ShownGainDb(filter, structure);
    in.sequence = s.stageSequence;
    in.series = s.resistorSeries;
    in.distribution = s.gainDistribution;
    in.capacitorMode = s.capacitorMode;
    in.opAmp = s.opAmp;
    in.equalCapacitors = s.equalCapacitors;
    in.search = SearchInputFrom(filter);
    return in;
}

std::optional<InputError<HpLpField>> CheckHpLpInput(const HpLpInput& in, StructureKind structure) {
    const bool sallenKey =
        structure == StructureKind::SALLEN_KEY || structure == StructureKind::SALLEN_KEY_X;
    RangeChecks<HpLpField> checks;
    // The third-order dialog offers no individual characteristic.
    checks.Check(
        structure != StructureKind::SALLEN_KEY_X || in.characteristic != Characteristic::INDIVIDUAL,
        HpLpField::CHARACTERISTIC, "Charakteristik", "Bessel, Butterworth, Tschebyscheff");
    checks.Check(InRange(in.impedance, 1e-9, 1e9), HpLpField::IMPEDANCE, "Impedanzniveau",
                 "1e-9 .. 1e9");
    checks.Check(InRange(in.frequency, 1e-9, 1e9), HpLpField::FREQUENCY, "Grenzfrequenz",
                 "1e-9 .. 1e9");
    if (sallenKey) {
        checks.Check(InRange(in.gainDb, 0.0, 200.0), HpLpField::GAIN_DB, "Verstärkung",
                     "0 .. 200 dB");
    } else {
        checks.Check(InRange(in.gainDb, kLowestGainDb, 200.0), HpLpField::GAIN_DB, "Verstärkung",
                     "-100 .. 200 dB");
    }
    // The third-order structure has no order field.
    if (structure != StructureKind::SALLEN_KEY_X) {
        checks.Check(OrderAccepted(in.order), HpLpField::ORDER, "Ordnung", "1 .. 30");
    }
    if (in.characteristic == Characteristic::CHEBYCHEV) {
        checks.Check(RippleAccepted(in.rippleDb), HpLpField::RIPPLE, "Welligkeit",
                     "> 0, max. 20 dB");
    }
    CheckSearchInput(checks, in.search, HpLpField::IMPEDANCE_WINDOW);
    if (checks.Result()) {
        return checks.Result();
    }
    if (structure == StructureKind::SALLEN_KEY_X && in.equalCapacitors && in.gainDb < 6.0) {
        return InputError<HpLpField>{
            {"Eingabefehler", "Bitte ändern Sie die Verstärkung auf 6 dB oder mehr"},
            HpLpField::GAIN_DB};
    }
    return std::nullopt;
}

std::optional<InputError<HpLpField>> AcceptHpLpInput(HpLpInput in, FilterType type,
                                                     StructureKind structure, CFilter& filter,
                                                     CCharacter& character) {
    if (structure == StructureKind::SALLEN_KEY_X) {
        in.order = 3;
        in.sequence = StageSequence::HIGH_LEVEL;
        in.distribution = GainDistribution::EQUAL;
        in.capacitorMode = CapacitorMode::OPTIMIZE;
    } else {
        in.equalCapacitors = false;
    }
    if (auto error = CheckHpLpInput(in, structure)) {
        return error;
    }
    if (in.characteristic == Characteristic::INDIVIDUAL) {
        if (auto message = CheckIndividualPoles(character, in.order)) {
            return InputError<HpLpField>{*message, HpLpField::POLE_PARAMETERS};
        }
    }
    if (structure == StructureKind::SALLEN_KEY && in.distribution == GainDistribution::VALUES) {
        if (auto message = CheckNonInvertingStageGains(filter, (in.order + 1) / 2)) {
            return InputError<HpLpField>{*message, HpLpField::STAGE_GAINS};
        }
    }
    in.rippleDb = RippleToStore(in.rippleDb, filter.Specification().rippleDb);
    character.Set(in.characteristic, in.rippleDb, in.order, type == FilterType::HIGHPASS);
    // A gain too small for a gain network counts as none.
    if (in.gainDb > 0.0 && !HasGainNetwork(in.gainDb)) {
        in.gainDb = 0.0;
    }
    SpecificationBlock block = filter.Specification();
    block.capacitorMode = in.capacitorMode;
    block.equalCapacitors = in.equalCapacitors;
    block.characteristic = in.characteristic;
    block.rippleDb = in.rippleDb;
    block.resistorSeries = in.series;
    block.stageSequence = in.sequence;
    block.frequency = in.frequency;
    block.opAmp = in.opAmp;
    block.impedance = in.impedance;
    block.gainDb = in.gainDb;
    block.orderLpHp = in.order;
    StoreSearchInput(in.search, block);
    filter.SetSpecification(block, structure, type);
    filter.SetGainDistribution(static_cast<int>(in.distribution));
    return std::nullopt;
}

}  // namespace vx
