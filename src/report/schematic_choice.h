#pragma once

#include <string>

#include "model/filter.h"

// Which of the twelve stage schematics shows a design.
namespace vx {

enum class Schematic {
    NONE,
    LP_SK,
    LP_SK_AMP,
    LP_SKX,
    LP_SKX_AMP,
    LP_MFB,
    HP_SK,
    HP_SK_AMP,
    HP_SKX,
    HP_SKX_AMP,
    HP_MFB,
    BP_MFB,
    BR_TT,
};

struct SchematicChoice {
    Schematic id = Schematic::NONE;
    std::string className;  // e.g. "CSchaltbildLpSkAmp"; empty for NONE
    int dialog = 0;         // resource numbers of the dialog and its picture
    int picture = 0;
};

// The Sallen-Key pictures with the gain network are used from 0.1 dB of gain.
SchematicChoice ChooseSchematic(FilterType type, StructureKind structure, double gainDb);
SchematicChoice ChooseSchematic(const CFilter& filter);

}  // namespace vx
