#include "model/search_input.h"

#include "model/number_text.h"

namespace vx {

SearchInput SearchInputFrom(const CFilter& filter) {
    return {filter.GetSearchMethod(), filter.ImpedanceWindow()};
}

SearchInput Overridden(const SearchInput& base, const SearchOverride& over) {
    return {over.method.value_or(base.method), over.window.value_or(base.window)};
}

std::string ImpedanceWindowRangeText() {
    return FormatValue(kLowestImpedanceWindow, false, 3, ValueKind::ANY) + " .. " +
           FormatValue(kHighestImpedanceWindow, false, 3, ValueKind::ANY);
}

void StoreSearchInput(const SearchInput& in, SpecificationBlock& block) {
    block.search = in.method;
    if (ImpedanceWindowAccepted(in.window)) {
        block.impedanceWindow = in.window;
    }
}

}  // namespace vx
