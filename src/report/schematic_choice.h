#pragma once

#include <optional>
#include <string>

#include "model/filter.h"
#include "report/schematic_pictures.h"

// Which of the twelve stage schematics shows a design, with the names the result window uses.
namespace vx {

struct SchematicChoice {
    std::optional<SchematicPicture> picture;  // nothing for a pair no circuit serves
    std::string className;                    // e.g. "CSchaltbildLpSkAmp"
    int dialog = 0;                           // resource numbers of the window and its picture
    int bitmap = 0;
};

SchematicChoice ChooseSchematic(FilterType type, StructureKind structure, double gainDb);
SchematicChoice ChooseSchematic(const CFilter& filter);

}  // namespace vx
