#pragma once

#include <array>
#include <span>

#include "report/schematic_pictures.h"

namespace vx {

// The PNG files of assets/schematics/ in the order of SchematicPicture. The build writes their
// bytes into a source file of its own (cmake/embed_schematics.cmake), so the tree holds each
// picture once.
extern const std::array<std::span<const unsigned char>, kSchematicPictureCount> kSchematicPngs;

}  // namespace vx
