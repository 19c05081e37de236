#include "cli/design_options.h"

#include <functional>

#include "model/number_format.h"
#include "model/number_text.h"

namespace vx::cli {

namespace {

const char* const kDesignHelp =
    "usage: veltranix-cli design FILE.vxs [options]\n"
    "\n"
    "Loads a specification file, designs the filter and prints the dimensioning and the table\n"
    "of filter parameters. Entered capacitors are taken from the file.\n"
    "\n"
    "options:\n"
    "  --fmin K, --fmax K  plot range as factors of the filter frequency,\n"
    "                      0.01 <= fmin < 1 < fmax <= 100 (default 0.5 and 2)\n"
    "  --curves OUT.csv    write the target, traditional and filter magnitudes and the group\n"
    "                      delay on the 1501-point grid\n"
    "  --save OUT.vxs      write the specification back\n"
    "  --html OUT.htm      write the result as an HTML page, with the stage schematic in\n"
    "                      OUT-Dateien/OUT.png\n"
    "  --filterparams      include the table of filter parameters in the HTML page\n"
    "  --designer TEXT     designer name and organisation for the HTML page and --save\n"
    "  --threads N         search standard values and run the tolerance analysis on N threads\n"
    "                      (default: one per core); the result is the same for every N\n"
    "  --quiet             print no result texts\n"
    "  --help              show this text\n";

struct Option {
    const char* name;
    bool takesValue;
    std::function<void(DesignOptions&, const std::string&)> apply;
};

const Option kOptions[] = {
    {"--fmin", true, [](DesignOptions& o, const std::string& v) { o.fmin = ParseValue(v); }},
    {"--fmax", true, [](DesignOptions& o, const std::string& v) { o.fmax = ParseValue(v); }},
    {"--curves", true, [](DesignOptions& o, const std::string& v) { o.curvesPath = v; }},
    {"--save", true, [](DesignOptions& o, const std::string& v) { o.savePath = v; }},
    {"--html", true, [](DesignOptions& o, const std::string& v) { o.htmlPath = v; }},
    {"--filterparams", false, [](DesignOptions& o, const std::string&) { o.filterParams = true; }},
    {"--designer", true, [](DesignOptions& o, const std::string& v) { o.designer = v; }},
    {"--threads", true,
     [](DesignOptions& o, const std::string& v) {
         const long long n = ParseInt(v);
         o.threads = n >= 1 && n <= 1024 && FormatInt(n) == v ? static_cast<int>(n) : -1;
     }},
    {"--quiet", false, [](DesignOptions& o, const std::string&) { o.quiet = true; }},
    {"--help", false, [](DesignOptions& o, const std::string&) { o.help = true; }},
};

}  // namespace

std::string DesignHelp() {
    return std::string(kDesignHelp) + kPlotOptionsHelp + kSpiceOptionsHelp + kToleranceOptionsHelp;
}

ParsedDesignOptions ParseDesignOptions(const Args& args) {
    ParsedDesignOptions parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            if (!parsed.options.file.empty()) {
                parsed.error = "more than one file given ('" + arg + "')";
                return parsed;
            }
            parsed.options.file = arg;
            continue;
        }
        std::string error;
        if (TakePlotOption(args, i, parsed.options.plot, error) ||
            TakeSpiceOption(args, i, parsed.options.spice, error) ||
            TakeToleranceOption(args, i, parsed.options.tolerance, error)) {
            if (!error.empty()) {
                parsed.error = error;
                return parsed;
            }
            continue;
        }
        const Option* option = nullptr;
        for (const Option& o : kOptions) {
            if (arg == o.name) {
                option = &o;
            }
        }
        if (option == nullptr) {
            parsed.error = "unknown option '" + arg + "' (see --help)";
            return parsed;
        }
        if (option->takesValue && i + 1 >= args.size()) {
            parsed.error = "option " + arg + " needs a value";
            return parsed;
        }
        option->apply(parsed.options, option->takesValue ? args[++i] : std::string());
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
