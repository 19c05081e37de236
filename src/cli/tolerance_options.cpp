#include "cli/tolerance_options.h"

#include <algorithm>
#include <vector>

#include "analysis/tolerance_input.h"
#include "model/number_format.h"

namespace vx::cli {

const char* const kToleranceOptionsHelp =
    "  --tolerance [R=1%,C=5%,GBW=20%]\n"
    "                          analyse how the parts' tolerances spread the response (Monte\n"
    "                          Carlo): resistors (default by series: E12/E24 5 %, E48 2 %,\n"
    "                          E96 1 %, E192 0.5 %), capacitors (default 5 %) and the op-amps'\n"
    "                          gain-bandwidth product (default none); prints the figures, the\n"
    "                          yield and the sensitivities, and --plot shows the 5-95 % band\n"
    "  --distribution D        uniform (default) or normal (the tolerance is 3 sigma)\n"
    "  --runs N                runs of the analysis, 1 to 10000 (default 1000)\n"
    "  --seed S                seed of the random numbers (default 1); the same seed gives the\n"
    "                          same result on any number of threads\n"
    "  --tolerance-csv OUT.csv write frequency_hz,filter,median,q05,q95,min,max on the\n"
    "                          1501-point grid (linear magnitudes)\n";

namespace {

bool ParseToleranceList(const std::string& list, ToleranceOptions& options, std::string& error) {
    // Items are split at commas; a piece without "=" continues the one before after a decimal
    // comma ("C=2,5%").
    std::vector<std::string> items;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = std::min(list.find(',', start), list.size());
        std::string piece = list.substr(start, comma - start);
        start = comma + 1;
        if (!items.empty() && piece.find('=') == std::string::npos) {
            items.back() += "," + piece;
        } else {
            items.push_back(std::move(piece));
        }
    }
    for (const std::string& item : items) {
        const size_t equals = item.find('=');
        const std::string key = item.substr(0, equals);
        std::optional<double>* target = key == "R"     ? &options.resistor
                                        : key == "C"   ? &options.capacitor
                                        : key == "GBW" ? &options.gainBandwidth
                                                       : nullptr;
        const std::optional<double> value =
            equals == std::string::npos ? std::nullopt : ParsePercent(item.substr(equals + 1));
        if (target == nullptr || !value) {
            error = "--tolerance: '" + item + "' is not R=, C= or GBW= with a percentage";
            return false;
        }
        *target = value;
    }
    return true;
}

}  // namespace

bool TakeToleranceOption(const Args& args, std::size_t& i, ToleranceOptions& options,
                         std::string& error) {
    const std::string& name = args[i];
    if (name == "--tolerance") {
        options.enabled = true;
        if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0 &&
            args[i + 1].find('=') != std::string::npos) {
            ParseToleranceList(args[++i], options, error);
        }
        return true;
    }
    if (name != "--distribution" && name != "--runs" && name != "--seed" &&
        name != "--tolerance-csv") {
        return false;
    }
    options.enabled = true;
    if (i + 1 >= args.size()) {
        error = name + " needs a value";
        return true;
    }
    const std::string& value = args[++i];
    if (name == "--distribution") {
        if (value == "uniform") {
            options.distribution = ToleranceDistribution::UNIFORM;
        } else if (value == "normal") {
            options.distribution = ToleranceDistribution::NORMAL;
        } else {
            error = "--distribution is uniform or normal, not '" + value + "'";
        }
    } else if (name == "--runs") {
        const long long n = ParseInt(value);
        if (n < 1 || n > ToleranceSettings::kMaxRuns || FormatInt(n) != value) {
            error =
                "--runs needs a whole number from 1 to " + FormatInt(ToleranceSettings::kMaxRuns);
        } else {
            options.runs = static_cast<int>(n);
        }
    } else if (name == "--seed") {
        // The window's range, so that a run chosen there can be repeated here.
        if (const std::optional<uint64_t> seed = ParseSeed(value)) {
            options.seed = *seed;
        } else {
            error = "--seed needs a whole number from 0 to 18446744073709551615";
        }
    } else {
        options.csvPath = value;
    }
    return true;
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
