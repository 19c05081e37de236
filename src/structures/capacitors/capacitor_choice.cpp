#include "structures/capacitors/capacitor_choice.h"

#include <algorithm>
#include <cmath>

#include "model/filter.h"
#include "model/input_messages.h"
#include "model/number_format.h"
#include "model/number_text.h"
#include "model/standard_value.h"
#include "structures/capacitors/capacitor_dialog_texts.h"
#include "structures/filter_structure.h"

namespace vx {

double E12AtOrAbove(double minimum) {
    if (!std::isfinite(minimum)) {
        return minimum;
    }
    StandardValue v(12, minimum);
    if (v.Position() < 0) {
        // Below the zero limit of the rounding there is no value to step up from; the smallest
        // value the rounding gives (1 pF) is then the first one not below a positive minimum.
        return minimum > 0.0 ? RoundedToSeries(1e-12, 12) : 0.0;
    }
    while (v.Value() < minimum) {
        v.Next();
    }
    return v.Value();
}

double E12AtOrBelow(double maximum) {
    if (!std::isfinite(maximum)) {
        return maximum;
    }
    if (maximum <= 0.0) {
        return 0.0;  // no positive value lies at or below it
    }
    StandardValue v(12, maximum);
    while (v.Value() > maximum) {
        v.Previous();
    }
    return v.Value();
}

double CapacitorProposal(double value, double minimum) {
    return minimum > value ? E12AtOrAbove(minimum) : value;
}

bool CapacitorEntryAccepted(double value, double minimum) {
    return value + 1e-20 > minimum;
}

std::string CapacitorPromptTitle(const std::string& caption, int stageNumber, int stageCount) {
    return "Kapazität vorgeben: " + caption + " in Stufe " + FormatInt(stageNumber) + " von " +
           FormatInt(stageCount);
}

UserMessage CapacitorBelowMinimumMessage() {
    return {"Eingabefehler", "Der eingegebene Wert ist kleiner als der zulässige Mindestwert."};
}

std::variant<double, UserMessage> ReadCapacitorEntry(std::string_view text, const std::string& name,
                                                     double minimum) {
    const std::optional<double> value = ParseValueText(text);
    if (!value) {
        return RangeMessage(name, minimum > 0.0 ? ">= " + FormatCapacitance(minimum) : ">= 0");
    }
    if (!CapacitorEntryAccepted(*value, minimum)) {
        return CapacitorBelowMinimumMessage();
    }
    return *value;
}

std::string EditStageLabel(int stageNumber) {
    return "Stufe " + FormatInt(stageNumber);
}

std::string FormatCapacitance(double farad) {
    return FormatValueWithUnit(farad, false, 4, ValueKind::CAPACITANCE, "F");
}

MismatchOptions MakeMismatchOptions(int stageNumber, double c1, double c2, double ratio) {
    MismatchOptions o;
    o.proposedC2 = E12AtOrAbove(ratio * c1);
    o.proposedC1 = E12AtOrBelow(c2 / ratio);
    o.text =
        "Die Filterstufe " + FormatInt(stageNumber) +
        " dieses Filters kann mit den gespeicherten Kapazitäten\n\nC1 = " + FormatCapacitance(c1) +
        "  und  C2 = " + FormatCapacitance(c2) +
        "  nicht realisiert werden,\n\nweil das Verhältnis der Kapazitäten C2/C1 < " +
        FormatF(ratio, 6) +
        " ist.\n\nDaher müssen Sie wenigstens eine der beiden Kapazitäten ändern.\n\n\n"
        "Wählen Sie eine der folgenden Möglichkeiten:";
    o.changeC2 = "C2 ändern (Mindestwert: " + FormatCapacitance(o.proposedC2) + ").";
    o.changeC1 = "C1 ändern (Maximalwert: " + FormatCapacitance(o.proposedC1) + ").";
    o.changeBoth = "C1 und C2 ändern (Dialog folgt nach OK).";
    return o;
}

std::optional<UserMessage> CheckNewC2(double c1, double c2, double ratio) {
    if (std::isnan(c2)) {
        return RangeMessage("C2", ">= " + FormatCapacitance(ratio * c1));
    }
    if (c2 / c1 >= ratio) {
        return std::nullopt;
    }
    return UserMessage{"Fehler: C2 zu klein",
                       "Der eingebene Wert von C2 ist zu klein.\n\nBitte korrigieren Sie Ihre "
                       "Eingabe."};
}

std::optional<UserMessage> CheckNewC1(double c1, double c2, double ratio) {
    // C1 = 0 would reach any ratio.
    if (!(c1 > 0.0)) {
        return RangeMessage("C1", "> 0  und  <= " + FormatCapacitance(c2 / ratio));
    }
    if (c2 / c1 >= ratio) {
        return std::nullopt;
    }
    return UserMessage{"Fehler: C1 zu groß",
                       "Der eingebene Wert von C1 ist zu groß.\n\nBitte korrigieren Sie Ihre "
                       "Eingabe."};
}

bool CapacitorsMustBeAsked(const CFilter& filter) {
    return filter.CapsEnteredOrder() < filter.Order() ||
           (filter.Type() == FilterType::HIGHPASS && filter.Structure() == StructureKind::MFB);
}

std::optional<UserMessage> CapacitorEditRefusal(const CFilter& filter) {
    if (filter.Structure() != StructureKind::SALLEN_KEY_X) {
        return std::nullopt;
    }
    return UserMessage{kEditCapacitorsTitle, kThirdOrderCapacitorsSearched};
}

void KeepEditedCapacitors(CFilter& filter) {
    SpecificationBlock block = filter.Specification();
    block.capacitorMode = CapacitorMode::ENTER;
    filter.SetSpecification(block, filter.Structure(), filter.Type());
    filter.SetCapsEnteredOrder(filter.Order());
}

std::vector<StageCapacitors> StoredCapacitors(const CFilterStructure& structure) {
    std::vector<StageCapacitors> caps;
    for (int i = 0; i < structure.StageCount(); ++i) {
        caps.push_back({structure.StoredCapacitor(i, 0), structure.StoredCapacitor(i, 1)});
    }
    return caps;
}

double EditedCapacitorMinimum(const CFilterStructure& structure, int stage, int which,
                              double firstCapacitor) {
    const double minimum = structure.MinimumCapacitor(stage, which, firstCapacitor);
    if (firstCapacitor != structure.StoredCapacitor(stage, 0)) {
        return minimum;
    }
    return std::min(minimum, structure.StoredCapacitor(stage, which));
}

std::optional<UserMessage> CheckEditedCapacitors(const CFilterStructure& structure,
                                                 const std::vector<StageCapacitors>& caps) {
    const auto [firstLabel, secondLabel] = structure.CapacitorLabels();
    for (int i = 0; i < static_cast<int>(caps.size()); ++i) {
        const StageCapacitors& c = caps[static_cast<size_t>(i)];
        const bool firstOk =
            CapacitorEntryAccepted(c.first, EditedCapacitorMinimum(structure, i, 0, c.first));
        const bool secondOk =
            secondLabel.empty() || structure.IsFirstOrderStage(i) ||
            CapacitorEntryAccepted(c.second, EditedCapacitorMinimum(structure, i, 1, c.first));
        if (!firstOk || !secondOk) {
            return UserMessage{"Eingabefehler", "Der Wert von " +
                                                    (firstOk ? secondLabel : firstLabel) +
                                                    " in Stufe " + FormatInt(i + 1) +
                                                    " ist kleiner als der zulässige Mindestwert."};
        }
    }
    return std::nullopt;
}

void ApplyEditedCapacitors(CFilterStructure& structure, const std::vector<StageCapacitors>& caps) {
    for (int i = 0; i < static_cast<int>(caps.size()); ++i) {
        const StageCapacitors& c = caps[static_cast<size_t>(i)];
        structure.DesignFromCapacitors(i, c.first, c.second);
    }
}

}  // namespace vx
