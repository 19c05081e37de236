#include "report/result_texts.h"

#include "model/number_text.h"
#include "structures/filter_structure.h"

namespace vx {

std::vector<std::array<std::string, 5>> FilterParameterRows(const CFilterStructure& structure) {
    std::vector<std::array<std::string, 5>> rows = {
        {"Stufe", "Güte", "Frequenz", "Norm. Freq.", "Verstärkung"}};
    for (const StageTableRow& row : structure.FormatStageTable()) {
        rows.push_back(row);
    }
    return rows;
}

std::string GainReducedNotice(double gainDb) {
    return "Wegen zu niedriger Güte der Teilfilter für die geforderte Verstärkung musste die "
           "Verstärkung des Filters auf " +
           FormatValueNoMilli(gainDb, false, 4, ValueKind::ANY) + " dB reduziert werden.";
}

UserMessage NoDesignMessage(const std::string& caption) {
    return {caption,
            "Es wurde noch kein Filter berechnet.\n\nBitte starten Sie mit dem Menüpunkt "
            "\"Datei, Neues Filter\"."};
}

}  // namespace vx
