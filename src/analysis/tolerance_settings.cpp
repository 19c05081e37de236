#include "analysis/tolerance_settings.h"

#include "analysis/tolerance_messages.h"

namespace vx {

double DefaultResistorTolerance(ResistorSeries series) {
    switch (series) {
        case ResistorSeries::E12:
        case ResistorSeries::E24:
            return 0.05;
        case ResistorSeries::E48:
            return 0.02;
        case ResistorSeries::E96:
            return 0.01;
        case ResistorSeries::E192:
            return 0.005;
    }
    return 0.05;
}

ToleranceSettings ToleranceSettings::For(const CFilter& filter) {
    ToleranceSettings settings;
    settings.resistorTolerance = DefaultResistorTolerance(filter.GetResistorSeries());
    return settings;
}

std::optional<UserMessage> CheckToleranceSettings(const ToleranceSettings& s) {
    for (double t : {s.resistorTolerance, s.capacitorTolerance, s.gainBandwidthSpread}) {
        // Written so that a value that is not a number is refused too.
        if (!(t >= 0.0 && t <= ToleranceSettings::kMaxTolerance)) {
            return UserMessage{tolerance_text::kCaption, tolerance_text::kToleranceRange};
        }
    }
    if (s.runs < 1 || s.runs > ToleranceSettings::kMaxRuns) {
        return UserMessage{tolerance_text::kCaption, tolerance_text::kRunsRange};
    }
    return std::nullopt;
}

}  // namespace vx
