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
                          "Kapazitäten fielen unter den kleinsten Wert von 1 pF.\n\nBitte wählen "
                          "Sie ein kleineres Impedanzniveau, eine niedrigere Frequenz oder eine "
                          "kleinere Verstärkung."};
}

UserMessage GainBelowLowestMessage() {
    return {kCaption,
            "Wegen zu niedriger Güte der Teilfilter müsste die Verstärkung des Filters "
            "unter " +
                FormatInt(static_cast<int>(kLowestGainDb)) +
                " dB reduziert werden.\n\nBitte wählen Sie eine kleinere Bandbreite."};
}

}  // namespace vx
