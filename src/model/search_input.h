#pragma once

#include <optional>

#include "model/filter.h"
#include "model/input_dialog_texts.h"
#include "model/range_check.h"

// The standard-value search as the input dialogs and the command line take it.
namespace vx {

// A specification the user starts anew searches every combination; a file without the choice
// keeps the neighbour search it was designed with (the record's default).
inline constexpr SearchMethod kNewSpecificationSearch = SearchMethod::EXHAUSTIVE;

struct SearchInput {
    SearchMethod method = kNewSpecificationSearch;
    double window = kDefaultImpedanceWindow;
};

SearchInput SearchInputFrom(const CFilter& filter);

// A choice that names only what was given (the command line's --search and --window); the rest
// stays as `base` has it.
struct SearchOverride {
    std::optional<SearchMethod> method;
    std::optional<double> window;
};
SearchInput Overridden(const SearchInput& base, const SearchOverride& over);

// "1,5 .. 100", the range the message of "Impedanzfenster" names.
std::string ImpedanceWindowRangeText();

// Only the exhaustive search reads the window.
template <class Field>
void CheckSearchInput(RangeChecks<Field>& checks, const SearchInput& in, Field window) {
    if (in.method == SearchMethod::EXHAUSTIVE) {
        checks.Check(ImpedanceWindowAccepted(in.window), window, kImpedanceWindowName,
                     ImpedanceWindowRangeText());
    }
}

// Stores the method; a window the neighbour search left unread keeps the stored one unless it
// is one the exhaustive search could take.
void StoreSearchInput(const SearchInput& in, SpecificationBlock& block);

}  // namespace vx
