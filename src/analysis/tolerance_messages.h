#pragma once

#include <string>

#include "model/tolerance_scheme.h"

// The tolerance analysis's texts for the user.
namespace vx::tolerance_text {

inline constexpr const char* kCaption = "Toleranzanalyse";
inline constexpr const char* kToleranceRange =
    "Die Toleranzen müssen zwischen 0 und 50 % liegen.\n\nBitte korrigieren Sie Ihre Eingabe.";
inline constexpr const char* kRunsRange =
    "Die Anzahl der Durchläufe muss zwischen 1 und 10000 liegen.\n\nBitte korrigieren Sie Ihre "
    "Eingabe.";
inline constexpr const char* kSeedRange =
    "Der Startwert des Zufallsgenerators muss eine ganze Zahl ab 0 sein.\n\nBitte korrigieren "
    "Sie Ihre Eingabe.";

// Settings.
inline constexpr const char* kResistors = "Toleranz der Widerstände";
inline constexpr const char* kCapacitors = "Toleranz der Kondensatoren";
inline constexpr const char* kGainBandwidth = "Streuung des Verstärkungs-Bandbreite-Produkts";
inline constexpr const char* kNone = "keine";
inline constexpr const char* kDistribution = "Verteilung";
inline constexpr const char* kUniform = "gleichverteilt";
inline constexpr const char* kNormal = "normalverteilt (Toleranz = 3 σ)";
inline constexpr const char* kRuns = "Anzahl der Durchläufe";
inline constexpr const char* kSeed = "Startwert des Zufallsgenerators";

// Figures of a low-pass or high-pass, with the cutoff's drop in dB and the frequency of the
// pass-band gain (both already formatted with their units).
std::string CutoffFigure(const std::string& drop);
std::string PassBandGainFigure(const std::string& frequency);
inline constexpr const char* kCentre = "Mittenfrequenz";
inline constexpr const char* kCentreGain = "Verstärkung bei der Mittenfrequenz";
inline constexpr const char* kNotch = "Kerbfrequenz";
inline constexpr const char* kNotchDepth = "Kerbtiefe";
inline constexpr const char* kFigure = "Kennwert";
inline constexpr const char* kNominal = "Ihr Filter";
inline constexpr const char* kMean = "Mittelwert";
inline constexpr const char* kDeviation = "Standardabweichung";
inline constexpr const char* kMinimum = "Minimum";
inline constexpr const char* kMaximum = "Maximum";
// The runs whose figures fell outside the plotted range.
std::string RunsWithoutValueNote(int missing, int runs);

// Yield.
inline constexpr const char* kYield = "Ausbeute";
// The yield (already formatted as a percentage) and the runs that gave it.
std::string YieldText(const std::string& percent, int passed, int runs);
inline constexpr const char* kMask = "Toleranzmaske";
inline constexpr const char* kMaskText =
    "±0,5 dB um den Sollfrequenzgang, wo dieser höchstens 3 dB unter seinem Maximum liegt; "
    "jenseits der Bandgrenzen eine Dämpfung von wenigstens der des Sollfrequenzgangs weniger "
    "3 dB, höchstens aber 37 dB";
// The user's scheme as the mask: its bands, checked on the plotted range only.
std::string SchemeMaskText(const ToleranceScheme& scheme);
inline constexpr const char* kNominalInMask = "Ihr Filter in der Toleranzmaske";
inline constexpr const char* kYes = "ja";
inline constexpr const char* kNo = "nein";

// Sensitivities.
inline constexpr const char* kSensitivities = "Empfindlichkeiten der Pole";
inline constexpr const char* kStage = "Stufe";
inline constexpr const char* kPole = "Pol";
inline constexpr const char* kComponent = "Bauteil";
inline constexpr const char* kPolePair = "Polpaar";
inline constexpr const char* kRealPole = "reeller Pol";
inline constexpr const char* kFrequencySensitivity = "S(fp)";
inline constexpr const char* kQualitySensitivity = "S(Q)";

// The settings dialog: its title is kCaption.
inline constexpr const char* kTolerancesGroup = "Toleranzen";
inline constexpr const char* kResistorsLabel = "Widerstände [%] :";
inline constexpr const char* kCapacitorsLabel = "Kondensatoren [%] :";
inline constexpr const char* kGainBandwidthLabel = "Verstärkungs-Bandbreite-Produkt [%] :";
inline constexpr const char* kToleranceNote = "( 0 .. 50 )";
inline constexpr const char* kGainBandwidthNote = "( 0 .. 50, 0 = keine Streuung )";
inline constexpr const char* kRunsGroup = "Durchläufe";
inline constexpr const char* kRunsLabel = "Anzahl der Durchläufe :";
inline constexpr const char* kRunsNote = "( 1 .. 10000 )";
inline constexpr const char* kSeedLabel = "Startwert des Zufallsgenerators :";
inline constexpr const char* kSeedNote = "( gleicher Startwert, gleiches Ergebnis )";

// The result window.
inline constexpr const char* kResultTitle = "Ergebnis - Toleranzanalyse";
inline constexpr const char* kSettingsGroup = "Einstellungen";
inline constexpr const char* kFiguresGroup = "Kennwerte über alle Durchläufe";

// The band in the plot.
inline constexpr const char* kBandLegend = "Toleranzband 5 % bis 95 %";

}  // namespace vx::tolerance_text
