#include "report/schematic_pictures.h"

#include "model/circuit_pairs.h"

namespace vx {

std::optional<SchematicPicture> ChooseSchematicPicture(FilterType type, StructureKind structure,
                                                       double gainDb) {
    if (!HasCircuit(type, structure)) {
        return std::nullopt;
    }
    const bool gain = gainDb >= kSchematicGainThresholdDb;
    const bool lowpass = type == FilterType::LOWPASS;
    switch (structure) {
        case StructureKind::SALLEN_KEY:
            if (lowpass) {
                return gain ? SchematicPicture::LP_SK_AMP : SchematicPicture::LP_SK;
            }
            return gain ? SchematicPicture::HP_SK_AMP : SchematicPicture::HP_SK;
        case StructureKind::SALLEN_KEY_X:
            if (lowpass) {
                return gain ? SchematicPicture::LP_SKX_AMP : SchematicPicture::LP_SKX;
            }
            return gain ? SchematicPicture::HP_SKX_AMP : SchematicPicture::HP_SKX;
        case StructureKind::MFB:
            if (type == FilterType::BANDPASS) {
                return SchematicPicture::BP_MFB;
            }
            return lowpass ? SchematicPicture::LP_MFB : SchematicPicture::HP_MFB;
        case StructureKind::TWIN_T:
            return SchematicPicture::BR_TT;
    }
    return std::nullopt;
}

}  // namespace vx
