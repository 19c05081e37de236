#pragma once

#include <string>

#include "model/user_message.h"

// The plot's and the graph options' texts for the user.
namespace vx {

inline constexpr const char* kCancelledText = "Die letzte Berechnung wurde abgebrochen.";
inline constexpr const char* kNoCurveText = "Ihr Filter wurde berechnet.";

inline constexpr const char* kTargetLegend = "Sollfrequenzgang";
inline constexpr const char* kTraditionalLegend = "Traditioneller Entwurf";
inline constexpr const char* kFilterLegend = "Ihr Filter";
inline constexpr const char* kGroupDelayLegend = "Gruppenlaufzeit";
// The simulated magnitude laid over the diagram; its largest deviation follows.
inline constexpr const char* kSpiceLegend = "Spice";
inline constexpr const char* kSpiceDeviation = ": größte Abweichung ";
inline constexpr const char* kSpiceDeviationBelow = "unter ";

// Captions of a chart's horizontal axis.
inline constexpr const char* kChartFrequencyAxis = "Frequenz [Hz]";
inline constexpr const char* kChartTimeAxis = "Zeit [s]";

// The frequency range dialog refuses the pair.
UserMessage PlotRangeRefusedMessage();

}  // namespace vx
