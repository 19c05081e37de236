#include "plot/plot_messages.h"

#include "model/filter.h"
#include "model/number_text.h"

namespace vx {

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

UserMessage PlotRangeRefusedMessage() {
    return {"Eingabefehler", "Bitte korrigieren Sie Ihre Eingaben."};
}

}  // namespace vx
