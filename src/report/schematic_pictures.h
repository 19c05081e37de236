#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "model/filter.h"

// The stage schematics of the result report, embedded as PNG files so that the core can write
// them without a graphics library. Drawn by tools/schematics/draw.py into assets/schematics/;
// the build embeds the PNG files from there.
namespace vx {

// One picture per row of the schematic choice; _AMP pictures show the gain network.
enum class SchematicPicture : int32_t {
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

constexpr int kSchematicPictureCount = 12;

// The PNG file of `picture`; throws std::invalid_argument for a value outside the enum.
std::span<const unsigned char> SchematicPng(SchematicPicture picture);

// Width and height in pixels of a picture, from its PNG header.
struct PictureSize {
    int width = 0;
    int height = 0;
};
PictureSize SchematicPngSize(SchematicPicture picture);

// The picture for a filter of `type` built as `structure` with the filter gain `gainDb`; the
// multiple-feedback and twin-T pictures do not depend on the gain. Combinations the program
// cannot design (a band-pass in Sallen-Key, ...) have no picture.
std::optional<SchematicPicture> ChooseSchematicPicture(FilterType type, StructureKind structure,
                                                       double gainDb);

}  // namespace vx
