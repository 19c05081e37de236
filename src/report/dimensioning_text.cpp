#include "report/dimensioning_text.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "model/filter.h"
#include "model/number_format.h"
#include "model/number_text.h"
#include "report/summary_text.h"

namespace vx {

namespace {

// A component value with the unit its name's first letter names.
std::string ComponentText(const std::string& name, double value) {
    if (!name.empty() && name[0] == 'C') {
        return FormatQuantity(value, "F", ValueKind::CAPACITANCE);
    }
    if (!name.empty() && name[0] == 'R') {
        return FormatQuantity(value, "Ohm", ValueKind::RESISTANCE);
    }
    return FormatQuantity(value, ValueKind::ANY);
}

bool Realised(const CFilter& filter, int k) {
    const RealisationKind kind = filter.GetRealisation(k).kind;
    return kind == RealisationKind::PARALLEL || kind == RealisationKind::SERIES;
}

}  // namespace

std::string RealisationText(const CFilter& filter, int k) {
    const Realisation& r = filter.GetRealisation(k);
    const char* how = r.kind == RealisationKind::PARALLEL ? "Parallelschaltung"
                      : r.kind == RealisationKind::SERIES ? "Reihenschaltung"
                                                          : nullptr;
    if (how == nullptr) {
        return "";
    }
    return "Realisierung von R" + FormatInt(k + 1) + " durch " + how + " von " +
           ComponentText("R", r.first) + " und " + ComponentText("R", r.second);
}

std::string CapacitorRealisationText(const CFilter& filter) {
    const Component& fifth = filter.Stage(0).components[4];
    return "Realisierung von C2 durch Parallelschaltung von 2 x " +
           ComponentText(fifth.name, fifth.value);
}

std::string ComponentValueText(const CFilter& filter, int stage, int k) {
    if (k < 0 || k >= kMaxComponents) {
        throw std::invalid_argument("component index out of range");
    }
    const Component& c = filter.Stage(stage).components[static_cast<size_t>(k)];
    // The band-stop's combined resistors are given exactly, in whole ohms.
    const bool whole =
        filter.Type() == FilterType::BANDREJECT &&
        ((c.name == "R1" && Realised(filter, 0)) || (c.name == "R2" && Realised(filter, 1)));
    return whole ? FormatInt(std::llround(c.value)) : ComponentText(c.name, c.value);
}

DimensioningSeparator FittedSeparator(int columnWidth, int dashWidth, int columns) {
    const int perColumn = dashWidth > 0 ? (columnWidth + dashWidth - 1) / dashWidth : 12;
    return {perColumn, perColumn * std::max(columns, 1)};
}

std::vector<std::vector<std::string>> DimensioningCells(const CFilter& filter) {
    const bool stageColumn = filter.Structure() != StructureKind::SALLEN_KEY_X;
    const StageEntry& first = filter.Stage(0);
    const int columns = std::clamp(first.count, 0, kMaxComponents);
    std::vector<std::vector<std::string>> cells(1);
    if (stageColumn) {
        cells[0].push_back("Stufe");
    }
    for (int k = 0; k < columns; ++k) {
        cells[0].push_back(first.components[static_cast<size_t>(k)].name);
    }
    for (int i = 0; i < filter.StageCount(); ++i) {
        std::vector<std::string>& row = cells.emplace_back();
        if (stageColumn) {
            row.push_back(FormatInt(i + 1));
        }
        for (int k = 0; k < columns; ++k) {
            row.push_back(ComponentValueText(filter, i, k));
        }
    }
    return cells;
}

std::string DimensioningText(const CFilter& filter, const COpv& opv,
                             const DimensioningSeparator& separator) {
    std::string s = "Struktur: " + CFilter::StructureName(static_cast<int>(filter.Structure())) +
                    "\n" + SummaryText(filter, opv, SummaryVariant::DIALOG);
    if (filter.Type() == FilterType::BANDREJECT) {
        s += "\n\n";
        for (int k = 0; k < 2; ++k) {
            if (Realised(filter, k)) {
                s += RealisationText(filter, k) + "\n";
            }
        }
        s += CapacitorRealisationText(filter);
    }
    s += "\n";
    const std::vector<std::vector<std::string>> cells = DimensioningCells(filter);
    for (size_t r = 0; r < cells.size(); ++r) {
        s += "\n";
        for (size_t k = 0; k < cells[r].size(); ++k) {
            s += (k > 0 ? "\t" : "") + cells[r][k];
        }
        if (r == 0) {
            const int columns = static_cast<int>(cells[0].size());
            s += "\n";
            s.append(static_cast<size_t>(std::min(separator.perColumn * columns, separator.limit)),
                     '-');
        }
    }
    return s;
}

}  // namespace vx
