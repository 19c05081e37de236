#include "analysis/plan/plan_text.h"

#include <cmath>

#include "model/filter.h"
#include "model/number_format.h"
#include "model/number_text.h"

namespace vx {

namespace {

const char* CsvWord(Characteristic c) {
    switch (c) {
        case Characteristic::BESSEL:
            return "bessel";
        case Characteristic::BUTTERWORTH:
            return "butterworth";
        default:
            return "chebyshev";
    }
}

std::string Csv(double x) {
    return std::isfinite(x) ? FormatG(x, 6) : std::string();
}

std::string Percent(double x) {
    return std::isfinite(x) ? WithDecimalComma(FormatF(x, 1)) + " %" : std::string("-");
}

std::string Name(FilterType type, const PlanRow& row) {
    if (type == FilterType::BANDREJECT) {
        return "Kerbfilter";
    }
    switch (row.characteristic) {
        case Characteristic::BESSEL:
            return "Bessel";
        case Characteristic::BUTTERWORTH:
            return "Butterworth";
        default:
            return "Tschebyscheff " + WithDecimalComma(FormatG(row.rippleDb, 3)) + " dB";
    }
}

}  // namespace

std::string PlanCsv(const std::vector<PlanRow>& rows) {
    std::string text =
        "characteristic,ripple_db,order,frequency_hz,stop_margin_db,delay_variation_pct,"
        "overshoot_pct,bandwidth_hz,quality,meets_limits\n";
    for (const PlanRow& r : rows) {
        const bool met = r.order > 0;
        const bool chebyshev = r.characteristic == Characteristic::CHEBYCHEV;
        const std::vector<std::string> cells = {CsvWord(r.characteristic),
                                                chebyshev ? Csv(r.rippleDb) : "",
                                                met ? FormatInt(r.order) : "",
                                                met ? Csv(r.frequency) : "",
                                                met ? Csv(r.stopMarginDb) : "",
                                                met ? Csv(r.delayVariationPercent) : "",
                                                met ? Csv(r.overshootPercent) : "",
                                                met && r.bandwidth > 0.0 ? Csv(r.bandwidth) : "",
                                                met && r.quality > 0.0 ? Csv(r.quality) : "",
                                                r.meetsLimits ? "1" : "0"};
        for (size_t i = 0; i < cells.size(); ++i) {
            text += cells[i];
            text.push_back(i + 1 < cells.size() ? ',' : '\n');
        }
    }
    return text;
}

PlanTable MakePlanTable(const ToleranceScheme& scheme, const std::vector<PlanRow>& rows) {
    const FilterType type = scheme.type;
    const std::vector<StructureKind> structures = PlanStructures(type);
    const bool limits = scheme.delayVariationPercent || scheme.overshootPercent;
    PlanTable table;
    table.headings = {"Charakteristik", "Ordnung"};
    for (const StructureKind s : structures) {
        // "Sallen-Key mit 1 OPV" names its op-amp already.
        const std::string name = CFilter::StructureName(static_cast<int>(s));
        table.headings.push_back(s == StructureKind::SALLEN_KEY_X ? name : "OPV " + name);
    }
    table.headings.push_back(IsBandScheme(type) ? "Mittenfrequenz" : "Grenzfrequenz");
    if (type == FilterType::BANDPASS) {
        table.headings.push_back("Bandbreite");
    } else if (type == FilterType::BANDREJECT) {
        table.headings.push_back("Güte");
    }
    table.headings.push_back("Reserve an der Sperrgrenze");
    const bool delay = PlansDelayVariation(type);
    const bool overshoot = PlansOvershoot(type);
    if (delay) {
        table.headings.push_back("Laufzeitschwankung");
    }
    if (overshoot) {
        table.headings.push_back("Überschwingen");
    }
    if (limits) {
        table.headings.push_back("Grenzen");
    }
    for (const PlanRow& r : rows) {
        std::vector<std::string> cells = {Name(type, r)};
        if (r.order == 0) {
            cells.push_back(type == FilterType::BANDREJECT ? "nicht mit einer Doppel-T-Stufe"
                                                           : "nicht bis Ordnung 30");
            cells.resize(table.headings.size());
            table.rows.push_back(cells);
            continue;
        }
        cells.push_back(FormatInt(r.order));
        for (const StructureKind s : structures) {
            const int n = OpAmpCount(s, r.order);
            cells.push_back(n > 0 ? FormatInt(n) : "-");
        }
        cells.push_back(FormatQuantity(r.frequency, "Hz", ValueKind::ANY));
        if (type == FilterType::BANDPASS) {
            cells.push_back(FormatQuantity(r.bandwidth, "Hz", ValueKind::ANY));
        } else if (type == FilterType::BANDREJECT) {
            cells.push_back(WithDecimalComma(FormatG(r.quality, 4)));
        }
        cells.push_back(WithDecimalComma(FormatF(r.stopMarginDb, 2)) + " dB");
        if (delay) {
            cells.push_back(Percent(r.delayVariationPercent));
        }
        if (overshoot) {
            cells.push_back(Percent(r.overshootPercent));
        }
        if (limits) {
            cells.push_back(r.meetsLimits ? "erfüllt" : "nicht erfüllt");
        }
        table.rows.push_back(cells);
    }
    return table;
}

std::vector<std::string> PlanTableLines(const PlanTable& table) {
    std::vector<std::string> lines;
    auto line = [](const std::vector<std::string>& cells) {
        std::string text;
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) {
                text.push_back('\t');
            }
            text += cells[i];
        }
        // A row that ends in empty cells (not planned) ends at its text.
        while (!text.empty() && text.back() == '\t') {
            text.pop_back();
        }
        return text;
    };
    lines.push_back(line(table.headings));
    for (const std::vector<std::string>& row : table.rows) {
        lines.push_back(line(row));
    }
    return lines;
}

}  // namespace vx
