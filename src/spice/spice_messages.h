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

// The check of a design against a simulation in ngspice.
inline constexpr const char* kCaptionCheck = "Spice-Vergleich";
inline constexpr const char* kNoScratchFolder =
    "Für die Simulation kann kein temporärer Ordner angelegt werden.";
inline constexpr const char* kCannotSaveScratch = " kann nicht gespeichert werden.";
// Followed by the simulator's exit status, ").\n\n" and its log.
inline constexpr const char* kNoResults = "Die Simulation hat keine Ergebnisse geliefert (Status ";
// Around the depth in dB below the maximum that the comparison leaves out.
inline constexpr const char* kNothingToCompare =
    "Kein Frequenzpunkt der Simulation liegt weniger als ";
inline constexpr const char* kNothingToCompareEnd = " dB unter dem Maximum.";

}  // namespace vx::spice_text
