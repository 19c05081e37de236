#include "report/opamp_list.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "model/number_format.h"
#include "model/number_text.h"
#include "model/opamp_table.h"

namespace vx {

namespace {

constexpr const char* kUnknown = "-";
// The source is cut no shorter than this, even when the other columns leave less.
constexpr size_t kMinSourceWidth = 12;

std::string Number(double value) {
    return std::isfinite(value) ? FormatG(value, 8) : std::string();
}

// Prefixed text with a unit; below 1 without "m", as datasheets write 0,9 nV/√Hz. Rounded
// first: a model's crossing of 700 kHz comes out a hair off and would lose its prefix.
std::string Figure(double value, const char* unit) {
    return std::isfinite(value)
               ? WithUnit(FormatValueNoMilli(RoundSignificant(value, 3), false, 3, ValueKind::ANY),
                          unit)
               : kUnknown;
}

std::string SupplyRange(const OpAmpData& d) {
    if (!std::isfinite(d.supplyMin) && !std::isfinite(d.supplyMax)) {
        return kUnknown;
    }
    const auto end = [](double v) {
        return std::isfinite(v) ? FormatValueNoMilli(v, false, 3, ValueKind::ANY) : "?";
    };
    return WithUnit(end(d.supplyMin) + "-" + end(d.supplyMax), "V");
}

// Characters on the terminal: the umlauts, µ and √ take one column but several bytes.
size_t Columns(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The text cut to `width` columns, ending in "..." where it was cut; never inside a character.
std::string Cut(const std::string& text, size_t width) {
    if (Columns(text) <= width) {
        return text;
    }
    std::string out;
    size_t columns = 0;
    for (const char c : text) {
        const bool starts = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (starts && ++columns > width - 3) {
            break;
        }
        out += c;
    }
    return out + "...";
}

using Row = std::array<std::string, 8>;

Row TableRow(const COpv& list, int i) {
    const OpAmpData& d = list.Data(i);
    std::string gbw = kUnknown;
    std::string margin = kUnknown;
    if (i > 0) {
        const LoopFigures loop =
            FiguresOf({list.DcGain(i), list.TimeConstant1(i), list.TimeConstant2(i)});
        gbw = Figure(loop.unityGainHz, "Hz");
        margin = WithDecimalComma(FormatF(loop.phaseMarginDeg, 0)) + "°";
    }
    const std::string kind = list.IsOwn(i) ? "eigen" : d.kind.empty() ? kUnknown : d.kind;
    return {list.Name(i),
            kind,
            gbw,
            margin,
            Figure(d.slewRate, "V/µs"),
            Figure(d.voltageNoise, "nV/√Hz"),
            SupplyRange(d),
            d.source.empty() ? kUnknown : d.source};
}

}  // namespace

std::string OpAmpListCsv(const COpv& list) {
    std::string text = std::string(kOpAmpListHeading) + "\n";
    for (int i = 0; i < list.Count(); ++i) {
        const OpAmpData& d = list.Data(i);
        LoopFigures loop{NAN, NAN};
        if (i > 0) {
            loop = FiguresOf({list.DcGain(i), list.TimeConstant1(i), list.TimeConstant2(i)});
        }
        const std::array<std::string, 15> fields = {CsvField(list.Name(i)),
                                                    Number(list.DcGain(i)),
                                                    Number(list.TimeConstant1(i)),
                                                    Number(list.TimeConstant2(i)),
                                                    Number(loop.unityGainHz),
                                                    Number(loop.phaseMarginDeg),
                                                    Number(d.slewRate),
                                                    Number(d.voltageNoise),
                                                    Number(d.voltageNoiseCorner),
                                                    Number(d.currentNoise),
                                                    Number(d.currentNoiseCorner),
                                                    Number(d.supplyMin),
                                                    Number(d.supplyMax),
                                                    RailToRailText(d.railToRail),
                                                    CsvField(d.source)};
        for (size_t k = 0; k < fields.size(); ++k) {
            text += (k == 0 ? "" : ",") + fields[k];
        }
        text += "\n";
    }
    return text;
}

std::string OpAmpListTable(const COpv& list, int width) {
    std::vector<Row> rows = {{"Name", "Klasse", "GBW", "Phasenreserve", "Anstiegsrate", "Rauschen",
                              "Versorgung", "Quelle"}};
    for (int i = 0; i < list.Count(); ++i) {
        rows.push_back(TableRow(list, i));
    }
    constexpr size_t kGap = 2;
    std::array<size_t, 8> widths{};
    size_t used = 0;
    for (size_t k = 0; k + 1 < widths.size(); ++k) {
        for (const Row& row : rows) {
            widths[k] = std::max(widths[k], Columns(row[k]));
        }
        used += widths[k] + kGap;
    }
    const size_t total = static_cast<size_t>(std::max(width, 0));
    const size_t sourceWidth = total > used + kMinSourceWidth ? total - used : kMinSourceWidth;
    std::string text;
    for (const Row& row : rows) {
        std::string line;
        for (size_t k = 0; k + 1 < row.size(); ++k) {
            line += row[k] + std::string(widths[k] - Columns(row[k]) + kGap, ' ');
        }
        text += line + Cut(row.back(), sourceWidth) + "\n";
    }
    return text;
}

std::string OpAmpModelLine(const COpv& list, int i) {
    const double t1 = list.TimeConstant1(i);
    const double t2 = list.TimeConstant2(i);
    const LoopFigures loop = FiguresOf({list.DcGain(i), t1, t2});
    return list.Name(i) + ": GBW " + Figure(loop.unityGainHz, "Hz") + ", T1 = " + FormatTime(t1) +
           ", T2 = " + FormatTime(t2);
}

}  // namespace vx
