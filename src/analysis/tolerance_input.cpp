#include "analysis/tolerance_input.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

#include "analysis/tolerance_messages.h"
#include "model/number_format.h"
#include "model/number_text.h"

namespace vx {

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A whole number from 0 up; none when the text is not one or exceeds `limit`.
std::optional<uint64_t> ParseCount(std::string_view text, uint64_t limit) {
    text = Trimmed(text);
    if (!AllDigits(text)) {
        return std::nullopt;
    }
    uint64_t n = 0;
    for (char c : text) {
        const auto digit = static_cast<uint64_t>(c - '0');
        if (n > (limit - digit) / 10) {
            return std::nullopt;
        }
        n = 10 * n + digit;
    }
    return n;
}

std::string PercentText(double fraction) {
    return FormatValueNoMilli(100.0 * fraction, false, 4, ValueKind::ANY);
}

}  // namespace

std::optional<uint64_t> ParseSeed(std::string_view text) {
    return ParseCount(text, std::numeric_limits<uint64_t>::max());
}

std::string& ToleranceInput::Text(ToleranceField field) {
    return const_cast<std::string&>(std::as_const(*this).Text(field));
}

const std::string& ToleranceInput::Text(ToleranceField field) const {
    switch (field) {
        case ToleranceField::RESISTORS:
            return resistors;
        case ToleranceField::CAPACITORS:
            return capacitors;
        case ToleranceField::GAIN_BANDWIDTH:
            return gainBandwidth;
        case ToleranceField::RUNS:
            return runs;
        case ToleranceField::SEED:
            return seed;
    }
    throw std::invalid_argument("ToleranceInput::Text: no such field");
}

std::optional<double> ParsePercent(std::string_view text) {
    text = Trimmed(text);
    if (!text.empty() && text.back() == '%') {
        text = Trimmed(text.substr(0, text.size() - 1));
    }
    std::string number(text);
    std::replace(number.begin(), number.end(), ',', '.');
    const bool numeric = !number.empty() && number != "." &&
                         std::count(number.begin(), number.end(), '.') <= 1 &&
                         std::all_of(number.begin(), number.end(),
                                     [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
    if (!numeric) {
        return std::nullopt;
    }
    return ParseDouble(number) / 100.0;
}

ToleranceInput ToleranceInputFrom(const ToleranceSettings& settings) {
    return {PercentText(settings.resistorTolerance),
            PercentText(settings.capacitorTolerance),
            PercentText(settings.gainBandwidthSpread),
            settings.distribution,
            FormatInt(settings.runs),
            std::to_string(settings.seed)};
}

std::optional<InputError<ToleranceField>> AcceptToleranceInput(const ToleranceInput& input,
                                                               ToleranceSettings& settings) {
    // The fields go one by one into settings that pass the check, so that the check's refusal
    // names the field just taken.
    ToleranceSettings probe;
    const double none = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const std::string& text;
        double ToleranceSettings::*value;
        ToleranceField field;
    } tolerances[] = {
        {input.resistors, &ToleranceSettings::resistorTolerance, ToleranceField::RESISTORS},
        {input.capacitors, &ToleranceSettings::capacitorTolerance, ToleranceField::CAPACITORS},
        {input.gainBandwidth, &ToleranceSettings::gainBandwidthSpread,
         ToleranceField::GAIN_BANDWIDTH},
    };
    for (const auto& t : tolerances) {
        probe.*t.value = ParsePercent(t.text).value_or(none);
        if (std::optional<UserMessage> refused = CheckToleranceSettings(probe)) {
            return InputError<ToleranceField>{*refused, t.field};
        }
    }
    // Anything beyond the limit is refused alike; 0 stands for a text that is no count.
    probe.runs =
        static_cast<int>(ParseCount(input.runs, ToleranceSettings::kMaxRuns + 1ULL).value_or(0));
    if (std::optional<UserMessage> refused = CheckToleranceSettings(probe)) {
        return InputError<ToleranceField>{*refused, ToleranceField::RUNS};
    }
    const std::optional<uint64_t> seed = ParseSeed(input.seed);
    if (!seed) {
        return InputError<ToleranceField>{{tolerance_text::kCaption, tolerance_text::kSeedRange},
                                          ToleranceField::SEED};
    }
    probe.seed = *seed;
    probe.distribution = input.distribution;
    probe.threads = settings.threads;
    settings = probe;
    return std::nullopt;
}

}  // namespace vx
