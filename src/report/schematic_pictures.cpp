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

PictureSize SchematicPngSize(SchematicPicture picture) {
    // The signature (8 bytes), the IHDR chunk's length and type (8), then width and height as
    // big-endian 32-bit numbers.
    const std::span<const unsigned char> png = SchematicPng(picture);
    if (png.size() < 24) {
        return {};
    }
    auto word = [&](size_t at) {
        uint32_t w = 0;
        for (size_t k = 0; k < 4; ++k) {
            w = (w << 8) | png[at + k];
        }
        return static_cast<int>(w);
    };
    return {word(16), word(20)};
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
