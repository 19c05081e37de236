#include "report/schematic_pictures.h"

#include <stdexcept>

#include "model/circuit_pairs.h"
#include "report/schematic_png_data.h"

namespace vx {

std::span<const unsigned char> SchematicPng(SchematicPicture picture) {
    const auto index = static_cast<std::size_t>(picture);
    if (index >= kSchematicPngs.size()) {
        throw std::invalid_argument("SchematicPng: unknown picture");
    }
    return kSchematicPngs[index];
}

std::optional<SchematicPicture> ChooseSchematicPicture(FilterType type, StructureKind structure,
                                                       double gainDb) {
    if (!HasCircuit(type, structure)) {
        return std::nullopt;
    }
    const bool gain = HasGainNetwork(gainDb);
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
