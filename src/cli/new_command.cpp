#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "analysis/plan/order_plan.h"
#include "analysis/plan/scheme_input.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "cli/option_table.h"
#include "cli/scheme_options.h"
#include "cli/search_options.h"
#include "files/opamp_files.h"
#include "files/specification_writer.h"
#include "model/band_edges_input.h"
#include "model/bp_input.h"
#include "model/br_tt_input.h"
#include "model/character.h"
#include "model/circuit_pairs.h"
#include "model/enum_words.h"
#include "model/filter.h"
#include "model/gain_fields.h"
#include "model/hp_lp_input.h"
#include "model/number_format.h"
#include "model/number_text.h"
#include "model/opv.h"
#include "model/stage_gain_input.h"
#include "model/text_split.h"

namespace vx::cli {

namespace {

constexpr const char* kCommand = "new";

constexpr const char* kUsage =
    "usage: veltranix-cli new TYPE STRUCTURE [options] -o FILE.vxs\n"
    "\n"
    "Checks a filter specification as the input dialog does and writes it to a file.\n"
    "With --passband and --stopband the plan of that tolerance scheme (see 'veltranix-cli plan')\n"
    "sets the order and the frequency (and bandwidth or quality): for the characteristic given,\n"
    "else for the one of the lowest order that meets the limits; a Chebyshev takes the ripple\n"
    "given, else AMAX. The file keeps the scheme.\n"
    "TYPE is lowpass, highpass, bandpass or bandreject; STRUCTURE is sk, skx (third order with\n"
    "one op-amp), mfb or twin-t. Numbers take unit prefixes and a decimal comma: 4k7, 2,2n.\n"
    "\n"
    "options (defaults in brackets):\n";

// The options in the order of the help text; the values are checked after all are read.
struct NewOptionRow {
    const char* name;
    OptionValue value;
    const char* help;
};

constexpr OptionValue kValue = OptionValue::REQUIRED;
constexpr OptionValue kFlag = OptionValue::NONE;
constexpr NewOptionRow kNewOptions[] = {
    {"--characteristic", kValue,
     "  --characteristic C   bessel, butterworth, chebyshev or individual [bessel]\n"},
    {"--ripple", kValue, "  --ripple DB          Chebyshev ripple, 0 < DB <= 20 [1]\n"},
    {"--order", kValue, "  --order N            1..30; band-pass 2..30, even [2]\n"},
    {"--frequency", kValue, "  --frequency HZ       cut-off or centre frequency [1k]\n"},
    {"--bandwidth", kValue, "  --bandwidth HZ       band-pass bandwidth [100]\n"},
    {"--edges", kValue,
     "  --edges F1:F2        band-pass band edges instead of frequency and bandwidth\n"},
    {"--q", kValue, "  --q Q                band-stop quality, >= 0.5 [10]\n"},
    {"--gain", kValue, "  --gain X | --gain-db DB   pass-band gain, linear or in dB [0 dB]\n"},
    {"--gain-db", kValue, ""},
    {"--impedance", kValue, "  --impedance OHM      impedance level [10k]\n"},
    {"--series", kValue, "  --series E           E12, E24, E48, E96 or E192 [E24]\n"},
    {"--sequence", kValue, "  --sequence S         high-level or low-noise [high-level]\n"},
    {"--distribution", kValue, "  --distribution D     equal, equal-gbp or values [equal]\n"},
    {"--stage-gains", kValue,
     "  --stage-gains G1:G2:...   linear gain per stage (with --distribution values);\n"
     "                       the filter's gain is their product\n"},
    {"--poles", kValue,
     "  --poles W1:Q1/W2:Q2/...   normalised pole frequency and Q per stage (individual)\n"},
    {"--capacitors", kValue, "  --capacitors M       optimize or enter [optimize]\n"},
    {"--capacitor-values", kValue,
     "  --capacitor-values C1:C2[:C3]/...   capacitors per stage (with --capacitors enter)\n"},
    {"--equal-capacitors", kFlag,
     "  --equal-capacitors   all capacitors equal (skx only, needs 6 dB of gain)\n"},
    {"--stepless-r2", kFlag,
     "  --stepless-r2        R2 of the band-pass is not a standard value\n"},
    {"--opamp", kValue,
     "  --opamp NAME         ideal or a model 'veltranix-cli opamps' lists [ideal]\n"},
    {"--search", kValue,
     "  --search S           standard-value search: exhaustive (every combination within the\n"
     "                       impedance window) or neighbours [exhaustive]\n"},
    {"--window", kValue,
     "  --window K           impedance window of the exhaustive search, resistors within the\n"
     "                       impedance level / K .. * K, 1.5 <= K <= 100 [3.16]\n"},
    {"-o", kValue, "  -o FILE.vxs          the file to write\n"},
    {"--help", OptionValue::ENDS_LINE, ""},
    {"-h", OptionValue::ENDS_LINE, ""},
};

std::vector<std::vector<double>> StageLists(const std::string& text) {
    std::vector<std::vector<double>> stages;
    for (const std::string& stage : SplitText(text, '/')) {
        std::vector<double> values;
        for (const std::string& v : SplitText(stage, ':')) {
            values.push_back(ParseValue(v));
        }
        stages.push_back(values);
    }
    return stages;
}

// The word of an option, or of its default when the option is not given.
template <class E>
std::optional<E> Word(const std::map<std::string, std::string>& values, const std::string& name,
                      const char* fallback) {
    const auto it = values.find(name);
    return EnumOfWord<E>(it == values.end() ? fallback : it->second, WordColumn::COMMAND_LINE);
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
    SchemeTexts scheme;
    bool help = false;
    bool Has(const std::string& name) const { return values.count(name) != 0; }
    bool Flag(const std::string& name) const {
        for (const std::string& f : flags) {
            if (f == name) {
                return true;
            }
        }
        return false;
    }
    std::string Text(const std::string& name, const std::string& fallback) const {
        return Has(name) ? values.at(name) : fallback;
    }
    // A value that is no number reaches the checks as such, which name its field.
    double Number(const std::string& name, double fallback) const {
        return Has(name) ? FieldNumber(values.at(name)) : fallback;
    }
};

CommandGrammar NewGrammar(NewOptions& o) {
    OptionGroup group{"option ", {}};
    for (const NewOptionRow& row : kNewOptions) {
        const std::string name = row.name;
        OptionAction apply = [&o, name, value = row.value](const std::string& text) {
            if (value == OptionValue::ENDS_LINE) {
                o.help = true;
            } else if (value == OptionValue::NONE) {
                o.flags.push_back(name);
            } else {
                o.values[name] = text;
            }
            return std::string();
        };
        group.options.push_back({name, row.value, row.help, std::move(apply)});
    }
    for (Option& option : SchemeOptions(o.scheme)) {
        group.options.push_back(std::move(option));
    }
    return {{std::move(group)}, "-", [&o](const std::string& operand) {
                o.positional.push_back(operand);
                return std::string();
            }};
}

// The exit code of a refused step; none when the command goes on.
using Refusal = std::optional<int>;

// The fields every filter type reads, in the words and numbers of the command line.
struct CommonInputs {
    Characteristic characteristic;
    ResistorSeries series;
    StageSequence sequence;
    GainDistribution distribution;
    CapacitorMode mode;
    int opAmp;
    double gainDb;
    int order;
    SearchInput search;
};

// The common fields, or the exit code when one of them is refused.
std::variant<CommonInputs, int> ReadCommonInputs(const NewOptions& o, const COpv& opv) {
    const auto characteristic = Word<Characteristic>(o.values, "--characteristic", "bessel");
    const auto series = Word<ResistorSeries>(o.values, "--series", "E24");
    const auto sequence = Word<StageSequence>(o.values, "--sequence", "high-level");
    const auto distribution = Word<GainDistribution>(o.values, "--distribution", "equal");
    const auto mode = Word<CapacitorMode>(o.values, "--capacitors", "optimize");
    if (!characteristic || !series || !sequence || !distribution || !mode) {
        return UsageError(kCommand,
                          "unknown word for --characteristic, --series, --sequence, "
                          "--distribution or --capacitors (see --help)");
    }
    const int opAmp = o.Has("--opamp") ? opv.FindByName(o.values.at("--opamp")) : 0;
    if (opAmp < 0) {
        return UsageError(kCommand, "unknown op-amp '" + o.values.at("--opamp") + "'");
    }
    double gainDb = o.Number("--gain-db", 0.0);
    if (o.Has("--gain")) {
        const double linear = o.Number("--gain", 1.0);
        if (!(linear > 0.0)) {
            return UsageError(kCommand, "the linear gain must be above 0");
        }
        gainDb = 20.0 * std::log10(linear);
    }
    // No number reads as order 0 here, which its range refuses: NaN would not convert to int.
    const int order = o.Has("--order") ? static_cast<int>(ParseValue(o.values.at("--order"))) : 2;
    const auto text = [&o](const std::string& name) -> std::optional<std::string> {
        return o.Has(name) ? std::optional(o.values.at(name)) : std::nullopt;
    };
    const auto search = ReadSearchOverride(text("--search"), text("--window"));
    if (const std::string* error = std::get_if<std::string>(&search)) {
        return UsageError(kCommand, *error);
    }
    return CommonInputs{.characteristic = *characteristic,
                        .series = *series,
                        .sequence = *sequence,
                        .distribution = *distribution,
                        .mode = *mode,
                        .opAmp = opAmp,
                        .gainDb = gainDb,
                        .order = order,
                        .search = Overridden(SearchInput{}, std::get<SearchOverride>(search))};
}

// Fills the individual characteristic's poles; a missing frequency or Q stays 0 for the check.
void ReadPoles(const NewOptions& o, CCharacter& character) {
    if (!o.Has("--poles")) {
        return;
    }
    const auto poles = StageLists(o.values.at("--poles"));
    for (size_t i = 0; i < poles.size() && i < character.individualQ.size(); ++i) {
        character.individualFrequency[i] = poles[i].size() > 0 ? poles[i][0] : 0.0;
        character.individualQ[i] = poles[i].size() > 1 ? poles[i][1] : 0.0;
    }
}

// With gains per stage, the filter's gain is their product; stages not given keep a gain of 1.
Refusal ReadStageGains(const NewOptions& o, int order, CFilter& filter, double& gainDb) {
    StageGains gains;
    gains.fill(1.0);
    const auto given = SplitText(o.Text("--stage-gains", ""), ':');
    for (size_t i = 0; i < given.size() && i < gains.size(); ++i) {
        gains[i] = FieldNumber(given[i]);
    }
    if (auto error = AcceptStageGains(gains, filter)) {
        return PrintInputError(*error);
    }
    gainDb = StageGainProductDb(gains, order);
    return std::nullopt;
}

Refusal FillHpLp(const NewOptions& o, const CommonInputs& common, FilterType type,
                 StructureKind structure, CFilter& filter, CCharacter& character) {
    double gainDb = common.gainDb;
    if (common.distribution == GainDistribution::VALUES) {
        if (const Refusal refused = ReadStageGains(o, common.order, filter, gainDb)) {
            return refused;
        }
    }
    ReadPoles(o, character);
    HpLpInput in = HpLpInputFrom(filter, structure);
    in.characteristic = common.characteristic;
    in.rippleDb = o.Number("--ripple", 1.0);
    in.order = structure == StructureKind::SALLEN_KEY_X ? 3 : common.order;
    in.frequency = o.Number("--frequency", 1000.0);
    in.impedance = o.Number("--impedance", 10000.0);
    in.gainDb = gainDb;
    in.sequence = common.sequence;
    in.series = common.series;
    in.distribution = common.distribution;
    in.capacitorMode = common.mode;
    in.opAmp = common.opAmp;
    in.equalCapacitors = o.Flag("--equal-capacitors");
    in.search = common.search;
    if (auto error = AcceptHpLpInput(in, type, structure, filter, character)) {
        return PrintInputError(error->message);
    }
    return std::nullopt;
}

// The centre and bandwidth of the band-pass, from its band edges when they are given.
Refusal ReadBandPassBand(const NewOptions& o, BpInput& in) {
    in.frequency = o.Number("--frequency", 1000.0);
    in.bandwidth = o.Number("--bandwidth", 100.0);
    if (!o.Has("--edges")) {
        return std::nullopt;
    }
    const auto edges = SplitText(o.values.at("--edges"), ':');
    const auto converted =
        ConvertBandEdges(FieldNumber(edges[0]), edges.size() > 1 ? FieldNumber(edges[1]) : 0.0);
    if (const auto* message = std::get_if<UserMessage>(&converted)) {
        return PrintInputError(*message);
    }
    in.frequency = std::get<CentreAndBandwidth>(converted).centre;
    in.bandwidth = std::get<CentreAndBandwidth>(converted).bandwidth;
    return std::nullopt;
}

Refusal FillBandPass(const NewOptions& o, const CommonInputs& common, CFilter& filter,
                     CCharacter& character) {
    BpInput in = BpInputFrom(filter);
    in.order = common.order;
    if (const Refusal refused = ReadBandPassBand(o, in)) {
        return refused;
    }
    in.gainDb = common.gainDb;
    in.impedance = o.Number("--impedance", 10000.0);
    if (common.characteristic == Characteristic::INDIVIDUAL) {
        return UsageError(kCommand, "the band-pass has no individual characteristic");
    }
    if (common.distribution == GainDistribution::VALUES) {
        return UsageError(kCommand, "the band-pass takes no gains per stage");
    }
    in.characteristic = common.characteristic;
    in.rippleDb = o.Number("--ripple", 1.0);
    in.sequence = common.sequence;
    in.series = common.series;
    in.steplessR2 = o.Flag("--stepless-r2");
    in.distribution = common.distribution;
    in.capacitorMode = common.mode;
    in.opAmp = common.opAmp;
    in.search = common.search;
    if (auto error = AcceptBpInput(in, filter, character)) {
        return PrintInputError(error->message);
    }
    return std::nullopt;
}

Refusal FillBandReject(const NewOptions& o, const CommonInputs& common, CFilter& filter) {
    BrTtInput in = BrTtInputFrom(filter);
    in.frequency = o.Number("--frequency", 1000.0);
    in.quality = o.Number("--q", 10.0);
    in.impedance = o.Number("--impedance", 10000.0);
    in.series = common.series;
    in.capacitorMode = common.mode;
    in.opAmp = common.opAmp;
    if (auto error = AcceptBrTtInput(in, filter)) {
        return PrintInputError(error->message);
    }
    // The twin-T searches nothing, but its file keeps the choice like every other.
    filter.SetSearch(common.search.method, common.search.window);
    return std::nullopt;
}

// With entered capacitors, the user's values per stage replace the ones the design would choose.
Refusal SetEnteredCapacitors(const NewOptions& o, CFilter& filter) {
    if (filter.GetCapacitorMode() != CapacitorMode::ENTER) {
        return std::nullopt;
    }
    const auto caps = StageLists(o.Text("--capacitor-values", ""));
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
    return std::nullopt;
}

Refusal FillFilter(const NewOptions& o, FilterType type, StructureKind structure, const COpv& opv,
                   CFilter& filter, CCharacter& character) {
    const auto read = ReadCommonInputs(o, opv);
    if (const int* code = std::get_if<int>(&read)) {
        return *code;
    }
    const CommonInputs& common = std::get<CommonInputs>(read);
    Refusal refused;
    if (type == FilterType::LOWPASS || type == FilterType::HIGHPASS) {
        refused = FillHpLp(o, common, type, structure, filter, character);
    } else if (type == FilterType::BANDPASS) {
        refused = FillBandPass(o, common, filter, character);
    } else {
        refused = FillBandReject(o, common, filter);
    }
    return refused ? refused : SetEnteredCapacitors(o, filter);
}

// The plan's row for the options: the characteristic (and ripple) given, else the lowest order
// that meets the limits.
std::variant<PlanRow, int> PlannedRow(const NewOptions& o, const ToleranceScheme& scheme,
                                      StructureKind structure) {
    PlanRow row;
    if (o.Has("--characteristic")) {
        const auto c = Word<Characteristic>(o.values, "--characteristic", "");
        if (!c || *c == Characteristic::INDIVIDUAL) {
            return UsageError(kCommand,
                              "a plan needs --characteristic bessel, butterworth or "
                              "chebyshev");
        }
        const double ripple = o.Number("--ripple", scheme.passAttenuation);
        if (*c == Characteristic::CHEBYCHEV && !RippleAccepted(ripple)) {
            return UsageError(kCommand, "--ripple must be above 0 and at most 20 dB");
        }
        row = PlanCharacteristic(scheme, *c, ripple);
        if (row.order == 0) {
            return UsageError(
                kCommand, "the characteristic does not meet the scheme up to " +
                              std::string(scheme.type == FilterType::BANDREJECT ? "one twin-T notch"
                                                                                : "order 30"));
        }
    } else {
        const std::vector<PlanRow> rows = PlanOrders(scheme);
        const std::optional<size_t> preferred = PreferredPlanRow(rows);
        if (!preferred || !rows[*preferred].meetsLimits) {
            return UsageError(kCommand,
                              "no characteristic meets the scheme and its limits (see "
                              "'veltranix-cli plan')");
        }
        row = rows[*preferred];
    }
    if (OpAmpCount(structure, row.order) == 0) {
        return UsageError(kCommand,
                          "the structure does not build the planned order " + FormatInt(row.order));
    }
    return row;
}

// The plan's order, frequency, bandwidth or quality and characteristic, written as options
// the dialog's checks then read like typed ones.
Refusal ApplyPlan(NewOptions& o, FilterType type, StructureKind structure,
                  ToleranceScheme& scheme) {
    for (const char* set : {"--order", "--frequency", "--bandwidth", "--edges", "--q"}) {
        if (o.Has(set)) {
            return UsageError(kCommand, std::string(set) + " comes from the plan with --passband");
        }
    }
    const auto read = ReadScheme(kCommand, type, o.scheme);
    if (const int* status = std::get_if<int>(&read)) {
        return *status;
    }
    scheme = std::get<ToleranceScheme>(read);
    const auto planned = PlannedRow(o, scheme, structure);
    if (const int* status = std::get_if<int>(&planned)) {
        return *status;
    }
    const PlanRow& row = std::get<PlanRow>(planned);
    o.values["--order"] = FormatInt(row.order);
    o.values["--frequency"] = FormatG(row.frequency, 17);
    o.values["--characteristic"] =
        std::string(WordOfEnum(row.characteristic, WordColumn::COMMAND_LINE));
    o.values["--ripple"] = FormatG(row.rippleDb > 0.0 ? row.rippleDb : 1.0, 17);
    if (type == FilterType::BANDPASS) {
        o.values["--bandwidth"] = FormatG(row.bandwidth, 17);
    } else if (type == FilterType::BANDREJECT) {
        o.values["--q"] = FormatG(row.quality, 17);
    }
    return std::nullopt;
}

}  // namespace

int RunNew(const Args& args) {
    NewOptions o;
    if (const std::string error = ParseArguments(NewGrammar(o), args); !error.empty()) {
        return UsageError(kCommand, error);
    }
    if (o.help) {
        NewOptions unused;
        std::fputs((kUsage + OptionsHelp(NewGrammar(unused))).c_str(), stdout);
        return 0;
    }
    if (o.positional.size() != 2) {
        return UsageError(kCommand, "give TYPE and STRUCTURE (see --help)");
    }
    if (!o.Has("-o")) {
        return UsageError(kCommand, "missing -o FILE.vxs");
    }
    const auto type = EnumOfWord<FilterType>(o.positional[0], WordColumn::COMMAND_LINE);
    const auto structure = EnumOfWord<StructureKind>(o.positional[1], WordColumn::COMMAND_LINE);
    if (!type || !structure) {
        return UsageError(kCommand, "unknown type or structure '" + o.positional[0] + " " +
                                        o.positional[1] + "' (see --help)");
    }
    if (!HasCircuit(*type, *structure)) {
        return UsageError(kCommand,
                          "no circuit for " + o.positional[0] + " with " + o.positional[1]);
    }
    std::optional<ToleranceScheme> scheme;
    if (o.scheme.Given()) {
        scheme.emplace();
        if (const Refusal refused = ApplyPlan(o, *type, *structure, *scheme)) {
            return *refused;
        }
    }
    CFilter filter;
    CCharacter character;
    const COpv opv = OpAmpListOf(InstalledOpAmps());
    if (const Refusal refused = FillFilter(o, *type, *structure, opv, filter, character)) {
        return *refused;
    }
    filter.scheme = scheme;
    if (const auto message =
            SaveSpecification(o.values.at("-o"), filter, character, opv, DesignerText("", ""))) {
        return PrintInputError(*message);
    }
    return 0;
}

}  // namespace vx::cli
