#include "model/opamp_table.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "model/number_format.h"
#include "model/text_split.h"

namespace vx {

namespace {

enum class Column {
    NAME,
    MAKER,
    KIND,
    A0_DB,
    GBW,
    PHASE_MARGIN,
    SECOND_POLE,
    SLEW,
    EN,
    EN_CORNER,
    IN,
    IN_CORNER,
    SUPPLY_MIN,
    SUPPLY_MAX,
    SWING,
    RAIL_TO_RAIL,
    INPUT_CAPACITANCE,
    SOURCE,
    UNKNOWN,
};

constexpr std::array<const char*, 18> kColumnNames = {"name",
                                                      "maker",
                                                      "class",
                                                      "a0_db",
                                                      "gbw_hz",
                                                      "phase_margin_deg",
                                                      "second_pole_hz",
                                                      "slew_v_per_us",
                                                      "en_nv_per_rthz",
                                                      "en_corner_hz",
                                                      "in_pa_per_rthz",
                                                      "in_corner_hz",
                                                      "supply_min_v",
                                                      "supply_max_v",
                                                      "swing_to_rail_v",
                                                      "rail_to_rail",
                                                      "input_capacitance_pf",
                                                      "source"};

Column ColumnNamed(const std::string& name) {
    for (size_t i = 0; i < kColumnNames.size(); ++i) {
        if (name == kColumnNames[i]) {
            return static_cast<Column>(i);
        }
    }
    return Column::UNKNOWN;
}

// The fields of one CSV line; nothing when a quote is left open.
std::optional<std::vector<std::string>> Fields(std::string_view line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    if (quoted) {
        return std::nullopt;
    }
    return fields;
}

// A whole number text in C notation; empty is NaN, anything else nothing.
std::optional<double> Number(const std::string& text) {
    if (text.empty()) {
        return NAN;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string NumberText(double value) {
    return std::isfinite(value) ? FormatG(value, 8) : std::string();
}

std::optional<RailToRail> RailToRailOf(const std::string& text) {
    for (const RailToRail r :
         {RailToRail::NONE, RailToRail::INPUT, RailToRail::OUTPUT, RailToRail::BOTH}) {
        if (text == RailToRailText(r)) {
            return r;
        }
    }
    return std::nullopt;
}

UserMessage LineError(const std::string& fileName, int line, const std::string& what) {
    return {"Operationsverstärker", "Die Datei \"" + fileName + "\" ist in Zeile " +
                                        FormatInt(line) + " fehlerhaft: " + what +
                                        "\n\nDie Operationsverstärker ab dieser Zeile fehlen."};
}

std::string ColumnError(Column column, const std::string& text) {
    return "In der Spalte \"" + std::string(kColumnNames[static_cast<size_t>(column)]) +
           "\" steht \"" + text + "\", keine gültige Angabe.";
}

}  // namespace

std::string CsvField(const std::string& field) {
    if (field.find_first_of(",\"") == std::string::npos) {
        return field;
    }
    std::string out = "\"";
    for (const char c : field) {
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return out + "\"";
}

std::string RailToRailText(RailToRail r) {
    switch (r) {
        case RailToRail::INPUT:
            return "in";
        case RailToRail::OUTPUT:
            return "out";
        case RailToRail::BOTH:
            return "in/out";
        case RailToRail::NONE:
            break;
    }
    return "";
}

OpAmpTable ParseOpAmpTable(std::string_view text, const std::string& fileName) {
    OpAmpTable table;
    std::vector<std::string> lines = SplitText(text, '\n');
    std::vector<Column> columns;
    for (size_t l = 0; l < lines.size(); ++l) {
        std::string line = lines[l];
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        const int number = static_cast<int>(l) + 1;
        const auto fields = Fields(line);
        if (!fields) {
            table.error =
                LineError(fileName, number, "Ein Anführungszeichen wird nicht geschlossen.");
            return table;
        }
        if (columns.empty()) {
            for (const std::string& name : *fields) {
                columns.push_back(ColumnNamed(name));
            }
            for (const Column needed : {Column::NAME, Column::GBW}) {
                if (std::find(columns.begin(), columns.end(), needed) == columns.end()) {
                    table.error = LineError(
                        fileName, number,
                        "Die Spalte \"" + std::string(kColumnNames[static_cast<size_t>(needed)]) +
                            "\" fehlt in der Kopfzeile.");
                    return table;
                }
            }
            continue;
        }
        if (fields->size() != columns.size()) {
            table.error = LineError(fileName, number,
                                    "Sie hat " + FormatInt(static_cast<long long>(fields->size())) +
                                        " Felder, die Kopfzeile " +
                                        FormatInt(static_cast<long long>(columns.size())) + ".");
            return table;
        }
        OpAmpData row;
        for (size_t i = 0; i < columns.size(); ++i) {
            const std::string& field = (*fields)[i];
            const Column column = columns[i];
            std::string* text = column == Column::NAME     ? &row.name
                                : column == Column::MAKER  ? &row.maker
                                : column == Column::KIND   ? &row.kind
                                : column == Column::SOURCE ? &row.source
                                                           : nullptr;
            if (text != nullptr) {
                *text = field;
                continue;
            }
            if (column == Column::RAIL_TO_RAIL) {
                const auto r = RailToRailOf(field);
                if (!r) {
                    table.error = LineError(fileName, number, ColumnError(column, field));
                    return table;
                }
                row.railToRail = *r;
                continue;
            }
            if (column == Column::UNKNOWN) {
                continue;
            }
            const auto value = Number(field);
            if (!value) {
                table.error = LineError(fileName, number, ColumnError(column, field));
                return table;
            }
            double* target[] = {nullptr,
                                nullptr,
                                nullptr,
                                &row.dcGain,
                                &row.gbw,
                                &row.phaseMargin,
                                &row.secondPole,
                                &row.slewRate,
                                &row.voltageNoise,
                                &row.voltageNoiseCorner,
                                &row.currentNoise,
                                &row.currentNoiseCorner,
                                &row.supplyMin,
                                &row.supplyMax,
                                &row.swingToRail,
                                nullptr,
                                &row.inputCapacitance};
            *target[static_cast<size_t>(column)] =
                column == Column::A0_DB ? std::pow(10.0, *value / 20.0) : *value;
        }
        if (row.name.empty() || !(row.gbw > 0.0)) {
            table.error =
                LineError(fileName, number,
                          row.name.empty() ? "Der Name fehlt."
                                           : "Das Verstärkungs-Bandbreite-Produkt fehlt.");
            return table;
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::string OpAmpTableText(const std::vector<OpAmpData>& rows) {
    std::string text = std::string(kOpAmpTableHeading) + "\n";
    for (const OpAmpData& r : rows) {
        const std::array<std::string, 18> fields = {
            CsvField(r.name),
            CsvField(r.maker),
            CsvField(r.kind),
            std::isfinite(r.dcGain) ? FormatG(20.0 * std::log10(r.dcGain), 8) : std::string(),
            NumberText(r.gbw),
            NumberText(r.phaseMargin),
            NumberText(r.secondPole),
            NumberText(r.slewRate),
            NumberText(r.voltageNoise),
            NumberText(r.voltageNoiseCorner),
            NumberText(r.currentNoise),
            NumberText(r.currentNoiseCorner),
            NumberText(r.supplyMin),
            NumberText(r.supplyMax),
            NumberText(r.swingToRail),
            RailToRailText(r.railToRail),
            NumberText(r.inputCapacitance),
            CsvField(r.source)};
        for (size_t i = 0; i < fields.size(); ++i) {
            text += (i == 0 ? "" : ",") + fields[i];
        }
        text += "\n";
    }
    return text;
}

}  // namespace vx
