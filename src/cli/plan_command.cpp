#include <cstdio>
#include <optional>
#include <string>
#include <variant>

#include "analysis/plan/plan_text.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "cli/option_table.h"
#include "cli/scheme_options.h"
#include "model/enum_words.h"

namespace vx::cli {

namespace {

constexpr const char* kCommand = "plan";

constexpr const char* kUsage =
    "usage: veltranix-cli plan TYPE --passband FP:AMAX --stopband FS:AMIN [--delay-variation P]\n"
    "                          [--overshoot P] [--csv]\n"
    "\n"
    "Plans a filter from its tolerance scheme. TYPE is lowpass, highpass, bandpass or\n"
    "bandreject. A low-pass is at most AMAX dB down up to its pass-band edge FP and at least\n"
    "AMIN dB down from its stop-band edge FS on; a high-pass has FS below FP. A band-pass has\n"
    "its pass band F1..F2 inside the stop-band edges, a band-stop its stop band inside the\n"
    "pass-band edges. Prints for Bessel, Butterworth and Chebyshev (ripple AMAX and the usual\n"
    "smaller ripples) the lowest order that meets the scheme, the op-amps per structure, the\n"
    "filter frequency (and bandwidth or quality) that shares the margin between the edges, the\n"
    "attenuation beyond AMIN at the stop edge, the pass band's group-delay variation and the\n"
    "step's overshoot, and whether the optional limits hold. A band-stop is one twin-T notch.\n"
    "Numbers take unit prefixes and a decimal comma (1k, 0,5).\n"
    "\n"
    "options:\n";

struct PlanOptions {
    std::optional<FilterType> type;
    SchemeTexts scheme;
    bool csv = false;
    bool help = false;
};

CommandGrammar Grammar(PlanOptions& o) {
    std::vector<Option> options = SchemeOptions(o.scheme);
    options.push_back(
        FlagOption("--csv",
                   "  --csv                characteristic,ripple_db,order,frequency_hz,"
                   "stop_margin_db,\n"
                   "                       delay_variation_pct,overshoot_pct,"
                   "bandwidth_hz,quality,\n"
                   "                       meets_limits\n",
                   o.csv));
    options.push_back({"--help", OptionValue::ENDS_LINE, "  --help               show this text\n",
                       [&o](const std::string&) {
                           o.help = true;
                           return std::string();
                       }});
    return {{{"option ", std::move(options)}}, "--", [&o](const std::string& word) {
                if (o.type) {
                    return "more than one type given ('" + word + "')";
                }
                o.type = EnumOfWord<FilterType>(word, WordColumn::COMMAND_LINE);
                return o.type ? std::string()
                              : "unknown type '" + word +
                                    "' (lowpass, highpass, bandpass or bandreject)";
            }};
}

}  // namespace

int RunPlan(const Args& args) {
    PlanOptions o;
    const CommandGrammar grammar = Grammar(o);
    if (const std::string error = ParseArguments(grammar, args); !error.empty()) {
        return UsageError(kCommand, error);
    }
    if (o.help) {
        std::fputs((std::string(kUsage) + OptionsHelp(grammar)).c_str(), stdout);
        return 0;
    }
    if (!o.type) {
        return UsageError(kCommand, "needs a type (see --help)");
    }
    const auto scheme = ReadScheme(kCommand, *o.type, o.scheme);
    if (const int* status = std::get_if<int>(&scheme)) {
        return *status;
    }
    const ToleranceScheme& s = std::get<ToleranceScheme>(scheme);
    const std::vector<PlanRow> rows = PlanOrders(s);
    if (o.csv) {
        std::fputs(PlanCsv(rows).c_str(), stdout);
        return 0;
    }
    for (const std::string& line : PlanTableLines(MakePlanTable(s, rows))) {
        std::fputs((line + "\n").c_str(), stdout);
    }
    return 0;
}

}  // namespace vx::cli
