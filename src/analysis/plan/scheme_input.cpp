#include "analysis/plan/scheme_input.h"

#include <cmath>
#include <string_view>

#include "model/gain_fields.h"
#include "model/number_text.h"

namespace vx {

namespace {

// Usual first schemes: a low-pass with a stop edge an octave and a half above the pass edge,
// its mirror image, a band-pass of a fifth around 1 kHz and a notch of 2 % at 1 kHz.
ToleranceScheme DefaultScheme(FilterType type) {
    switch (type) {
        case FilterType::HIGHPASS:
            return {type, 1000.0, 0.0, 1.0, 300.0, 0.0, 40.0, {}, {}};
        case FilterType::BANDPASS:
            return {type, 900.0, 1100.0, 1.0, 500.0, 2000.0, 40.0, {}, {}};
        case FilterType::BANDREJECT:
            return {type, 500.0, 2000.0, 3.0, 990.0, 1010.0, 10.0, {}, {}};
        case FilterType::LOWPASS:
            break;
    }
    return {FilterType::LOWPASS, 1000.0, 0.0, 1.0, 3000.0, 0.0, 40.0, {}, {}};
}

bool IsEdge(SchemeField field) {
    return field == SchemeField::PASS_EDGE || field == SchemeField::PASS_EDGE_HIGH ||
           field == SchemeField::STOP_EDGE || field == SchemeField::STOP_EDGE_HIGH;
}

bool Blank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::string Text(SchemeField field, double value) {
    return IsEdge(field) ? NumberFieldText(value)
                         : FormatValueNoMilli(value, false, 4, ValueKind::ANY);
}

}  // namespace

std::string SchemeFieldLabel(FilterType type, SchemeField field) {
    const char* unit = IsEdge(field) ? "Hz" : IsSchemeLimit(field) ? "%" : "dB";
    return SchemeFieldName(type, field) + " [" + unit + "] :";
}

SchemeInput SchemeInputFrom(const ToleranceScheme& s, StructureKind structure) {
    SchemeInput input;
    input.structure = structure;
    for (size_t i = 0; i < kSchemeFieldCount; ++i) {
        const auto field = static_cast<SchemeField>(i);
        const std::optional<double> value = SchemeValue(s, field);
        if (value && SchemeFieldUsed(s.type, field)) {
            input.texts[i] = Text(field, *value);
        }
    }
    return input;
}

ToleranceScheme SchemeFromInput(FilterType type, const SchemeInput& input) {
    ToleranceScheme s;
    s.type = type;
    for (size_t i = 0; i < kSchemeFieldCount; ++i) {
        const auto field = static_cast<SchemeField>(i);
        // A blank limit is none; a blank scheme field reads as NaN for the check to refuse.
        if (SchemeFieldUsed(type, field) && !(IsSchemeLimit(field) && Blank(input.texts[i]))) {
            SetSchemeValue(s, field, FieldNumber(input.texts[i]));
        }
    }
    return s;
}

SchemeEntries DefaultSchemeEntries() {
    SchemeEntries entries;
    for (const FilterType type : {FilterType::LOWPASS, FilterType::HIGHPASS, FilterType::BANDPASS,
                                  FilterType::BANDREJECT}) {
        entries.Of(type) = SchemeInputFrom(DefaultScheme(type), PlanStructures(type).front());
    }
    return entries;
}

std::optional<size_t> PreferredPlanRow(const std::vector<PlanRow>& rows,
                                       const std::optional<PlanRow>& chosen) {
    if (chosen) {
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].order > 0 && rows[i].characteristic == chosen->characteristic &&
                rows[i].rippleDb == chosen->rippleDb) {
                return i;
            }
        }
    }
    std::optional<size_t> best;
    auto better = [&rows, &best](size_t i) {
        if (!best) {
            return true;
        }
        const PlanRow& a = rows[i];
        const PlanRow& b = rows[*best];
        return a.meetsLimits != b.meetsLimits ? a.meetsLimits : a.order < b.order;
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].order > 0 && better(i)) {
            best = i;
        }
    }
    return best;
}

}  // namespace vx
