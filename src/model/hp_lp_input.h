#pragma once

#include <optional>

#include "model/filter.h"
#include "model/range_check.h"
#include "model/search_input.h"

// The checks and the OK of the low-pass/high-pass input dialog, without the dialog.
namespace vx {

class CCharacter;

enum class HpLpField {
    CHARACTERISTIC,
    IMPEDANCE,
    FREQUENCY,
    GAIN_DB,
    ORDER,
    RIPPLE,
    POLE_PARAMETERS,
    STAGE_GAINS,
    IMPEDANCE_WINDOW
};

struct HpLpInput {
    Characteristic characteristic = Characteristic::BESSEL;
    double rippleDb = 1.0;
    int order = 2;
    double frequency = 1000.0;
    double impedance = 10000.0;
    double gainDb = 0.0;
    StageSequence sequence = StageSequence::HIGH_LEVEL;
    ResistorSeries series = ResistorSeries::E24;
    GainDistribution distribution = GainDistribution::EQUAL;
    CapacitorMode capacitorMode = CapacitorMode::OPTIMIZE;
    int opAmp = 0;
    bool equalCapacitors = false;  // third-order structure only
    SearchInput search;
};

// The values the dialog opens with for the record's current specification.
HpLpInput HpLpInputFrom(const CFilter& filter, StructureKind structure);

// The range checks in the dialog's order; the last failing one is reported.
std::optional<InputError<HpLpField>> CheckHpLpInput(const HpLpInput& input,
                                                    StructureKind structure);

// OK: checks, fills the characteristic for the order (individual pole data must be in
// `character` already, entered stage gains in `filter`), and stores the specification. Nothing
// is stored on an error.
std::optional<InputError<HpLpField>> AcceptHpLpInput(HpLpInput input, FilterType type,
                                                     StructureKind structure, CFilter& filter,
                                                     CCharacter& character);

}  // namespace vx
