#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "analysis/plan/plan_text.h"
#include "cli/commands.h"
#include "cli/option_table.h"
#include "model/number_text.h"
#include "model/text_split.h"

namespace vx::cli {

namespace {

constexpr const char* kUsage =
    "usage: veltranix-cli plan lowpass|highpass --passband FP:AMAX --stopband FS:AMIN [--csv]\n"
    "\n"
    "Plans a filter from its tolerance scheme: at most AMAX dB down up to the pass-band edge FP,\n"
    "at least AMIN dB down from the stop-band edge FS on (a high-pass has FS below FP). Prints\n"
    "for Bessel, Butterworth and Chebyshev (ripple AMAX and the usual smaller ripples) the lowest\n"
    "order that meets it, the filter frequency that shares the margin between both edges, the\n"
    "attenuation beyond AMIN at FS, and for a low-pass the pass band's group-delay variation and\n"
    "the step's overshoot. Frequencies take unit prefixes (1k).\n"
    "\n"
    "options:\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "veltranix-cli plan: %s\n", message.c_str());
    return 2;
}

struct PlanOptions {
    std::optional<FilterType> type;
    std::optional<std::pair<double, double>> pass;
    std::optional<std::pair<double, double>> stop;
    bool csv = false;
    bool help = false;
};

// "F:DB" with both above 0.
std::optional<std::pair<double, double>> Edge(const std::string& text) {
    const std::vector<std::string> parts = SplitText(text, ':');
    if (parts.size() != 2) {
        return std::nullopt;
    }
    const std::optional<double> f = ParseValueText(parts[0]);
    const std::optional<double> db = ParseValueText(parts[1]);
    if (!f || !db || !(*f > 0.0) || !(*db > 0.0) || !std::isfinite(*f) || !std::isfinite(*db)) {
        return std::nullopt;
    }
    return std::pair(*f, *db);
}

OptionAction EdgeOption(const char* name, std::optional<std::pair<double, double>>& target) {
    return [name, &target](const std::string& value) {
        target = Edge(value);
        return target ? std::string()
                      : std::string(name) + " needs F:DB with both above 0, not '" + value + "'";
    };
}

CommandGrammar Grammar(PlanOptions& o) {
    return {
        {{"option ",
          {{"--passband", OptionValue::REQUIRED,
            "  --passband FP:AMAX   pass-band edge in Hz and the most attenuation there in dB\n",
            EdgeOption("--passband", o.pass)},
           {"--stopband", OptionValue::REQUIRED,
            "  --stopband FS:AMIN   stop-band edge in Hz and the least attenuation from there "
            "in dB\n",
            EdgeOption("--stopband", o.stop)},
           FlagOption("--csv",
                      "  --csv                characteristic,ripple_db,order,frequency_hz,"
                      "stop_margin_db,\n"
                      "                       delay_variation_pct,overshoot_pct\n",
                      o.csv),
           {"--help", OptionValue::ENDS_LINE, "  --help               show this text\n",
            [&o](const std::string&) {
                o.help = true;
                return std::string();
            }}}}},
        "--",
        [&o](const std::string& word) {
            if (o.type) {
                return "more than one type given ('" + word + "')";
            }
            if (word == "lowpass" || word == "highpass") {
                o.type = word == "lowpass" ? FilterType::LOWPASS : FilterType::HIGHPASS;
                return std::string();
            }
            if (word == "bandpass" || word == "bandreject") {
                return std::string("band-pass and band-stop schemes are not planned yet");
            }
            return "unknown type '" + word + "' (lowpass or highpass)";
        }};
}

}  // namespace

int RunPlan(const Args& args) {
    PlanOptions o;
    const CommandGrammar grammar = Grammar(o);
    if (const std::string error = ParseArguments(grammar, args); !error.empty()) {
        return Fail(error);
    }
    if (o.help) {
        std::fputs((std::string(kUsage) + OptionsHelp(grammar)).c_str(), stdout);
        return 0;
    }
    if (!o.type || !o.pass || !o.stop) {
        return Fail("needs a type, --passband and --stopband (see --help)");
    }
    const bool high = *o.type == FilterType::HIGHPASS;
    const auto [fp, amax] = *o.pass;
    const auto [fs, amin] = *o.stop;
    if (high ? !(fs < fp) : !(fs > fp)) {
        return Fail(high ? "a high-pass needs its stop-band edge below its pass-band edge"
                         : "a low-pass needs its stop-band edge above its pass-band edge");
    }
    if (!(amin > amax)) {
        return Fail("AMIN must be above AMAX");
    }
    const std::vector<PlanRow> rows = PlanOrders({*o.type, fp, amax, fs, amin});
    if (o.csv) {
        std::fputs(PlanCsv(rows).c_str(), stdout);
        return 0;
    }
    for (const std::string& line : PlanTableLines(rows)) {
        std::fputs((line + "\n").c_str(), stdout);
    }
    return 0;
}

}  // namespace vx::cli
