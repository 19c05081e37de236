#include "model/tolerance_scheme.h"

#include <cmath>

#include "model/number_format.h"
#include "model/number_text.h"

namespace vx {

namespace {

bool InRange(double x, double low, double high) {
    return x >= low && x <= high;
}

std::string Hz(double x) {
    return FormatQuantity(x, "Hz", ValueKind::ANY);
}

std::string Db(double x) {
    return WithDecimalComma(FormatG(x, 4)) + " dB";
}

std::string Percent(double x) {
    return WithDecimalComma(FormatG(x, 4)) + " %";
}

// "bis f1 und ab f2" and its relatives, for the report's lines.
std::string RegionText(const std::vector<SchemeRegion>& regions, bool pass) {
    std::string text;
    for (const SchemeRegion& r : regions) {
        if (r.pass != pass) {
            continue;
        }
        if (!text.empty()) {
            text += " und ";
        }
        if (r.from == 0.0) {
            text += "bis " + Hz(r.to);
        } else if (std::isinf(r.to)) {
            text += "ab " + Hz(r.from);
        } else {
            text += Hz(r.from) + " .. " + Hz(r.to);
        }
    }
    return text;
}

}  // namespace

bool IsBandScheme(FilterType type) {
    return type == FilterType::BANDPASS || type == FilterType::BANDREJECT;
}

bool PlansDelayVariation(FilterType type) {
    return type == FilterType::LOWPASS || type == FilterType::BANDPASS;
}

bool PlansOvershoot(FilterType type) {
    return type == FilterType::LOWPASS;
}

std::vector<SchemeRegion> SchemeRegions(const ToleranceScheme& s) {
    const double amax = s.passAttenuation;
    const double amin = s.stopAttenuation;
    switch (s.type) {
        case FilterType::LOWPASS:
            return {{0.0, s.passEdge, true, amax}, {s.stopEdge, INFINITY, false, amin}};
        case FilterType::HIGHPASS:
            return {{0.0, s.stopEdge, false, amin}, {s.passEdge, INFINITY, true, amax}};
        case FilterType::BANDPASS:
            return {{0.0, s.stopEdge, false, amin},
                    {s.passEdge, s.passEdgeHigh, true, amax},
                    {s.stopEdgeHigh, INFINITY, false, amin}};
        case FilterType::BANDREJECT:
            return {{0.0, s.passEdge, true, amax},
                    {s.stopEdge, s.stopEdgeHigh, false, amin},
                    {s.passEdgeHigh, INFINITY, true, amax}};
    }
    return {};
}

std::optional<double> SchemeValue(const ToleranceScheme& s, SchemeField field) {
    const bool band = IsBandScheme(s.type);
    switch (field) {
        case SchemeField::PASS_EDGE:
            return s.passEdge;
        case SchemeField::PASS_EDGE_HIGH:
            return band ? std::optional(s.passEdgeHigh) : std::nullopt;
        case SchemeField::PASS_ATTENUATION:
            return s.passAttenuation;
        case SchemeField::STOP_EDGE:
            return s.stopEdge;
        case SchemeField::STOP_EDGE_HIGH:
            return band ? std::optional(s.stopEdgeHigh) : std::nullopt;
        case SchemeField::STOP_ATTENUATION:
            return s.stopAttenuation;
        case SchemeField::DELAY_VARIATION:
            return s.delayVariationPercent;
        case SchemeField::OVERSHOOT:
            return s.overshootPercent;
    }
    return std::nullopt;
}

void SetSchemeValue(ToleranceScheme& s, SchemeField field, double value) {
    switch (field) {
        case SchemeField::PASS_EDGE:
            s.passEdge = value;
            break;
        case SchemeField::PASS_EDGE_HIGH:
            s.passEdgeHigh = value;
            break;
        case SchemeField::PASS_ATTENUATION:
            s.passAttenuation = value;
            break;
        case SchemeField::STOP_EDGE:
            s.stopEdge = value;
            break;
        case SchemeField::STOP_EDGE_HIGH:
            s.stopEdgeHigh = value;
            break;
        case SchemeField::STOP_ATTENUATION:
            s.stopAttenuation = value;
            break;
        case SchemeField::DELAY_VARIATION:
            s.delayVariationPercent = value;
            break;
        case SchemeField::OVERSHOOT:
            s.overshootPercent = value;
            break;
    }
}

bool IsSchemeLimit(SchemeField field) {
    return field == SchemeField::DELAY_VARIATION || field == SchemeField::OVERSHOOT;
}

bool SchemeFieldUsed(FilterType type, SchemeField field) {
    switch (field) {
        case SchemeField::PASS_EDGE_HIGH:
        case SchemeField::STOP_EDGE_HIGH:
            return IsBandScheme(type);
        case SchemeField::DELAY_VARIATION:
            return PlansDelayVariation(type);
        case SchemeField::OVERSHOOT:
            return PlansOvershoot(type);
        default:
            return true;
    }
}

std::string SchemeFieldName(FilterType type, SchemeField field) {
    const bool band = IsBandScheme(type);
    switch (field) {
        case SchemeField::PASS_EDGE:
            return band ? "Untere Durchlassgrenze" : "Durchlassgrenze";
        case SchemeField::PASS_EDGE_HIGH:
            return "Obere Durchlassgrenze";
        case SchemeField::PASS_ATTENUATION:
            return "Max. Dämpfung im Durchlassbereich";
        case SchemeField::STOP_EDGE:
            return band ? "Untere Sperrgrenze" : "Sperrgrenze";
        case SchemeField::STOP_EDGE_HIGH:
            return "Obere Sperrgrenze";
        case SchemeField::STOP_ATTENUATION:
            return "Min. Dämpfung im Sperrbereich";
        case SchemeField::DELAY_VARIATION:
            return "Max. Laufzeitschwankung";
        case SchemeField::OVERSHOOT:
            return "Max. Überschwingen";
    }
    return {};
}

std::optional<InputError<SchemeField>> CheckScheme(const ToleranceScheme& s) {
    const FilterType type = s.type;
    const bool band = IsBandScheme(type);
    auto name = [type](SchemeField f) { return SchemeFieldName(type, f); };
    auto fail = [](UserMessage m, SchemeField f) {
        return std::optional<InputError<SchemeField>>(InputError<SchemeField>{std::move(m), f});
    };
    // Field order of the dialog: pass band, stop band, the optional limits.
    struct Range {
        SchemeField field;
        double value;
        bool accepted;
        const char* range;
    };
    std::vector<Range> ranges = {
        {SchemeField::PASS_EDGE, s.passEdge, InRange(s.passEdge, 1e-9, 1e9), "1e-9 .. 1e9 Hz"}};
    if (band) {
        ranges.push_back({SchemeField::PASS_EDGE_HIGH, s.passEdgeHigh,
                          InRange(s.passEdgeHigh, 1e-9, 1e9), "1e-9 .. 1e9 Hz"});
    }
    ranges.push_back({SchemeField::PASS_ATTENUATION, s.passAttenuation,
                      s.passAttenuation > 0.0 && s.passAttenuation <= 20.0, "> 0, max. 20 dB"});
    ranges.push_back(
        {SchemeField::STOP_EDGE, s.stopEdge, InRange(s.stopEdge, 1e-9, 1e9), "1e-9 .. 1e9 Hz"});
    if (band) {
        ranges.push_back({SchemeField::STOP_EDGE_HIGH, s.stopEdgeHigh,
                          InRange(s.stopEdgeHigh, 1e-9, 1e9), "1e-9 .. 1e9 Hz"});
    }
    ranges.push_back({SchemeField::STOP_ATTENUATION, s.stopAttenuation,
                      s.stopAttenuation > 0.0 && s.stopAttenuation <= 200.0, "> 0, max. 200 dB"});
    if (s.delayVariationPercent) {
        const double p = *s.delayVariationPercent;
        ranges.push_back(
            {SchemeField::DELAY_VARIATION, p, p > 0.0 && p <= 100.0, "> 0, max. 100 %"});
    }
    if (s.overshootPercent) {
        const double p = *s.overshootPercent;
        ranges.push_back({SchemeField::OVERSHOOT, p, InRange(p, 0.0, 100.0), "0 .. 100 %"});
    }
    for (const Range& r : ranges) {
        if (!r.accepted) {
            return fail(RangeMessage(name(r.field), r.range), r.field);
        }
    }
    if (!(s.stopAttenuation > s.passAttenuation)) {
        return fail(InvalidParameterMessage(name(SchemeField::STOP_ATTENUATION),
                                            "Die Dämpfung im Sperrbereich muss größer sein als die "
                                            "im Durchlassbereich."),
                    SchemeField::STOP_ATTENUATION);
    }
    // Each edge must lie beyond the one before it, from low to high frequency.
    struct Edge {
        SchemeField field;
        double hz;
    };
    std::vector<Edge> edges;
    switch (type) {
        case FilterType::LOWPASS:
            edges = {{SchemeField::PASS_EDGE, s.passEdge}, {SchemeField::STOP_EDGE, s.stopEdge}};
            break;
        case FilterType::HIGHPASS:
            edges = {{SchemeField::STOP_EDGE, s.stopEdge}, {SchemeField::PASS_EDGE, s.passEdge}};
            break;
        case FilterType::BANDPASS:
            edges = {{SchemeField::STOP_EDGE, s.stopEdge},
                     {SchemeField::PASS_EDGE, s.passEdge},
                     {SchemeField::PASS_EDGE_HIGH, s.passEdgeHigh},
                     {SchemeField::STOP_EDGE_HIGH, s.stopEdgeHigh}};
            break;
        case FilterType::BANDREJECT:
            edges = {{SchemeField::PASS_EDGE, s.passEdge},
                     {SchemeField::STOP_EDGE, s.stopEdge},
                     {SchemeField::STOP_EDGE_HIGH, s.stopEdgeHigh},
                     {SchemeField::PASS_EDGE_HIGH, s.passEdgeHigh}};
            break;
    }
    for (size_t i = 1; i < edges.size(); ++i) {
        if (!(edges[i].hz > edges[i - 1].hz)) {
            return fail(InvalidParameterMessage(name(edges[i].field),
                                                "Die " + name(edges[i].field) + " muss über der " +
                                                    name(edges[i - 1].field) + " liegen."),
                        edges[i].field);
        }
    }
    if (s.delayVariationPercent && !PlansDelayVariation(type)) {
        return fail(
            InvalidParameterMessage(name(SchemeField::DELAY_VARIATION),
                                    "Die Laufzeitschwankung wird nur für Tiefpässe und "
                                    "Bandpässe geplant: im Durchlassbereich eines Hochpasses "
                                    "oder einer Bandsperre fällt die Gruppenlaufzeit auf "
                                    "null."),
            SchemeField::DELAY_VARIATION);
    }
    if (s.overshootPercent && !PlansOvershoot(type)) {
        return fail(InvalidParameterMessage(name(SchemeField::OVERSHOOT),
                                            "Das Überschwingen wird nur für Tiefpässe geplant."),
                    SchemeField::OVERSHOOT);
    }
    return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> SchemeLines(const ToleranceScheme& s) {
    const std::vector<SchemeRegion> regions = SchemeRegions(s);
    std::vector<std::pair<std::string, std::string>> lines = {
        {"Durchlassbereich",
         RegionText(regions, true) + ", max. " + Db(s.passAttenuation) + " Dämpfung"},
        {"Sperrbereich",
         RegionText(regions, false) + ", min. " + Db(s.stopAttenuation) + " Dämpfung"}};
    if (s.delayVariationPercent) {
        lines.emplace_back("Max. Laufzeitschwankung", Percent(*s.delayVariationPercent));
    }
    if (s.overshootPercent) {
        lines.emplace_back("Max. Überschwingen", Percent(*s.overshootPercent));
    }
    return lines;
}

}  // namespace vx
