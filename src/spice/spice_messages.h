#pragma once

#include <string>
#include <vector>

#include "model/user_message.h"

// The texts the Spice commands show to the user.
namespace vx::spice_text {

inline constexpr const char* kCaptionCall = "Spice-Aufruf";
inline constexpr const char* kCaptionError = "Fehler";

// What the check of the configuration found: an empty call or library, a call that names no
// program on the disk or the search path, a library that is no file.
inline constexpr const char* kNoExecutable = "Der Spice-Aufruf enthält keine EXE-Datei.";
std::string ProgramNotFoundText(const std::string& command);
inline constexpr const char* kNoTmpPath =
    "Der Pfad für die temporäre CIR-Datei wurde nicht angegeben.";
inline constexpr const char* kNoLibrary = "Es wurde keine Spice-Bibliothek (LIB-Datei) angegeben.";
std::string LibraryMissingText(const std::string& library);
// The menu entry that opens the configuration, spelled as the menu shows it.
inline constexpr const char* kConfigurationEntry = "\"Spice, Konfiguration...\"";
// What to do about any of them.
std::string FixConfigurationText();
// One of the reasons above, then FixConfigurationText.
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
