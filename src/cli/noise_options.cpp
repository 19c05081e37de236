#include "cli/noise_options.h"

#include <cmath>
#include <optional>

#include "model/number_text.h"

namespace vx::cli {

namespace {

std::optional<double> Positive(const std::string& text) {
    const std::optional<double> v = ParseValueText(text);
    return v && std::isfinite(*v) && *v > 0.0 ? v : std::nullopt;
}

std::string ParseBand(const std::string& value, NoiseOptions& o) {
    const size_t colon = value.find(':');
    const std::optional<double> low =
        colon == std::string::npos ? std::nullopt : Positive(value.substr(0, colon));
    const std::optional<double> high =
        colon == std::string::npos ? std::nullopt : Positive(value.substr(colon + 1));
    if (!low || !high || !(*low < *high)) {
        return "--noise-band needs F1:F2 in Hz with 0 < F1 < F2, not '" + value + "'";
    }
    o.settings.bandLow = low;
    o.settings.bandHigh = high;
    return {};
}

std::string ParseSwing(const std::string& value, NoiseOptions& o) {
    const std::optional<double> swing = Positive(value);
    if (!swing) {
        return "--swing needs an amplitude in volts above 0, not '" + value + "'";
    }
    o.settings.swing = swing;
    return {};
}

OptionAction Enabling(NoiseOptions& o, std::string (*parse)(const std::string&, NoiseOptions&)) {
    return [&o, parse](const std::string& value) {
        o.enabled = true;
        return parse(value, o);
    };
}

}  // namespace

OptionGroup NoiseOptionGroup(NoiseOptions& o) {
    constexpr OptionValue kValue = OptionValue::REQUIRED;
    return {"",
            {
                {"--noise", OptionValue::NONE,
                 "  --noise                 print the output noise (rms over the band, referred "
                 "to the\n"
                 "                          input, the largest contributors), each op-amp "
                 "output's peak\n"
                 "                          gain and the largest input before it clips or slews, "
                 "and the\n"
                 "                          figures of the other stage order where it matters\n",
                 Enabling(o, [](const std::string&, NoiseOptions&) { return std::string(); })},
                {"--noise-band", kValue,
                 "  --noise-band F1:F2      band of the rms noise in Hz (default the plot "
                 "range)\n",
                 Enabling(o, ParseBand)},
                {"--swing", kValue,
                 "  --swing V               amplitude the op-amp outputs may reach (default from "
                 "the\n"
                 "                          op-amp's supply and swing, else 10 V)\n",
                 Enabling(o, ParseSwing)},
                {"--noise-csv", kValue,
                 "  --noise-csv OUT.csv     write frequency_hz,total,resistors,opamp_voltage,\n"
                 "                          opamp_current (V/rtHz), stage1_out,... (gain to each "
                 "op-amp\n"
                 "                          output) on the 1501-point grid\n",
                 Enabling(o,
                          [](const std::string& value, NoiseOptions& options) {
                              options.csvPath = value;
                              return std::string();
                          })},
            }};
}

}  // namespace vx::cli
