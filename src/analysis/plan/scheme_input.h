#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/plan/order_plan.h"
#include "model/tolerance_scheme.h"

// The plan dialog without its window: a scheme's fields as texts, the entries it keeps for the
// session, and the row of a plan it offers first.
namespace vx {

// The field's caption with its unit, as the input dialogs label a field
// ("Durchlassgrenze [Hz] :").
std::string SchemeFieldLabel(FilterType type, SchemeField field);

// One type's entries: the texts by SchemeField (an empty limit is none) and the structure.
struct SchemeInput {
    std::array<std::string, kSchemeFieldCount> texts;
    StructureKind structure = StructureKind::SALLEN_KEY;

    std::string& Text(SchemeField field) { return texts[static_cast<size_t>(field)]; }
    const std::string& Text(SchemeField field) const { return texts[static_cast<size_t>(field)]; }
};

SchemeInput SchemeInputFrom(const ToleranceScheme& scheme, StructureKind structure);
// The scheme the texts state: numbers with unit prefixes and a decimal comma; a text that is no
// number reads as NaN, which CheckScheme refuses with the field's range. A blank limit, or one
// the type does not plan, is none.
ToleranceScheme SchemeFromInput(FilterType type, const SchemeInput& input);

// What the dialog shows when it opens: the type chosen last and each type's entries, so that
// switching the type does not lose what was typed for another.
struct SchemeEntries {
    FilterType type = FilterType::LOWPASS;
    std::array<SchemeInput, 4> inputs;

    SchemeInput& Of(FilterType t) { return inputs[static_cast<size_t>(t)]; }
    const SchemeInput& Of(FilterType t) const { return inputs[static_cast<size_t>(t)]; }
};
// A low-pass first; each type with a usual scheme (the low-pass: at most 1 dB down up to
// 1 kHz, at least 40 dB from 3 kHz on) and its first structure.
SchemeEntries DefaultSchemeEntries();

// The row a plan offers: the characteristic (and ripple) of `chosen` while it still reaches the
// scheme, so that a plan made anew keeps the user's choice; else the lowest order among the
// rows that keep the limits, else among those that reach the scheme, on a tie the first. None
// where no row reaches it.
std::optional<size_t> PreferredPlanRow(const std::vector<PlanRow>& rows,
                                       const std::optional<PlanRow>& chosen = std::nullopt);

}  // namespace vx
