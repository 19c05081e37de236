#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/tolerance_settings.h"
#include "model/range_check.h"

// The settings dialog of the tolerance analysis without its window: the fields as texts, and
// the check of OK.
namespace vx {

enum class ToleranceField { RESISTORS, CAPACITORS, GAIN_BANDWIDTH, RUNS, SEED };

// Tolerances in per cent with a decimal comma ("0,5"), the run count and the seed as whole
// numbers.
struct ToleranceInput {
    std::string resistors;
    std::string capacitors;
    std::string gainBandwidth;
    ToleranceDistribution distribution = ToleranceDistribution::UNIFORM;
    std::string runs;
    std::string seed;

    // The text of `field`.
    std::string& Text(ToleranceField field);
    const std::string& Text(ToleranceField field) const;
};

ToleranceInput ToleranceInputFrom(const ToleranceSettings& settings);

// OK: reads the fields in the dialog's order and checks them with CheckToleranceSettings; the
// first field refused gets the focus. A text that is no number is refused as out of range.
// `settings` changes only when every field passes; its thread count stays.
std::optional<InputError<ToleranceField>> AcceptToleranceInput(const ToleranceInput& input,
                                                               ToleranceSettings& settings);

// The seed of the random numbers: a whole number from 0 to 2^64 - 1; anything else is none.
std::optional<uint64_t> ParseSeed(std::string_view text);

// "1%", "0,5 %" or "0.5": a percentage as a fraction (0.01); anything else is none.
std::optional<double> ParsePercent(std::string_view text);

}  // namespace vx
