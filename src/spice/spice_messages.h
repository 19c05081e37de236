#pragma once

// The texts the Spice commands show to the user.
namespace vx::spice_text {

inline constexpr const char* kCaptionCall = "Spice-Aufruf";
inline constexpr const char* kCaptionError = "Fehler";

inline constexpr const char* kNoExecutable = "Der Spice-Aufruf enthält keine EXE-Datei.";
inline constexpr const char* kNoTmpPath =
    "Der Pfad für die temporäre CIR-Datei wurde nicht angegeben.";
inline constexpr const char* kNoLibrary = "Es wurde keine Spice-Bibliothek (LIB-Datei) angegeben.";
inline constexpr const char* kFixConfiguration =
    "Ihre Spice-Konfiguration in Veltranix ist unvollständig oder fehlerhaft.\n"
    "Sie müssen den Menüpunkt \"Spice-Konfiguration\" aufrufen und den Eintrag korrigieren.";
inline constexpr const char* kCannotSave =
    " kann nicht gespeichert werden.\n\n"
    "Bitte ändern Sie im Menüpunkt Spice-Konfiguration den Pfad für temporäre Dateien.";
inline constexpr const char* kCannotStart = "Die Spice-Applikation konnte nicht gestartet werden";

// The configuration dialog: its title, its three fields and an example beside each.
inline constexpr const char* kConfigTitle = "Konfiguration der Spice-Aufrufe";
inline constexpr const char* kCommandLabel = "Spice-Aufruf :";
inline constexpr const char* kTmpPathLabel = "Pfad für temporäre CIR-Datei :";
inline constexpr const char* kLibraryLabel = "Spice-Bibliothek mit OPV-Modellen :";
inline constexpr const char* kExamplePrefix = "z. B. ";
inline constexpr const char* kCommandExample =
    "ngspice (zeigt die Ergebnisse) oder der Pfad eines anderen Simulators";

// The analyses as the result window of a simulation names them.
inline constexpr const char* kResultWindowTitle = "Spice-Ergebnis";
inline constexpr const char* kTitleAmplitudeDb = "Amplitudengang in dB";
inline constexpr const char* kTitleAmplitudeLinear = "Amplitudengang linear";
inline constexpr const char* kTitlePhase = "Phasengang";
inline constexpr const char* kTitleGroupDelay = "Gruppenlaufzeit";
inline constexpr const char* kTitleStepResponse = "Sprungantwort";
inline constexpr const char* kTitleAll = "Amplitude, Phase und Laufzeit";
// The wait dialog while ngspice runs.
inline constexpr const char* kWaitTitle = "Spice-Simulation";
inline constexpr const char* kWaitText = "ngspice simuliert das Filter ...";

// The check of a design against a simulation in ngspice.
inline constexpr const char* kCaptionCheck = "Spice-Vergleich";
inline constexpr const char* kNoScratchFolder =
    "Für die Simulation kann kein temporärer Ordner angelegt werden.";
inline constexpr const char* kCannotSaveScratch = " kann nicht gespeichert werden.";
// A simulation that failed: followed by the simulator's exit status, ")." and what it printed
// last.
inline constexpr const char* kNoResults = "Die Simulation hat keine Ergebnisse geliefert (Status ";
// Around the time limit in seconds.
inline constexpr const char* kTimedOut = "ngspice wurde nach ";
inline constexpr const char* kTimedOutEnd = " s abgebrochen, weil die Simulation nicht endete.";
// Heads the last lines ngspice printed.
inline constexpr const char* kPrintedLast = "Zuletzt gab ngspice aus:";
inline constexpr const char* kNothingPrinted = "ngspice hat nichts ausgegeben.";
// Around the depth in dB below the maximum that the comparison leaves out.
inline constexpr const char* kNothingToCompare =
    "Kein Frequenzpunkt der Simulation liegt weniger als ";
inline constexpr const char* kNothingToCompareEnd = " dB unter dem Maximum.";

}  // namespace vx::spice_text
