#include "cli/spice_options.h"

#include <variant>

#include "model/number_format.h"
#include "session/design_session.h"
#include "spice/pspice.h"
#include "spice/spice_defaults.h"
#include "spice/verify.h"

namespace vx::cli {

namespace {

SpiceSettings SettingsFor(const SpiceOptions& options) {
    SpiceSettings settings = DefaultSpiceSettings();
    if (!options.dir.empty()) {
        settings.tmpPath = options.dir;
    }
    return settings;
}

}  // namespace

OptionGroup SpiceOptionGroup(SpiceOptions& o) {
    return {"",
            {
                {"--spice", OptionValue::REQUIRED,
                 "  --spice MODE            write the Spice netlist (.cir) and display file (.prb) "
                 "of an\n"
                 "                          analysis: 1 amplitude in dB, 2 amplitude linear, 3 "
                 "phase,\n"
                 "                          4 group delay, 5 step response, 6 "
                 "amplitude+phase+delay\n",
                 [&o](const std::string& value) {
                     if (value.size() != 1 || value[0] < '1' || value[0] > '6') {
                         return "--spice: the mode is 1 to 6, not '" + value + "'";
                     }
                     o.mode = value[0] - '0';
                     return std::string();
                 }},
                TextOption("--spice-dir",
                           "  --spice-dir DIR         folder for the Spice files (default: the "
                           "temporary folder)\n",
                           o.dir),
                FlagOption("--verify",
                           "  --verify                simulate the design in ngspice and print the "
                           "largest deviation\n"
                           "                          from the program's response in dB (exit "
                           "status 1 above 0.05 dB)\n",
                           o.verify),
            }};
}

std::optional<UserMessage> WriteSpiceFiles(CDesignSession& session, const SpiceOptions& options) {
    const CPspice spice(session.Filter(), session.OpAmps(), SettingsFor(options));
    return spice.WriteFiles(static_cast<SpiceMode>(options.mode));
}

int VerifySpice(CDesignSession& session, const SpiceOptions& options, std::FILE* out,
                std::FILE* err) {
    const std::variant<SpiceVerification, UserMessage> result =
        VerifyWithNgspice(session, SettingsFor(options));
    if (const auto* failure = std::get_if<UserMessage>(&result)) {
        std::fprintf(err, "%s: %s\n", failure->caption.c_str(), failure->text.c_str());
        return 2;
    }
    const SpiceVerification& v = std::get<SpiceVerification>(result);
    const bool within = v.maxDeviationDb <= kVerifyToleranceDb;
    std::fprintf(out, "ngspice: largest deviation %s dB at %s Hz over %s frequencies: %s\n",
                 FormatG(v.maxDeviationDb, 3).c_str(), FormatG(v.worstFrequency).c_str(),
                 FormatInt(v.points).c_str(), within ? "ok" : "too large");
    return within ? 0 : 1;
}

}  // namespace vx::cli
