#include "report/schematic_pictures.h"

namespace vx {

std::optional<SchematicPicture> ChooseSchematicPicture(FilterType type, StructureKind structure,
                                                       double gainDb) {
    const bool gain = HasGainNetwork(gainDb);
    const bool lowpass = type == FilterType::LOWPASS;
    if (lowpass || type == FilterType::HIGHPASS) {
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
                return lowpass ? SchematicPicture::LP_MFB : SchematicPicture::HP_MFB;
            default:
                return std::nullopt;
        }
    }
    if (type == FilterType::BANDPASS && structure == StructureKind::MFB) {
        return SchematicPicture::BP_MFB;
    }
    if (type == FilterType::BANDREJECT && structure == StructureKind::TWIN_T) {
        return SchematicPicture::BR_TT;
    }
    return std::nullopt;
}

}  // namespace vx
