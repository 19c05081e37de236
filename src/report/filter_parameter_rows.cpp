#include "report/filter_parameter_rows.h"

#include "structures/filter_structure.h"

namespace vx {

std::vector<std::array<std::string, 5>> FilterParameterRows(const CFilterStructure& structure) {
    std::vector<std::array<std::string, 5>> rows = {
        {"Stufe", "Güte", "Frequenz", "Norm. Freq.", "Verstärkung"}};
    for (const StageTableRow& row : structure.FormatStageTable()) {
        rows.push_back(row);
    }
    return rows;
}

}  // namespace vx
