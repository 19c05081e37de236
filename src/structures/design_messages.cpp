#include "structures/design_messages.h"

#include "model/filter_rules.h"
#include "model/number_format.h"

namespace vx {

namespace {

constexpr const char* kCaption = "Filter nicht realisierbar";

}  // namespace

UserMessage StageNotRealisableMessage(int stageNumber) {
    return {kCaption, "Die Filterstufe " + FormatInt(stageNumber) +
                          " lässt sich mit diesen Vorgaben nicht dimensionieren: Ihre "
                          "Kapazitäten müssten weit unter 1 pF liegen.\n\nBitte wählen Sie eine "
                          "kleinere Verstärkung, ein kleineres Impedanzniveau oder eine niedrigere "
                          "Frequenz."};
}

UserMessage GainBelowLowestMessage() {
    return {kCaption,
            "Wegen zu niedriger Güte der Teilfilter müsste die Verstärkung des Filters "
            "unter " +
                FormatInt(static_cast<int>(kLowestGainDb)) +
                " dB reduziert werden.\n\nBitte wählen Sie eine kleinere Bandbreite."};
}

}  // namespace vx
