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

std::string SchemeMaskText(const ToleranceScheme& scheme) {
    std::string text = "Ihr Toleranzschema im dargestellten Frequenzbereich: ";
    const auto lines = SchemeLines(scheme);
    // The limits on delay and overshoot are not part of the magnitude mask.
    for (size_t i = 0; i < 2 && i < lines.size(); ++i) {
        text += (i > 0 ? "; " : "");
        text += lines[i].first + " " + lines[i].second;
    }
    return text;
}

}  // namespace vx::tolerance_text
