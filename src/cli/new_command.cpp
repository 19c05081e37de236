#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/cli_output.h"
#include "cli/commands.h"
#include "files/specification_writer.h"
#include "model/band_edges_input.h"
#include "model/bp_input.h"
#include "model/br_tt_input.h"
#include "model/character.h"
#include "model/circuit_pairs.h"
#include "model/filter.h"
#include "model/gain_fields.h"
#include "model/hp_lp_input.h"
#include "model/number_text.h"
#include "model/opv.h"
#include "model/stage_gain_input.h"

namespace vx::cli {

namespace {

constexpr const char* kCommand = "new";

constexpr const char* kHelp =
    "usage: veltranix-cli new TYPE STRUCTURE [options] -o FILE.vxs\n"
    "\n"
    "Checks a filter specification as the input dialog does and writes it to a file.\n"
    "TYPE is lowpass, highpass, bandpass or bandreject; STRUCTURE is sk, skx (third order with\n"
    "one op-amp), mfb or twin-t. Numbers take unit prefixes and a decimal comma: 4k7, 2,2n.\n"
    "\n"
    "options (defaults in brackets):\n"
    "  --characteristic C   bessel, butterworth, chebyshev or individual [bessel]\n"
    "  --ripple DB          Chebyshev ripple, 0 < DB <= 20 [1]\n"
    "  --order N            1..30; band-pass 2..30, even [2]\n"
    "  --frequency HZ       cut-off or centre frequency [1k]\n"
    "  --bandwidth HZ       band-pass bandwidth [100]\n"
    "  --edges F1:F2        band-pass band edges instead of frequency and bandwidth\n"
    "  --q Q                band-stop quality, >= 0.5 [10]\n"
    "  --gain X | --gain-db DB   pass-band gain, linear or in dB [0 dB]\n"
    "  --impedance OHM      impedance level [10k]\n"
    "  --series E           E12, E24, E48, E96 or E192 [E24]\n"
    "  --sequence S         high-level or low-noise [high-level]\n"
    "  --distribution D     equal, equal-gbp or values [equal]\n"
    "  --stage-gains G1:G2:...   linear gain per stage (with --distribution values);\n"
    "                       the filter's gain is their product\n"
    "  --poles W1:Q1/W2:Q2/...   normalised pole frequency and Q per stage (individual)\n"
    "  --capacitors M       optimize or enter [optimize]\n"
    "  --capacitor-values C1:C2[:C3]/...   capacitors per stage (with --capacitors enter)\n"
    "  --equal-capacitors   all capacitors equal (skx only, needs 6 dB of gain)\n"
    "  --stepless-r2        R2 of the band-pass is not a standard value\n"
    "  --opamp NAME         ideal or an op-amp model [ideal]\n"
    "  -o FILE.vxs          the file to write\n";

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::vector<std::vector<double>> StageLists(const std::string& text) {
    std::vector<std::vector<double>> stages;
    for (const std::string& stage : Split(text, '/')) {
        std::vector<double> values;
        for (const std::string& v : Split(stage, ':')) {
            values.push_back(ParseValue(v));
        }
        stages.push_back(values);
    }
    return stages;
}

template <class E>
std::optional<E> Lookup(const std::map<std::string, E>& words, const std::string& word) {
    const auto it = words.find(word);
    return it == words.end() ? std::nullopt : std::optional<E>(it->second);
}

int PrintInputError(const UserMessage& message) {
    PrintMessage(message);
    return 2;
}

// Everything the command line said, before the checks of the dialog.
struct NewOptions {
    std::map<std::string, std::string> values;
    std::vector<std::string> flags;
    std::vector<std::string> positional;
    bool Has(const std::string& name) const { return values.count(name) != 0; }
    bool Flag(const std::string& name) const {
        for (const std::string& f : flags) {
            if (f == name) {
                return true;
            }
        }
        return false;
    }
    double Number(const std::string& name, double fallback) const {
        return Has(name) ? ParseValue(values.at(name)) : fallback;
    }
};

}  // namespace

int RunNew(const Args& args) {
    static const char* const kValueOptions[] = {"--characteristic",
                                                "--ripple",
                                                "--order",
                                                "--frequency",
                                                "--bandwidth",
                                                "--edges",
                                                "--q",
                                                "--gain",
                                                "--gain-db",
                                                "--impedance",
                                                "--series",
                                                "--sequence",
                                                "--distribution",
                                                "--stage-gains",
                                                "--poles",
                                                "--capacitors",
                                                "--opamp",
                                                "--capacitor-values",
                                                "-o"};
    NewOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (arg == "--equal-capacitors" || arg == "--stepless-r2") {
            o.flags.push_back(arg);
            continue;
        }
        bool known = false;
        for (const char* name : kValueOptions) {
            known = known || arg == name;
        }
        if (known) {
            if (i + 1 >= args.size()) {
                return UsageError(kCommand, "option " + arg + " needs a value");
            }
            o.values[arg] = args[++i];
        } else if (arg.rfind("-", 0) == 0) {
            return UsageError(kCommand, "unknown option '" + arg + "' (see --help)");
        } else {
            o.positional.push_back(arg);
        }
    }
    if (o.positional.size() != 2) {
        return UsageError(kCommand, "give TYPE and STRUCTURE (see --help)");
    }
    if (!o.Has("-o")) {
        return UsageError(kCommand, "missing -o FILE.vxs");
    }
    const auto type = Lookup<FilterType>({{"lowpass", FilterType::LOWPASS},
                                          {"highpass", FilterType::HIGHPASS},
                                          {"bandpass", FilterType::BANDPASS},
                                          {"bandreject", FilterType::BANDREJECT}},
                                         o.positional[0]);
    const auto structure = Lookup<StructureKind>({{"sk", StructureKind::SALLEN_KEY},
                                                  {"skx", StructureKind::SALLEN_KEY_X},
                                                  {"mfb", StructureKind::MFB},
                                                  {"twin-t", StructureKind::TWIN_T}},
                                                 o.positional[1]);
    if (!type || !structure) {
        return UsageError(kCommand, "unknown type or structure '" + o.positional[0] + " " +
                                        o.positional[1] + "' (see --help)");
    }
    const bool lowHigh = *type == FilterType::LOWPASS || *type == FilterType::HIGHPASS;
    if (!HasCircuit(*type, *structure)) {
        return UsageError(kCommand,
                          "no circuit for " + o.positional[0] + " with " + o.positional[1]);
    }

