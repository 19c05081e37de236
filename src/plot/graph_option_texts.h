#pragma once

// The texts of the graph option dialogs and of the plot's print commands.
namespace vx {

// Frequency range.
inline constexpr const char* kRangeTitle = "Grafik - Frequenzbereich";
inline constexpr const char* kRangeGroup =
    "Frequenzbereich für die grafische Darstellung und für Spice";
inline constexpr const char* kRangeStartFactorLabel = "Anfangsfrequenz, als Faktor von";
inline constexpr const char* kRangeEndFactorLabel = "Endfrequenz, als Faktor von";
inline constexpr const char* kRangeStartFactorHint = "(  >= 0,01  und  < 1  )";
inline constexpr const char* kRangeEndFactorHint = "(  > 1  und  <= 100  )";
inline constexpr const char* kRangeOr = "ODER :";
inline constexpr const char* kRangeStartHzLabel = "Anfangsfrequenz in Hz :";
inline constexpr const char* kRangeEndHzLabel = "Endfrequenz in Hz :";
inline constexpr const char* kRangeStandardButton = "Standard";

// Frequency marks and amplitude marks.
inline constexpr const char* kFrequencyMarksTitle = "Grafik - Frequenzmarken";
inline constexpr const char* kFrequencyMarkColumn = "Frequenz [Hz]";
inline constexpr const char* kFrequencyMarkLevelColumn = "Amplitude";
inline constexpr const char* kAmplitudeMarksTitle = "Grafik - Amplitudenmarken";
inline constexpr const char* kAmplitudeMarkColumn = "Amplitude [dB]";

// Curve selection; the check boxes carry the curves' legends.
inline constexpr const char* kCurvesTitle = "Grafik - Kurvenauswahl";
inline constexpr const char* kCurvesGroup = "Nach jeder Berechnung darzustellende Frequenzgänge";

// Printing the diagram.
inline constexpr const char* kGraphPageSetupTitle = "Grafik-Druckeinrichtung";
inline constexpr const char* kGraphPreviewTitle = "Datei - Grafik-Seitenansicht";
inline constexpr const char* kGraphPrintTitle = "Grafik drucken";

}  // namespace vx
