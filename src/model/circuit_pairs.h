#pragma once

#include <array>

#include "model/filter.h"

// The pairs of filter type and circuit structure that the program designs. The file reader,
// the command line, the design session and the schematic choice all ask here.
namespace vx {

struct CircuitPair {
    FilterType type;
    StructureKind structure;
};

inline constexpr std::array<CircuitPair, 8> kCircuitPairs = {{
    {FilterType::LOWPASS, StructureKind::SALLEN_KEY},
    {FilterType::HIGHPASS, StructureKind::SALLEN_KEY},
    {FilterType::LOWPASS, StructureKind::SALLEN_KEY_X},
    {FilterType::HIGHPASS, StructureKind::SALLEN_KEY_X},
    {FilterType::LOWPASS, StructureKind::MFB},
    {FilterType::HIGHPASS, StructureKind::MFB},
    {FilterType::BANDPASS, StructureKind::MFB},
    {FilterType::BANDREJECT, StructureKind::TWIN_T},
}};

// True when a circuit serves `type` built as `structure`.
constexpr bool HasCircuit(FilterType type, StructureKind structure) {
    for (const CircuitPair& pair : kCircuitPairs) {
        if (pair.type == type && pair.structure == structure) {
            return true;
        }
    }
    return false;
}

}  // namespace vx