    CFilter filter;
    CCharacter character;
    const COpv opv;
    const auto characteristic = Lookup<Characteristic>(
        {{"bessel", Characteristic::BESSEL},
         {"butterworth", Characteristic::BUTTERWORTH},
         {"chebyshev", Characteristic::CHEBYCHEV},
         {"individual", Characteristic::INDIVIDUAL}},
        o.values.count("--characteristic") ? o.values["--characteristic"] : "bessel");
    const auto series = Lookup<ResistorSeries>({{"E12", ResistorSeries::E12},
                                                {"E24", ResistorSeries::E24},
                                                {"E48", ResistorSeries::E48},
                                                {"E96", ResistorSeries::E96},
                                                {"E192", ResistorSeries::E192}},
                                               o.Has("--series") ? o.values["--series"] : "E24");
    const auto sequence = Lookup<StageSequence>(
        {{"high-level", StageSequence::HIGH_LEVEL}, {"low-noise", StageSequence::LOW_NOISE}},
        o.Has("--sequence") ? o.values["--sequence"] : "high-level");
    const auto distribution =
        Lookup<GainDistribution>({{"equal", GainDistribution::EQUAL},
                                  {"equal-gbp", GainDistribution::EQUAL_GBP},
                                  {"values", GainDistribution::VALUES}},
                                 o.Has("--distribution") ? o.values["--distribution"] : "equal");
    const auto mode = Lookup<CapacitorMode>(
        {{"enter", CapacitorMode::ENTER}, {"optimize", CapacitorMode::OPTIMIZE}},
        o.Has("--capacitors") ? o.values["--capacitors"] : "optimize");
    if (!characteristic || !series || !sequence || !distribution || !mode) {
        return UsageError(kCommand,
                          "unknown word for --characteristic, --series, --sequence, "
                          "--distribution or --capacitors (see --help)");
    }
    const int opAmp = o.Has("--opamp") ? opv.FindByName(o.values["--opamp"]) : 0;
    if (opAmp < 0) {
        return UsageError(kCommand, "unknown op-amp '" + o.values["--opamp"] + "'");
    }
    double gainDb = o.Number("--gain-db", 0.0);
    if (o.Has("--gain")) {
        const double linear = o.Number("--gain", 1.0);
        if (!(linear > 0.0)) {
            return UsageError(kCommand, "the linear gain must be above 0");
        }
        gainDb = 20.0 * std::log10(linear);
    }
    const int order = static_cast<int>(o.Number("--order", 2.0));

