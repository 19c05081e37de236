#include "plot/plot_mapping.h"

#include <cmath>

#include "model/number_text.h"

namespace vx {

bool PlotMapping::HasReadout(int x, int y) const {
    return designed && x >= left && x <= right && y >= top && y <= bottom &&
           (magnitudeShown || delayShown);
}

double PlotMapping::FrequencyAt(int x) const {
    return referenceFrequency * startFactor * std::exp((x - left) * logSpan / (right - left));
}

std::string PlotMapping::StatusText(int x, int y) const {
    if (!HasReadout(x, y)) {
        return {};
    }
    const std::string gap = "     ";
    std::string text = gap + FormatValue(FrequencyAt(x), true, 4, ValueKind::ANY) + "Hz";
    if (magnitudeShown) {
        text += gap + FormatValueNoMilli(LevelDbAt(y), true, 4, ValueKind::ANY) + " dB";
    }
    if (delayShown) {
        text += gap + FormatValue(DelayAt(y), true, 4, ValueKind::ANY) + "s";
    }
    return text;
}

}  // namespace vx
