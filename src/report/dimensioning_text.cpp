#include "report/dimensioning_text.h"

#include <algorithm>
#include <cmath>

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

std::string DimensioningText(const CFilter& filter, const COpv& opv) {
    const bool bandStop = filter.Type() == FilterType::BANDREJECT;
    const bool stageColumn = filter.Structure() != StructureKind::SALLEN_KEY_X;
    std::string s = "Struktur: " + CFilter::StructureName(static_cast<int>(filter.Structure())) +
                    "\n" + SummaryText(filter, opv, SummaryVariant::DIALOG);
    if (bandStop) {
        s += "\n\n";
        for (int k = 0; k < 2; ++k) {
            if (Realised(filter, k)) {
                s += RealisationText(filter, k) + "\n";
            }
        }
        const Component& fifth = filter.Stage(0).components[4];
        s += "Realisierung von C2 durch Parallelschaltung von 2 x " +
             ComponentText(fifth.name, fifth.value);
    }
    const StageEntry& first = filter.Stage(0);
    const int columns = std::clamp(first.count, 0, kMaxComponents);
    s += "\n\n";
    if (stageColumn) {
        s += "Stufe\t";
    }
    for (int k = 0; k < columns; ++k) {
        if (k > 0) {
            s += '\t';
        }
        s += first.components[static_cast<size_t>(k)].name;
    }
    const int separator = std::min(12 * (columns + (stageColumn ? 1 : 0)), 178);
    s += '\n';
    s.append(static_cast<size_t>(separator), '-');
    for (int i = 0; i < filter.StageCount(); ++i) {
        s += "\n";
        if (stageColumn) {
            s += FormatInt(i + 1) + "\t";
        }
        const StageEntry& stage = filter.Stage(i);
        for (int k = 0; k < columns; ++k) {
            const Component& c = stage.components[static_cast<size_t>(k)];
            // The band-stop's combined resistors are given exactly, in whole ohms.
            const bool whole = bandStop && ((c.name == "R1" && Realised(filter, 0)) ||
                                            (c.name == "R2" && Realised(filter, 1)));
            s += whole ? FormatInt(std::llround(c.value)) : ComponentText(c.name, c.value);
            if (k + 1 < columns) {
                s += "\t";
            }
        }
    }
    return s;
}

}  // namespace vx
