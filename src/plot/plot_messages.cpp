#include "plot/plot_messages.h"

#include <cmath>

#include "model/input_messages.h"
#include "model/number_format.h"
#include "model/number_text.h"

namespace vx {

UserMessage PlotRangeRefusedMessage() {
    return {"Eingabefehler", "Bitte korrigieren Sie Ihre Eingaben."};
}

std::optional<UserMessage> CheckMarkField(MarkKind kind, int mark, bool checked,
                                          std::string_view text) {
    if (!checked || text.find_first_not_of(' ') == std::string_view::npos || ParseValueText(text)) {
        return std::nullopt;
    }
    if (kind == MarkKind::FREQUENCY) {
        return RangeMessage("Frequenzmarke " + FormatInt(mark), "beliebige Zahl in Hz");
    }
    return RangeMessage("Amplitudenmarke " + FormatInt(mark), "beliebige Zahl in dB");
}

std::optional<UserMessage> CheckPlotRangeField(std::string_view text, std::string_view name,
                                               std::string_view hint) {
    if (ParseValueText(text)) {
        return std::nullopt;
    }
    const size_t first = hint.find_first_not_of("( ");
    const size_t last = hint.find_last_not_of(" )");
    return RangeMessage(name, first <= last && last != std::string_view::npos
                                  ? hint.substr(first, last - first + 1)
                                  : hint);
}

std::string StepFiguresText(double overshootPercent, double riseTime, double settlingTime) {
    std::string text;
    auto add = [&text](const char* name, std::string value) {
        text += (text.empty() ? "" : "   ") + std::string(name) + " " + value;
    };
    if (std::isfinite(overshootPercent)) {
        add("Überschwingen", WithDecimalComma(FormatF(overshootPercent, 2)) + " %");
    }
    if (std::isfinite(riseTime)) {
        add("Anstiegszeit", FormatTime(riseTime));
    }
    if (std::isfinite(settlingTime)) {
        add("Einschwingzeit", FormatTime(settlingTime));
    }
    return text;
}

std::string SpiceDeviationLegend(const std::string& deviationDb, bool below) {
    return std::string("Spice: größte Abweichung ") + (below ? "unter " : "") + deviationDb + " dB";
}

}  // namespace vx
