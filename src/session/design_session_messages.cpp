#include "session/design_session_messages.h"

#include "model/filter.h"
#include "model/number_format.h"
#include "model/number_text.h"

namespace vx {

UserMessage CapacitorNotStoredMessage(const std::string& promptTitle) {
    return {promptTitle, "Die Kapazität ist nicht gespeichert."};
}

UserMessage StoredCapacitorMismatchMessage(const std::string& explanation) {
    return {"Kapazitäten", explanation};
}

std::string DesignProgressLine(const DesignProgress& progress) {
    std::string line = "Stufe ";
    line += FormatInt(progress.stage + 1);
    line += ", Durchlauf ";
    line += FormatInt(progress.retry + 1);
    line += ": ";
    line += FormatInt(progress.percent);
    line += " %";
    return line;
}

UserMessage NoDesignMessage(const std::string& caption) {
    return {caption,
            "Es wurde noch kein Filter berechnet.\n\nBitte starten Sie mit dem Menüpunkt "
            "\"Datei, Neues Filter\"."};
}

UserMessage GainReducedMessage(double gainDb) {
    return {"Verstärkung reduziert",
            "Wegen zu niedriger Güte der Teilfilter für die geforderte Verstärkung musste die "
            "Verstärkung des Filters auf " +
                FormatValueNoMilli(gainDb, true, 4, ValueKind::ANY) + " dB reduziert werden."};
}

std::optional<UserMessage> TakeGainReducedNotice(CFilter& filter) {
    if (!filter.gainReduced) {
        return std::nullopt;
    }
    filter.gainReduced = false;
    return GainReducedMessage(filter.GainDb());
}

std::string RedesignUndoneLine() {
    return "Der neue Entwurf wurde abgebrochen; der vorige Entwurf bleibt erhalten.";
}

}  // namespace vx
