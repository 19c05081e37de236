#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/filter_type.h"
#include "model/range_check.h"

// What a filter must do, as the engineer states it before any design: the largest attenuation
// in the pass band, the smallest in the stop band, and optionally limits on the pass band's
// group-delay variation and the step's overshoot.
namespace vx {

// Frequencies in Hz, attenuations in dB below the pass-band gain.
// - Low-pass: pass band up to `passEdge`, stop band from `stopEdge` (above it) on.
// - High-pass: pass band from `passEdge` on, stop band up to `stopEdge` (below it).
// - Band-pass: pass band `passEdge` .. `passEdgeHigh`; stop bands up to `stopEdge` and from
//   `stopEdgeHigh` on.
// - Band-stop: pass bands up to `passEdge` and from `passEdgeHigh` on; stop band `stopEdge` ..
//   `stopEdgeHigh`.
struct ToleranceScheme {
    FilterType type = FilterType::LOWPASS;
    double passEdge = 0.0;
    double passEdgeHigh = 0.0;     // band-pass and band-stop only
    double passAttenuation = 0.0;  // Amax
    double stopEdge = 0.0;
    double stopEdgeHigh = 0.0;                    // band-pass and band-stop only
    double stopAttenuation = 0.0;                 // Amin
    std::optional<double> delayVariationPercent;  // largest (max - min) / max in the pass band
    std::optional<double> overshootPercent;       // largest step overshoot

    bool operator==(const ToleranceScheme&) const = default;
};

bool IsBandScheme(FilterType type);

// The scheme's limits: where the response must stay above -`attenuationDb` (pass) or below it
// (stop), from `from` to `to` Hz (0 and infinity at the open ends).
struct SchemeRegion {
    double from = 0.0;
    double to = 0.0;
    bool pass = true;
    double attenuationDb = 0.0;
};
std::vector<SchemeRegion> SchemeRegions(const ToleranceScheme& scheme);

// Which figures a type plans: the group delay of a high-pass and a band-stop falls to nothing
// in their pass bands, and only a low-pass step settles to its pass-band gain.
bool PlansDelayVariation(FilterType type);
bool PlansOvershoot(FilterType type);

enum class SchemeField {
    PASS_EDGE,
    PASS_EDGE_HIGH,
    PASS_ATTENUATION,
    STOP_EDGE,
    STOP_EDGE_HIGH,
    STOP_ATTENUATION,
    DELAY_VARIATION,
    OVERSHOOT
};

// The fields, SchemeField's values in order.
inline constexpr size_t kSchemeFieldCount = 8;

// A field's value: nothing for the upper edges of a low-pass or high-pass and for a limit not
// given.
std::optional<double> SchemeValue(const ToleranceScheme& scheme, SchemeField field);
void SetSchemeValue(ToleranceScheme& scheme, SchemeField field, double value);
// Delay variation and overshoot: optional, unlike the scheme's edges and attenuations.
bool IsSchemeLimit(SchemeField field);
// The fields a type states: the upper edges only for the band types, a limit only where the
// type plans that figure.
bool SchemeFieldUsed(FilterType type, SchemeField field);

// The field's caption in the dialog and in messages ("Durchlassgrenze", ...); the band types
// name an upper and a lower edge.
std::string SchemeFieldName(FilterType type, SchemeField field);

// The checks in the dialog's field order, each with the input dialogs' message; the first
// failing one is reported. Ranges first, then the edges' order.
std::optional<InputError<SchemeField>> CheckScheme(const ToleranceScheme& scheme);

// Label and value lines for the report and the HTML page ("Toleranzschema" section).
std::vector<std::pair<std::string, std::string>> SchemeLines(const ToleranceScheme& scheme);
// That section's heading, and the diagram's legend of the scheme.
inline constexpr const char* kSchemeTitle = "Toleranzschema";

}  // namespace vx
