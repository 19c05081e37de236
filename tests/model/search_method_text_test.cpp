#include "model/search_method_text.h"

#include <gtest/gtest.h>

#include "model/filter.h"

namespace vx {
namespace {

TEST(SearchMethodText, NamesTheSearchAndItsWindowWhereTheStructureSearches) {
    const struct {
        StructureKind structure;
        SearchMethod method;
        double window;
        std::optional<std::string> line;
    } cases[] = {
        {StructureKind::SALLEN_KEY, SearchMethod::EXHAUSTIVE, 3.16,
         "Normwertsuche: alle Kombinationen (beste Werte), Impedanzfenster Faktor 3,16"},
        {StructureKind::MFB, SearchMethod::NEIGHBOURS, 3.16, "Normwertsuche: Nachbarwerte"},
        {StructureKind::SALLEN_KEY_X, SearchMethod::EXHAUSTIVE, 10.0,
         "Normwertsuche: Nachbarwerte (alle Kombinationen sucht diese Schaltung nicht)"},
        // The twin-T's resistors follow from its capacitors.
        {StructureKind::TWIN_T, SearchMethod::EXHAUSTIVE, 3.16, std::nullopt},
    };
    for (const auto& c : cases) {
        CFilter filter;
        filter.SetSpecification(
            filter.Specification(), c.structure,
            c.structure == StructureKind::TWIN_T ? FilterType::BANDREJECT : FilterType::LOWPASS);
        filter.SetSearch(c.method, c.window);
        EXPECT_EQ(SearchMethodLine(filter), c.line);
    }
}

}  // namespace
}  // namespace vx
