#include "cli/design_options.h"

#include "model/number_format.h"
#include "model/number_text.h"

namespace vx::cli {

namespace {

const char* const kDesignUsage =
    "usage: veltranix-cli design FILE.vxs [options]\n"
    "\n"
    "Loads a specification file, designs the filter and prints the dimensioning and the table\n"
    "of filter parameters. Entered capacitors are taken from the file.\n"
    "\n"
    "options:\n";

OptionAction Factor(std::optional<double>& target) {
    return [&target](const std::string& value) {
        target = ParseValue(value);
        return std::string();
    };
}

// The word or number is checked after the other arguments are read.
OptionAction Given(std::optional<std::string>& target) {
    return [&target](const std::string& value) {
        target = value;
        return std::string();
    };
}

// A bad thread count is reported after the other arguments are read.
OptionAction Threads(int& target) {
    return [&target](const std::string& value) {
        const long long n = ParseInt(value);
        target = n >= 1 && n <= 1024 && FormatInt(n) == value ? static_cast<int>(n) : -1;
        return std::string();
    };
}

OptionGroup DesignOptionGroup(DesignOptions& o) {
    constexpr OptionValue kValue = OptionValue::REQUIRED;
    return {"option ",
            {
                {"--fmin", kValue,
                 "  --fmin K, --fmax K  plot range as factors of the filter frequency,\n"
                 "                      0.01 <= fmin < 1 < fmax <= 100 (default 0.5 and 2)\n",
                 Factor(o.fmin)},
                {"--fmax", kValue, "", Factor(o.fmax)},
                TextOption("--curves",
                           "  --curves OUT.csv    write the target, traditional and filter "
                           "magnitudes, the group\n"
                           "                      delay and the phases on the 1501-point grid\n",
                           o.curvesPath),
                TextOption("--step-csv",
                           "  --step-csv OUT.csv  write the step responses of the target and the "
                           "filter (1 V step,\n"
                           "                      five periods of the filter frequency)\n",
                           o.stepPath),
                TextOption("--save", "  --save OUT.vxs      write the specification back\n",
                           o.savePath),
                TextOption("--html",
                           "  --html OUT.htm      write the result as an HTML page, with the stage "
                           "schematic in\n"
                           "                      OUT-Dateien/OUT.png\n",
                           o.htmlPath),
                FlagOption("--filterparams",
                           "  --filterparams      include the table of filter parameters in the "
                           "HTML page\n",
                           o.filterParams),
                TextOption("--designer",
                           "  --designer TEXT     designer name and organisation for the HTML page "
                           "and --save\n",
                           o.designer),
                TextOption("--bom",
                           "  --bom OUT.csv       write the parts list: Spice designators, value, "
                           "series,\n"
                           "                      tolerance and count\n",
                           o.partsListPath),
                {"--threads", kValue,
                 "  --threads N         search standard values and run the tolerance analysis on "
                 "N threads\n"
                 "                      (default: one per core); the result is the same for every "
                 "N\n",
                 Threads(o.threads)},
                {"--search", kValue,
                 "  --search S          standard-value search for this run in place of the "
                 "file's:\n"
                 "                      exhaustive or neighbours (--save writes it)\n",
                 Given(o.search)},
                {"--window", kValue,
                 "  --window K          impedance window of the exhaustive search, 1.5 <= K <= "
                 "100\n"
                 "                      (default: the file's, else 3.16)\n",
                 Given(o.window)},
                FlagOption("--quiet", "  --quiet             print no result texts\n", o.quiet),
                FlagOption("--help", "  --help              show this text\n", o.help),
            }};
}

CommandGrammar DesignGrammar(DesignOptions& o) {
    return {{DesignOptionGroup(o), PlotOptionGroup(o.plot), SpiceOptionGroup(o.spice),
             ToleranceOptionGroup(o.tolerance), NoiseOptionGroup(o.noise)},
            "--",
            [&o](const std::string& file) {
                if (!o.file.empty()) {
                    return "more than one file given ('" + file + "')";
                }
                o.file = file;
                return std::string();
            }};
}

}  // namespace

std::string DesignHelp() {
    DesignOptions unused;
    return kDesignUsage + OptionsHelp(DesignGrammar(unused));
}

ParsedDesignOptions ParseDesignOptions(const Args& args) {
    ParsedDesignOptions parsed;
    parsed.error = ParseArguments(DesignGrammar(parsed.options), args);
    if (!parsed.error.empty()) {
        return parsed;
    }
    if (parsed.options.threads < 0) {
        parsed.error = "--threads needs a whole number from 1 to 1024";
        return parsed;
    }
    if (parsed.options.file.empty() && !parsed.options.help) {
        parsed.error = "no specification file given (see --help)";
    }
    return parsed;
}

}  // namespace vx::cli
