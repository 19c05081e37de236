#include "files/scheme_keys.h"

#include "model/number_format.h"

namespace vx {

namespace {

constexpr const char* kKeys[kSchemeFields] = {
    "SCHEME_PASS_EDGE",           "SCHEME_PASS_EDGE_HIGH", "SCHEME_PASS_DB",
    "SCHEME_STOP_EDGE",           "SCHEME_STOP_EDGE_HIGH", "SCHEME_STOP_DB",
    "SCHEME_DELAY_VARIATION_PCT", "SCHEME_OVERSHOOT_PCT"};

constexpr SchemeField kFields[kSchemeFields] = {
    SchemeField::PASS_EDGE,       SchemeField::PASS_EDGE_HIGH, SchemeField::PASS_ATTENUATION,
    SchemeField::STOP_EDGE,       SchemeField::STOP_EDGE_HIGH, SchemeField::STOP_ATTENUATION,
    SchemeField::DELAY_VARIATION, SchemeField::OVERSHOOT};

// A low-pass or high-pass has no upper edges.
bool Belongs(FilterType type, SchemeField field) {
    const bool upper = field == SchemeField::PASS_EDGE_HIGH || field == SchemeField::STOP_EDGE_HIGH;
    return !upper || IsBandScheme(type);
}

bool IsLimit(SchemeField field) {
    return field == SchemeField::DELAY_VARIATION || field == SchemeField::OVERSHOOT;
}

// The scheme's value of a field; empty for an absent limit or a band edge of a low-pass.
std::optional<double> ValueOf(const ToleranceScheme& s, SchemeField field) {
    switch (field) {
        case SchemeField::PASS_EDGE:
            return s.passEdge;
        case SchemeField::PASS_EDGE_HIGH:
            return IsBandScheme(s.type) ? std::optional(s.passEdgeHigh) : std::nullopt;
        case SchemeField::PASS_ATTENUATION:
            return s.passAttenuation;
        case SchemeField::STOP_EDGE:
            return s.stopEdge;
        case SchemeField::STOP_EDGE_HIGH:
            return IsBandScheme(s.type) ? std::optional(s.stopEdgeHigh) : std::nullopt;
        case SchemeField::STOP_ATTENUATION:
            return s.stopAttenuation;
        case SchemeField::DELAY_VARIATION:
            return s.delayVariationPercent;
        case SchemeField::OVERSHOOT:
            return s.overshootPercent;
    }
    return std::nullopt;
}

void SetValue(ToleranceScheme& s, SchemeField field, double x) {
    switch (field) {
        case SchemeField::PASS_EDGE:
            s.passEdge = x;
            break;
        case SchemeField::PASS_EDGE_HIGH:
            s.passEdgeHigh = x;
            break;
        case SchemeField::PASS_ATTENUATION:
            s.passAttenuation = x;
            break;
        case SchemeField::STOP_EDGE:
            s.stopEdge = x;
            break;
        case SchemeField::STOP_EDGE_HIGH:
            s.stopEdgeHigh = x;
            break;
        case SchemeField::STOP_ATTENUATION:
            s.stopAttenuation = x;
            break;
        case SchemeField::DELAY_VARIATION:
            s.delayVariationPercent = x;
            break;
        case SchemeField::OVERSHOOT:
            s.overshootPercent = x;
            break;
    }
}

}  // namespace

const char* SchemeKey(SchemeField field) {
    for (int i = 0; i < kSchemeFields; ++i) {
        if (kFields[i] == field) {
            return kKeys[i];
        }
    }
    return "";
}

std::string SchemeKeyLines(const ToleranceScheme& scheme) {
    std::string text;
    for (int i = 0; i < kSchemeFields; ++i) {
        if (const std::optional<double> x = ValueOf(scheme, kFields[i])) {
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
    for (int i = 0; i < kSchemeFields; ++i) {
        const std::optional<double>& v = values[static_cast<size_t>(i)];
        const SchemeField field = kFields[i];
        if (!Belongs(type, field)) {
            continue;
        }
        if (v) {
            SetValue(scheme, field, *v);
        } else if (!IsLimit(field)) {
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
