#include "model/search_method_text.h"

#include "model/filter.h"
#include "model/input_dialog_texts.h"
#include "model/number_text.h"

namespace vx {

std::optional<std::string> SearchMethodText(const CFilter& filter) {
    if (filter.Structure() == StructureKind::TWIN_T) {
        return std::nullopt;
    }
    if (filter.GetSearchMethod() == SearchMethod::NEIGHBOURS) {
        return std::string(kSearchNeighboursRadio);
    }
    if (!filter.SearchesEveryCombination()) {
        return std::string(kSearchNeighboursRadio) + " " + kNoCombinationSearch;
    }
    return std::string(kSearchExhaustiveRadio) + ", " + kImpedanceWindowName + " Faktor " +
           FormatValue(filter.ImpedanceWindow(), false, 3, ValueKind::ANY);
}

std::optional<std::string> SearchMethodLine(const CFilter& filter) {
    const std::optional<std::string> text = SearchMethodText(filter);
    if (!text) {
        return std::nullopt;
    }
    return std::string(kSearchGroup) + ": " + *text;
}

}  // namespace vx
