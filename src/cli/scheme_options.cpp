#include "cli/scheme_options.h"

#include "cli/cli_output.h"
#include "model/gain_fields.h"
#include "model/text_split.h"

namespace vx::cli {

namespace {

OptionAction Store(std::optional<std::string>& target) {
    return [&target](const std::string& value) {
        target = value;
        return std::string();
    };
}

}  // namespace

std::vector<Option> SchemeOptions(SchemeTexts& texts) {
    return {
        {"--passband", OptionValue::REQUIRED,
         "  --passband FP:AMAX   pass-band edge in Hz and the most attenuation there in dB;\n"
         "                       band-pass and band-stop: F1:F2:AMAX, the pass band's edges\n",
         Store(texts.pass)},
        {"--stopband", OptionValue::REQUIRED,
         "  --stopband FS:AMIN   stop-band edge in Hz and the least attenuation from there on;\n"
         "                       band-pass and band-stop: F1:F2:AMIN, the stop band's edges\n",
         Store(texts.stop)},
        {"--delay-variation", OptionValue::REQUIRED,
         "  --delay-variation P  largest group-delay variation in the pass band, per cent\n"
         "                       (low-pass, band-pass)\n",
         Store(texts.delayVariation)},
        {"--overshoot", OptionValue::REQUIRED,
         "  --overshoot P        largest step overshoot, per cent (low-pass)\n",
         Store(texts.overshoot)},
    };
}

std::variant<ToleranceScheme, int> ReadScheme(const std::string& command, FilterType type,
                                              const SchemeTexts& texts) {
    if (!texts.pass || !texts.stop) {
        return UsageError(command, "a tolerance scheme needs --passband and --stopband");
    }
    const bool band = IsBandScheme(type);
    const size_t fields = band ? 3 : 2;
    const std::vector<std::string> pass = SplitText(*texts.pass, ':');
    const std::vector<std::string> stop = SplitText(*texts.stop, ':');
    if (pass.size() != fields || stop.size() != fields) {
        return UsageError(command, band ? "--passband and --stopband need F1:F2:DB here"
                                        : "--passband and --stopband need F:DB here");
    }
    ToleranceScheme s;
    s.type = type;
    s.passEdge = FieldNumber(pass[0]);
    s.stopEdge = FieldNumber(stop[0]);
    if (band) {
        s.passEdgeHigh = FieldNumber(pass[1]);
        s.stopEdgeHigh = FieldNumber(stop[1]);
    }
    s.passAttenuation = FieldNumber(pass.back());
    s.stopAttenuation = FieldNumber(stop.back());
    if (texts.delayVariation) {
        s.delayVariationPercent = FieldNumber(*texts.delayVariation);
    }
    if (texts.overshoot) {
        s.overshootPercent = FieldNumber(*texts.overshoot);
    }
    if (const auto error = CheckScheme(s)) {
        PrintMessage(error->message);
        return 2;
    }
    return s;
}

}  // namespace vx::cli
