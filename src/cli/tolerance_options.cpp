#include "cli/tolerance_options.h"

#include <vector>

#include "analysis/tolerance_input.h"
#include "model/enum_words.h"
#include "model/number_format.h"
#include "model/text_split.h"

namespace vx::cli {

namespace {

constexpr EnumWord<ToleranceDistribution> kDistributions[] = {
    {ToleranceDistribution::UNIFORM, "uniform", ""},
    {ToleranceDistribution::NORMAL, "normal", ""},
};

// Items are split at commas; a piece without "=" continues the one before after a decimal comma
// ("C=2,5%").
std::vector<std::string> ToleranceItems(const std::string& list) {
    std::vector<std::string> items;
    for (std::string& piece : SplitText(list, ',')) {
        if (!items.empty() && piece.find('=') == std::string::npos) {
            items.back() += "," + piece;
        } else {
            items.push_back(std::move(piece));
        }
    }
    return items;
}

std::string ParseToleranceList(const std::string& list, ToleranceOptions& options) {
    if (list.empty()) {
        return {};  // "--tolerance" alone keeps the defaults
    }
    for (const std::string& item : ToleranceItems(list)) {
        const size_t equals = item.find('=');
        const std::string key = item.substr(0, equals);
        std::optional<double>* target = key == "R"     ? &options.resistor
                                        : key == "C"   ? &options.capacitor
                                        : key == "GBW" ? &options.gainBandwidth
                                                       : nullptr;
        const std::optional<double> value =
            equals == std::string::npos ? std::nullopt : ParsePercent(item.substr(equals + 1));
        if (target == nullptr || !value) {
            return "--tolerance: '" + item + "' is not R=, C= or GBW= with a percentage";
        }
        *target = value;
    }
    return {};
}

std::string ParseDistribution(const std::string& value, ToleranceOptions& options) {
    const auto distribution =
        EnumOfWord<ToleranceDistribution>(kDistributions, value, WordColumn::COMMAND_LINE);
    if (!distribution) {
        return "--distribution is uniform or normal, not '" + value + "'";
    }
    options.distribution = *distribution;
    return {};
}

std::string ParseRuns(const std::string& value, ToleranceOptions& options) {
    const long long n = ParseInt(value);
    if (n < 1 || n > ToleranceSettings::kMaxRuns || FormatInt(n) != value) {
        return "--runs needs a whole number from 1 to " + FormatInt(ToleranceSettings::kMaxRuns);
    }
    options.runs = static_cast<int>(n);
    return {};
}

// The window's range, so that a run chosen there can be repeated here.
std::string ParseSeedOption(const std::string& value, ToleranceOptions& options) {
    const std::optional<uint64_t> seed = ParseSeed(value);
    if (!seed) {
        return "--seed needs a whole number from 0 to 18446744073709551615";
    }
    options.seed = *seed;
    return {};
}

// Any tolerance option asks for the analysis.
OptionAction Enabling(ToleranceOptions& o,
                      std::string (*parse)(const std::string&, ToleranceOptions&)) {
    return [&o, parse](const std::string& value) {
        o.enabled = true;
        return parse(value, o);
    };
}

}  // namespace

OptionGroup ToleranceOptionGroup(ToleranceOptions& o) {
    constexpr OptionValue kValue = OptionValue::REQUIRED;
    return {
        "",
        {
            {"--tolerance", OptionValue::LIST_IF_GIVEN,
             "  --tolerance [R=1%,C=5%,GBW=20%]\n"
             "                          analyse how the parts' tolerances spread the response "
             "(Monte\n"
             "                          Carlo): resistors (default by series: E12/E24 5 %, E48 "
             "2 %,\n"
             "                          E96 1 %, E192 0.5 %), capacitors (default 5 %) and the "
             "op-amps'\n"
             "                          gain-bandwidth product (default none); prints the "
             "figures, the\n"
             "                          yield and the sensitivities, and --plot shows the 5-95 % "
             "band\n",
             Enabling(o, ParseToleranceList)},
            {"--distribution", kValue,
             "  --distribution D        uniform (default) or normal (the tolerance is 3 sigma)\n",
             Enabling(o, ParseDistribution)},
            {"--runs", kValue,
             "  --runs N                runs of the analysis, 1 to 10000 (default 1000)\n",
             Enabling(o, ParseRuns)},
            {"--seed", kValue,
             "  --seed S                seed of the random numbers (default 1); the same seed "
             "gives the\n"
             "                          same result on any number of threads\n",
             Enabling(o, ParseSeedOption)},
            {"--tolerance-csv", kValue,
             "  --tolerance-csv OUT.csv write frequency_hz,filter,median,q05,q95,min,max on the\n"
             "                          1501-point grid (linear magnitudes)\n",
             Enabling(o,
                      [](const std::string& value, ToleranceOptions& options) {
                          options.csvPath = value;
                          return std::string();
                      })},
        }};
}

ToleranceSettings SettingsFor(const ToleranceOptions& options, const CFilter& filter, int threads) {
    ToleranceSettings settings = ToleranceSettings::For(filter);
    settings.resistorTolerance = options.resistor.value_or(settings.resistorTolerance);
    settings.capacitorTolerance = options.capacitor.value_or(settings.capacitorTolerance);
    settings.gainBandwidthSpread = options.gainBandwidth.value_or(settings.gainBandwidthSpread);
    settings.distribution = options.distribution;
    settings.runs = options.runs;
    settings.seed = options.seed;
    settings.threads = threads;
    return settings;
}

}  // namespace vx::cli
