#include "analysis/tolerance_messages.h"

#include "model/number_format.h"

namespace vx::tolerance_text {

std::string CutoffFigure(const std::string& drop) {
    return "Grenzfrequenz (" + drop + " unter der Durchlassverstärkung)";
}

std::string PassBandGainFigure(const std::string& frequency) {
    return "Durchlassverstärkung bei " + frequency;
}

std::string RunsWithoutValueNote(int missing, int runs) {
    return FormatInt(missing) + " von " + FormatInt(runs) +
           " Durchläufen ohne Wert (außerhalb des dargestellten Bereichs)";
}

std::string YieldText(const std::string& percent, int passed, int runs) {
    return percent + " (" + FormatInt(passed) + " von " + FormatInt(runs) +
           " Durchläufen in der Toleranzmaske)";
}

}  // namespace vx::tolerance_text
