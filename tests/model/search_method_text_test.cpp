#include "model/search_method_text.h"

#include <gtest/gtest.h>

#include "model/filter.h"

namespace vx {
namespace {

TEST(SearchMethodText, NamesTheSearchAndItsWindowWhereTheStructureSearches) {
    const struct {
        FilterType type;
        StructureKind structure;
        bool stepless;
        SearchMethod method;
        double window;
        std::optional<std::string> line;
    } cases[] = {
        {FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, false, SearchMethod::EXHAUSTIVE, 10.0,
         "Normwertsuche: alle Kombinationen (beste Werte), Impedanzfenster Faktor 10"},
        {FilterType::LOWPASS, StructureKind::MFB, false, SearchMethod::NEIGHBOURS, 3.16,
         "Normwertsuche: Nachbarwerte"},
        // A stepless R2 is tuned, not chosen from the series.
        {FilterType::BANDPASS, StructureKind::MFB, true, SearchMethod::EXHAUSTIVE, 3.16,
         "Normwertsuche: Nachbarwerte (alle Kombinationen sucht diese Schaltung nicht)"},
        // The twin-T's resistors follow from its capacitors.
        {FilterType::BANDREJECT, StructureKind::TWIN_T, false, SearchMethod::EXHAUSTIVE, 3.16,
         std::nullopt},
    };
    for (const auto& c : cases) {
        CFilter filter;
        SpecificationBlock block = filter.Specification();
        block.steplessR2 = c.stepless;
        filter.SetSpecification(block, c.structure, c.type);
        filter.SetSearch(c.method, c.window);
        EXPECT_EQ(SearchMethodLine(filter), c.line);
    }
}

}  // namespace
}  // namespace vx
