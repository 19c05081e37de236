#pragma once

#include <array>
#include <optional>
#include <string>

#include "model/tolerance_scheme.h"

// The tolerance scheme in the specification file: optional [FILTER] keys after the others.
// Readers that do not know them skip them as unknown lines.
namespace vx {

// The key of a field, "SCHEME_PASS_EDGE" and so on.
const char* SchemeKey(SchemeField field);

// The keys' lines for the scheme, in field order; a band's upper edges only for the band types,
// the limits only where given.
std::string SchemeKeyLines(const ToleranceScheme& scheme);

// The values the file gave, by field; empty for an absent key.
using SchemeFileValues = std::array<std::optional<double>, kSchemeFieldCount>;

// No scheme when no key was given. Otherwise the scheme of `type`, or the key that is missing
// or whose value the scheme's checks refuse.
struct SchemeFromFile {
    std::optional<ToleranceScheme> scheme;
    std::string failedKey;
};
SchemeFromFile ReadSchemeKeys(FilterType type, const SchemeFileValues& values);

}  // namespace vx
