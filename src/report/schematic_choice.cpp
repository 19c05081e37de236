#include "report/schematic_choice.h"

namespace vx {

SchematicChoice ChooseSchematic(FilterType type, StructureKind structure, double gainDb) {
    const bool amp = gainDb >= 0.1;
    const bool low = type == FilterType::LOWPASS;
    if (type == FilterType::LOWPASS || type == FilterType::HIGHPASS) {
        switch (structure) {
            case StructureKind::SALLEN_KEY:
                if (low) {
                    return amp ? SchematicChoice{Schematic::LP_SK_AMP, "CSchaltbildLpSkAmp", 184,
                                                 183}
                               : SchematicChoice{Schematic::LP_SK, "CSchaltbildLpSk", 146, 147};
                }
                return amp ? SchematicChoice{Schematic::HP_SK_AMP, "CSchaltbildHpSkAmp", 183, 182}
                           : SchematicChoice{Schematic::HP_SK, "CSchaltbildHpSk", 147, 148};
            case StructureKind::SALLEN_KEY_X:
                if (low) {
                    return amp ? SchematicChoice{Schematic::LP_SKX_AMP, "CSchaltbildLpSkXAmp", 195,
                                                 196}
                               : SchematicChoice{Schematic::LP_SKX, "CSchaltbildLpSkX", 194, 194};
                }
                return amp ? SchematicChoice{Schematic::HP_SKX_AMP, "CSchaltbildHpSkXAmp", 205, 203}
                           : SchematicChoice{Schematic::HP_SKX, "CSchaltbildHpSkX", 204, 197};
            case StructureKind::MFB:
                return low ? SchematicChoice{Schematic::LP_MFB, "CSchaltbildLpMfb", 177, 177}
                           : SchematicChoice{Schematic::HP_MFB, "CSchaltbildHpMfb", 178, 179};
            case StructureKind::TWIN_T:
                return {};
        }
    }
    if (type == FilterType::BANDPASS && structure == StructureKind::MFB) {
        return {Schematic::BP_MFB, "CSchaltbildBpMfb", 154, 156};
    }
    if (type == FilterType::BANDREJECT && structure == StructureKind::TWIN_T) {
        return {Schematic::BR_TT, "CSchaltbildBr", 173, 174};
    }
    return {};
}

SchematicChoice ChooseSchematic(const CFilter& filter) {
    return ChooseSchematic(filter.Type(), filter.Structure(), filter.GainDb());
}

}  // namespace vx
