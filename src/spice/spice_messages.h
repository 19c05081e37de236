#pragma once

#include <string>
#include <vector>

#include "model/user_message.h"

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
// One of the three reasons above, then kFixConfiguration.
UserMessage ConfigurationMessage(const std::string& reason);
// A netlist or control file in the temporary folder cannot be written.
UserMessage CannotSaveMessage(const std::string& path);
inline constexpr const char* kCannotStart = "Die Spice-Applikation konnte nicht gestartet werden";
// The same, naming the simulator call.
std::string CannotStartText(const std::string& command);

// The configuration dialog: its title, its three fields and an example beside each.
inline constexpr const char* kConfigTitle = "Konfiguration der Spice-Aufrufe";
inline constexpr const char* kCommandLabel = "Spice-Aufruf :";
inline constexpr const char* kTmpPathLabel = "Pfad für temporäre CIR-Datei :";
inline constexpr const char* kLibraryLabel = "Spice-Bibliothek mit OPV-Modellen :";
// The hint under a field.
std::string ExampleHint(const std::string& example);
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
// A simulation that failed with its exit status, or that ran past the time limit in seconds;
// each ends with the last lines ngspice printed (or a note that it printed nothing).
std::string NoResultsText(int exitStatus, const std::vector<std::string>& lastLines);
std::string TimedOutText(int limitSeconds, const std::vector<std::string>& lastLines);
// No simulated point lies within the depth in dB below the maximum that the comparison takes.
UserMessage NothingToCompareMessage(double floorDb);

}  // namespace vx::spice_text