    if (lowHigh) {
        if (*distribution == GainDistribution::VALUES) {
            StageGains gains;
            gains.fill(1.0);
            const auto given = Split(o.Has("--stage-gains") ? o.values["--stage-gains"] : "", ':');
            for (size_t i = 0; i < given.size() && i < gains.size(); ++i) {
                gains[i] = ParseValue(given[i]);
            }
            if (auto error = AcceptStageGains(gains, filter)) {
                return PrintInputError(*error);
            }
            gainDb = StageGainProductDb(gains, order);
        }
        if (o.Has("--poles")) {
            const auto poles = StageLists(o.values["--poles"]);
            for (size_t i = 0; i < poles.size() && i < character.individualQ.size(); ++i) {
                character.individualFrequency[i] = poles[i].size() > 0 ? poles[i][0] : 0.0;
                character.individualQ[i] = poles[i].size() > 1 ? poles[i][1] : 0.0;
            }
        }
        HpLpInput in = HpLpInputFrom(filter, *structure);
        in.characteristic = *characteristic;
        in.rippleDb = o.Number("--ripple", 1.0);
        in.order = *structure == StructureKind::SALLEN_KEY_X ? 3 : order;
        in.frequency = o.Number("--frequency", 1000.0);
        in.impedance = o.Number("--impedance", 10000.0);
        in.gainDb = gainDb;
        in.sequence = *sequence;
        in.series = *series;
        in.distribution = *distribution;
        in.capacitorMode = *mode;
        in.opAmp = opAmp;
        in.equalCapacitors = o.Flag("--equal-capacitors");
        if (auto error = AcceptHpLpInput(in, *type, *structure, filter, character)) {
            return PrintInputError(error->message);
        }
    } else if (*type == FilterType::BANDPASS) {
        BpInput in = BpInputFrom(filter);
        in.order = order;
        in.frequency = o.Number("--frequency", 1000.0);
        in.bandwidth = o.Number("--bandwidth", 100.0);
        if (o.Has("--edges")) {
            const auto edges = Split(o.values["--edges"], ':');
            const auto converted = ConvertBandEdges(ParseValue(edges[0]),
                                                    edges.size() > 1 ? ParseValue(edges[1]) : 0.0);
            if (const auto* message = std::get_if<UserMessage>(&converted)) {
                return PrintInputError(*message);
            }
            in.frequency = std::get<CentreAndBandwidth>(converted).centre;
            in.bandwidth = std::get<CentreAndBandwidth>(converted).bandwidth;
        }
        in.gainDb = gainDb;
        in.impedance = o.Number("--impedance", 10000.0);
        if (*characteristic == Characteristic::INDIVIDUAL) {
            return UsageError(kCommand, "the band-pass has no individual characteristic");
        }
        if (*distribution == GainDistribution::VALUES) {
            return UsageError(kCommand, "the band-pass takes no gains per stage");
        }
        in.characteristic = *characteristic;
        in.rippleDb = o.Number("--ripple", 1.0);
        in.sequence = *sequence;
        in.series = *series;
        in.steplessR2 = o.Flag("--stepless-r2");
        in.distribution = *distribution;
        in.capacitorMode = *mode;
        in.opAmp = opAmp;
        if (auto error = AcceptBpInput(in, filter, character)) {
            return PrintInputError(error->message);
        }
    } else {
        BrTtInput in = BrTtInputFrom(filter);
        in.frequency = o.Number("--frequency", 1000.0);
        in.quality = o.Number("--q", 10.0);
        in.impedance = o.Number("--impedance", 10000.0);
        in.series = *series;
        in.capacitorMode = *mode;
        in.opAmp = opAmp;
        if (auto error = AcceptBrTtInput(in, filter)) {
            return PrintInputError(error->message);
        }
    }

    if (filter.GetCapacitorMode() == CapacitorMode::ENTER) {
        const auto caps =
            StageLists(o.Has("--capacitor-values") ? o.values["--capacitor-values"] : "");
        if (static_cast<int>(caps.size()) < filter.StageCount() || caps[0].empty() ||
            caps[0][0] <= 0.0) {
            return UsageError(kCommand, "--capacitors enter needs --capacitor-values for all " +
                                            std::to_string(filter.StageCount()) + " stages");
        }
        constexpr ComponentSlot kCaps[] = {ComponentSlot::C1, ComponentSlot::C2, ComponentSlot::C3};
        for (int s = 0; s < filter.StageCount(); ++s) {
            const auto& values = caps[static_cast<size_t>(s)];
            for (size_t k = 0; k < values.size() && k < 3; ++k) {
                if (!(values[k] > 0.0)) {
                    return UsageError(kCommand, "capacitor values must be above 0");
                }
                filter.SetValue(kCaps[k], s, values[k]);
            }
        }
        filter.SetCapsEnteredOrder(filter.Order());
    }
    if (const auto message =
            SaveSpecification(o.values["-o"], filter, character, opv, DesignerText("", ""))) {
        return PrintInputError(*message);
    }
    return 0;
}

}  // namespace vx::cli
