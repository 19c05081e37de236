#include "model/input_dialog_texts.h"

#include "model/number_format.h"

namespace vx {

std::string HpLpDialogTitle(FilterType type, StructureKind structure) {
    const std::string typeName = CFilter::TypeName(static_cast<int>(type));
    switch (structure) {
        case StructureKind::SALLEN_KEY:
            return "Sallen-Key-" + typeName;
        case StructureKind::SALLEN_KEY_X:
            return "Sallen-Key-" + typeName + " 3. Ordnung mit 1 OPV";
        default:
            return typeName + " mit " + CFilter::StructureName(static_cast<int>(structure));
    }
}

std::string StageRowLabel(int stageNumber) {
    return "Stufe " + FormatInt(stageNumber) + " :";
}

}  // namespace vx
