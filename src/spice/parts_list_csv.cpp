#include "spice/parts_list_csv.h"

#include "files/replace_file.h"
#include "model/number_format.h"
#include "model/number_text.h"
#include "spice/parts_list_messages.h"

namespace vx {

namespace {

// RFC 4180: a field with a separator, a quote or a line break goes in quotes.
std::string Field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

const char* KindWord(PartKind kind) {
    switch (kind) {
        case PartKind::RESISTOR:
            return "resistor";
        case PartKind::CAPACITOR:
            return "capacitor";
        case PartKind::OPAMP:
            break;
    }
    return "opamp";
}

std::string ValueText(const PartsListRow& row) {
    switch (row.kind) {
        case PartKind::RESISTOR:
            return FormatQuantity(row.value, "Ohm", ValueKind::RESISTANCE);
        case PartKind::CAPACITOR:
            return FormatQuantity(row.value, "F", ValueKind::CAPACITANCE);
        case PartKind::OPAMP:
            break;
    }
    return row.model;
}

std::string SeriesText(const PartsListRow& row) {
    if (row.stepless) {
        return "stepless";
    }
    std::string text;
    if (row.series > 0) {
        text = "E";
        text += FormatInt(row.series);
    }
    return text;
}

std::string ToleranceText(const PartsListRow& row) {
    if (!row.tolerance) {
        return {};
    }
    return WithUnit(FormatValueNoMilli(100.0 * *row.tolerance, false, 3, ValueKind::ANY), "%");
}

}  // namespace

std::string PartsListCsv(const std::vector<PartsListRow>& rows) {
    std::string csv = "designators,kind,value,series,tolerance,count\n";
    for (const PartsListRow& row : rows) {
        std::string designators;
        for (const std::string& d : row.designators) {
            designators += (designators.empty() ? "" : " ") + d;
        }
        for (const std::string& field : {designators, std::string(KindWord(row.kind)),
                                         ValueText(row), SeriesText(row), ToleranceText(row)}) {
            csv += Field(field) + ",";
        }
        csv += FormatInt(row.count) + "\n";
    }
    return csv;
}

std::optional<UserMessage> SavePartsList(const std::filesystem::path& path, const CFilter& filter,
                                         const COpv& opv) {
    if (!ReplaceFile(path, PartsListCsv(PartsList(filter, opv)))) {
        return SavePartsListFailedMessage(path.string());
    }
    return std::nullopt;
}

}  // namespace vx
