#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/user_message.h"

// The plot's and the graph options' texts for the user.
namespace vx {

inline constexpr const char* kCancelledText = "Die letzte Berechnung wurde abgebrochen.";
inline constexpr const char* kNoCurveText = "Ihr Filter wurde berechnet.";

inline constexpr const char* kTargetLegend = "Sollfrequenzgang";
inline constexpr const char* kTraditionalLegend = "Traditioneller Entwurf";
inline constexpr const char* kFilterLegend = "Ihr Filter";
inline constexpr const char* kGroupDelayLegend = "Gruppenlaufzeit";
// The legend of the simulated magnitude laid over the diagram, with its largest deviation in
// dB (already formatted); `below` when the deviation is under that figure.
std::string SpiceDeviationLegend(const std::string& deviationDb, bool below);

// The views of the diagram beside magnitude and group delay: their value axis.
inline constexpr const char* kPhaseLabel = "Phase";
inline constexpr const char* kStepLabel = "Sprungantwort auf 1 V";
inline constexpr const char* kImpulseLabel = "Impulsantwort";
inline constexpr const char* kNoiseDensityLabel = "Rauschdichte am Ausgang";
inline constexpr const char* kStageGainLabel = "Verstärkung bis zu den OPV-Ausgängen";
// "Überschwingen 4,32 %   Anstiegszeit 35,2 µs   Einschwingzeit 120 µs" of a step response
// (NaN figures are left out).
std::string StepFiguresText(double overshootPercent, double riseTime, double settlingTime);

// Captions of a chart's horizontal axis.
inline constexpr const char* kChartFrequencyAxis = "Frequenz [Hz]";
inline constexpr const char* kChartTimeAxis = "Zeit [s]";

// The frequency range dialog refuses the pair.
UserMessage PlotRangeRefusedMessage();
// A field of the frequency range dialog whose text is no number: the range message naming the
// field `name`, with the bounds of its hint "( >= 0,01  und  < 1 )"; nothing for a number.
// A mark (counted from 1) whose ticked field holds no number: the range message naming the
// mark; nothing for a number, an empty field or a mark that is not ticked.
enum class MarkKind { FREQUENCY, AMPLITUDE };
std::optional<UserMessage> CheckMarkField(MarkKind kind, int mark, bool checked,
                                          std::string_view text);
std::optional<UserMessage> CheckPlotRangeField(std::string_view text, std::string_view name,
                                               std::string_view hint);

}  // namespace vx
