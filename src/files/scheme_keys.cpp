#include "files/scheme_keys.h"

#include "model/number_format.h"

namespace vx {

namespace {

constexpr const char* kKeys[kSchemeFieldCount] = {
    "SCHEME_PASS_EDGE",           "SCHEME_PASS_EDGE_HIGH", "SCHEME_PASS_DB",
    "SCHEME_STOP_EDGE",           "SCHEME_STOP_EDGE_HIGH", "SCHEME_STOP_DB",
    "SCHEME_DELAY_VARIATION_PCT", "SCHEME_OVERSHOOT_PCT"};

// A low-pass or high-pass has no upper edges; a limit the type does not plan is refused by the
// scheme's checks, as from the dialog.
bool Belongs(FilterType type, SchemeField field) {
    const bool upper = field == SchemeField::PASS_EDGE_HIGH || field == SchemeField::STOP_EDGE_HIGH;
    return !upper || IsBandScheme(type);
}

}  // namespace

const char* SchemeKey(SchemeField field) {
    return kKeys[static_cast<size_t>(field)];
}

std::string SchemeKeyLines(const ToleranceScheme& scheme) {
    std::string text;
    for (size_t i = 0; i < kSchemeFieldCount; ++i) {
        if (const std::optional<double> x = SchemeValue(scheme, static_cast<SchemeField>(i))) {
            text += kKeys[i];
            text.push_back('=');
            text += FormatE(*x);
            text.push_back('\n');
        }
    }
    return text;
}

SchemeFromFile ReadSchemeKeys(FilterType type, const SchemeFileValues& values) {
    SchemeFromFile result;
    bool given = false;
    for (const std::optional<double>& v : values) {
        given = given || v.has_value();
    }
    if (!given) {
        return result;
    }
    ToleranceScheme scheme;
    scheme.type = type;
    for (size_t i = 0; i < kSchemeFieldCount; ++i) {
        const std::optional<double>& v = values[i];
        const auto field = static_cast<SchemeField>(i);
        if (!Belongs(type, field)) {
            continue;
        }
        if (v) {
            SetSchemeValue(scheme, field, *v);
        } else if (!IsSchemeLimit(field)) {
            result.failedKey = kKeys[i];
            return result;
        }
    }
    if (const auto error = CheckScheme(scheme)) {
        result.failedKey = SchemeKey(error->focus);
        return result;
    }
    result.scheme = scheme;
    return result;
}

}  // namespace vx
