#include "report/schematic_choice.h"

namespace vx {

namespace {

struct Row {
    const char* className;
    int dialog;
    int bitmap;
};

// In the order of SchematicPicture.
constexpr Row kRows[kSchematicPictureCount] = {
    {"CSchaltbildLpSk", 146, 147},     {"CSchaltbildLpSkAmp", 184, 183},
    {"CSchaltbildLpSkX", 194, 194},    {"CSchaltbildLpSkXAmp", 195, 196},
    {"CSchaltbildLpMfb", 177, 177},    {"CSchaltbildHpSk", 147, 148},
    {"CSchaltbildHpSkAmp", 183, 182},  {"CSchaltbildHpSkX", 204, 197},
    {"CSchaltbildHpSkXAmp", 205, 203}, {"CSchaltbildHpMfb", 178, 179},
    {"CSchaltbildBpMfb", 154, 156},    {"CSchaltbildBr", 173, 174},
};

}  // namespace

SchematicChoice ChooseSchematic(FilterType type, StructureKind structure, double gainDb) {
    const std::optional<SchematicPicture> picture = ChooseSchematicPicture(type, structure, gainDb);
    if (!picture) {
        return {};
    }
    const Row& row = kRows[static_cast<size_t>(*picture)];
    return {picture, row.className, row.dialog, row.bitmap};
}

SchematicChoice ChooseSchematic(const CFilter& filter) {
    return ChooseSchematic(filter.Type(), filter.Structure(), filter.GainDb());
}

}  // namespace vx
