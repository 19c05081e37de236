#include "plot/plot_messages.h"

namespace vx {

UserMessage PlotRangeRefusedMessage() {
    return {"Eingabefehler", "Bitte korrigieren Sie Ihre Eingaben."};
}

std::string SpiceDeviationLegend(const std::string& deviationDb, bool below) {
    return std::string("Spice: größte Abweichung ") + (below ? "unter " : "") + deviationDb + " dB";
}

}  // namespace vx
