#include "model/own_opamp_input.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <string_view>
#include <utility>

#include "model/input_messages.h"
#include "model/number_text.h"
#include "model/opamp_table.h"

namespace vx {

namespace {

// NaN for an empty field, nothing for a text that holds no finite number.
std::optional<double> Optional(const std::string& text) {
    if (text.find_first_not_of(" \t") == std::string::npos) {
        return NAN;
    }
    const std::optional<double> v = ParseValueText(text);
    if (!v || !std::isfinite(*v)) {
        return std::nullopt;
    }
    return v;
}

std::string Text(double value) {
    return std::isfinite(value) ? FormatValue(value, true, 6, ValueKind::ANY) : std::string();
}

std::string Upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

struct NumberField {
    std::string OwnOpAmpInput::*text;
    double* target;
    const char* name;
    double low;   // the value must be above it (or at it, when `inclusive`)
    double high;  // at most
    bool inclusive;
    const char* range;
};

}  // namespace

OwnOpAmpInput InputOf(const OpAmpData& d) {
    return {d.name,
            d.maker,
            std::isfinite(d.dcGain) ? WithDecimalComma(FormatFixed(20.0 * std::log10(d.dcGain), 1))
                                    : std::string(),
            Text(d.gbw),
            Text(d.phaseMargin),
            Text(d.slewRate),
            Text(d.voltageNoise),
            Text(d.voltageNoiseCorner),
            Text(d.currentNoise),
            Text(d.currentNoiseCorner),
            Text(d.supplyMin),
            Text(d.supplyMax),
            Text(d.swingToRail),
            RailToRailText(d.railToRail),
            d.source};
}

std::variant<OpAmpData, UserMessage> ReadOwnOpAmp(const OwnOpAmpInput& in, const COpv& known,
                                                  const std::string& replacing) {
    std::variant<OpAmpData, OwnOpAmpError> checked = CheckOwnOpAmp(in, known, replacing);
    if (auto* error = std::get_if<OwnOpAmpError>(&checked)) {
        return std::move(error->message);
    }
    return std::get<OpAmpData>(std::move(checked));
}

std::variant<OpAmpData, OwnOpAmpError> CheckOwnOpAmp(const OwnOpAmpInput& in, const COpv& known,
                                                     const std::string& replacing) {
    using namespace own_opamp;
    OpAmpData row;
    row.name = in.name;
    row.maker = in.maker;
    row.kind = "eigen";
    row.source = in.source;
    // A name Spice takes as it is: letters, digits and _ + - . only.
    const bool plain = !row.name.empty() && row.name.size() <= 24 &&
                       std::all_of(row.name.begin(), row.name.end(), [](char c) {
                           return std::isalnum(static_cast<unsigned char>(c)) != 0 ||
                                  std::string_view("_+-.").find(c) != std::string_view::npos;
                       });
    if (!plain) {
        return OwnOpAmpError{RangeMessage(kName, "1 bis 24 Buchstaben, Ziffern, _ + - ."),
                             &OwnOpAmpInput::name};
    }
    const bool same = !replacing.empty() && Upper(replacing) == Upper(row.name);
    if (!same && (known.FindByName(row.name) >= 0 || Upper(row.name) == "IDEAL")) {
        return OwnOpAmpError{{"Eingabefehler", "Den Namen \"" + row.name +
                                                   "\" trägt schon ein Operationsverstärker der "
                                                   "Liste.\n\n" +
                                                   kPleaseCorrect},
                             &OwnOpAmpInput::name};
    }
    double dcGainDb = NAN;
    const NumberField fields[] = {
        {&OwnOpAmpInput::dcGainDb, &dcGainDb, kDcGain, 20.0, 200.0, true, "20 ... 200"},
        {&OwnOpAmpInput::gbw, &row.gbw, kGbw, 1.0, 1e10, true, "1 ... 1E10"},
        {&OwnOpAmpInput::phaseMargin, &row.phaseMargin, kPhaseMargin, 0.0, 90.0, false,
         "> 0 und <= 90"},
        {&OwnOpAmpInput::slewRate, &row.slewRate, kSlewRate, 0.0, 1e5, false, "> 0"},
        {&OwnOpAmpInput::voltageNoise, &row.voltageNoise, kVoltageNoise, 0.0, 1e6, true, ">= 0"},
        {&OwnOpAmpInput::voltageNoiseCorner, &row.voltageNoiseCorner, kVoltageNoiseCorner, 0.0, 1e9,
         true, ">= 0"},
        {&OwnOpAmpInput::currentNoise, &row.currentNoise, kCurrentNoise, 0.0, 1e6, true, ">= 0"},
        {&OwnOpAmpInput::currentNoiseCorner, &row.currentNoiseCorner, kCurrentNoiseCorner, 0.0, 1e9,
         true, ">= 0"},
        {&OwnOpAmpInput::supplyMin, &row.supplyMin, kSupplyMin, 0.0, 1000.0, false,
         "> 0 und <= 1000"},
        {&OwnOpAmpInput::supplyMax, &row.supplyMax, kSupplyMax, 0.0, 1000.0, false,
         "> 0 und <= 1000"},
        {&OwnOpAmpInput::swingToRail, &row.swingToRail, kSwing, 0.0, 100.0, true, ">= 0"},
    };
    for (const NumberField& f : fields) {
        const std::optional<double> v = Optional(in.*f.text);
        const bool above = v && (std::isnan(*v) || (f.inclusive ? *v >= f.low : *v > f.low));
        if (!v || !above || (std::isfinite(*v) && *v > f.high) ||
            (f.target == &row.gbw && std::isnan(*v))) {
            return OwnOpAmpError{RangeMessage(f.name, f.range), f.text};
        }
        *f.target = *v;
    }
    if (std::isfinite(dcGainDb)) {
        row.dcGain = std::pow(10.0, dcGainDb / 20.0);
    }
    if (row.supplyMin > row.supplyMax) {
        return OwnOpAmpError{RangeMessage(kSupplyMax, ">= kleinste Versorgungsspannung"),
                             &OwnOpAmpInput::supplyMax};
    }
    bool railKnown = false;
    for (const RailToRail r :
         {RailToRail::NONE, RailToRail::INPUT, RailToRail::OUTPUT, RailToRail::BOTH}) {
        if (in.railToRail == RailToRailText(r)) {
            row.railToRail = r;
            railKnown = true;
        }
    }
    if (!railKnown) {
        return OwnOpAmpError{RangeMessage(kRailToRail, "leer, in, out, in/out"),
                             &OwnOpAmpInput::railToRail};
    }
    return row;
}

UserMessage NotOwnOpAmpMessage(const std::string& name) {
    return {"Operationsverstärker", "\"" + name +
                                        "\" ist kein eigenes Modell. Nur eigene Modelle können "
                                        "geändert oder entfernt werden."};
}

UserMessage OpAmpInUseMessage(const std::string& name) {
    return {"Operationsverstärker", "Der gezeigte Entwurf verwendet \"" + name +
                                        "\". Wählen Sie erst einen anderen Operationsverstärker."};
}

}  // namespace vx
