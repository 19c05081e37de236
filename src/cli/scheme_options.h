#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/option_table.h"
#include "model/tolerance_scheme.h"

// The tolerance scheme's options, which `plan` and `new` share.
namespace vx::cli {

struct SchemeTexts {
    std::optional<std::string> pass;
    std::optional<std::string> stop;
    std::optional<std::string> delayVariation;
    std::optional<std::string> overshoot;

    bool Given() const { return pass || stop || delayVariation || overshoot; }
};

// --passband, --stopband, --delay-variation and --overshoot with their help lines.
std::vector<Option> SchemeOptions(SchemeTexts& texts);

// The scheme for `type`: a usage error for a missing option or a wrong number of fields, the
// input checks' message for a value, each printed for `command` and returned as the status.
std::variant<ToleranceScheme, int> ReadScheme(const std::string& command, FilterType type,
                                              const SchemeTexts& texts);

}  // namespace vx::cli
