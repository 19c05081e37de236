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

std::string StageGainFieldName(int stageNumber) {
    return "Verstärkung der Stufe " + FormatInt(stageNumber);
}

std::string PoleFieldName(bool quality, int stageNumber) {
    return std::string(quality ? "Polgüte Q" : "Normierte Polfrequenz") + " der Stufe " +
           FormatInt(stageNumber);
}

}  // namespace vx
