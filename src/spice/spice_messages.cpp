#include "spice/spice_messages.h"

#include "model/number_format.h"

namespace vx::spice_text {

namespace {

std::string LastOutputText(const std::vector<std::string>& lines) {
    if (lines.empty()) {
        return "\n\nngspice hat nichts ausgegeben.";
    }
    std::string text = "\n\nZuletzt gab ngspice aus:";
    for (const std::string& line : lines) {
        text += "\n" + line;
    }
    return text;
}

}  // namespace

std::string FixConfigurationText() {
    return std::string(
               "Ihre Spice-Konfiguration in Veltranix ist unvollständig oder fehlerhaft.\n"
               "Sie müssen den Menüpunkt ") +
           kConfigurationEntry + " aufrufen und den Eintrag korrigieren.";
}

UserMessage ConfigurationMessage(const std::string& reason) {
    return {kCaptionCall, reason + "\n\n" + FixConfigurationText()};
}

std::string ProgramNotFoundText(const std::string& command) {
    return "Das Programm \"" + command + "\" wurde nicht gefunden.";
}

std::string LibraryMissingText(const std::string& library) {
    return "Die Bibliothek \"" + library + "\" existiert nicht.";
}

UserMessage CannotSaveMessage(const std::string& path) {
    return {kCaptionCall, path +
                              " kann nicht gespeichert werden.\n\nBitte ändern Sie im Menüpunkt " +
                              kConfigurationEntry + " den Pfad für temporäre Dateien."};
}

std::string CannotStartText(const std::string& command) {
    return std::string(kCannotStart) + ": " + command;
}

std::string ExampleHint(const std::string& example) {
    return "z. B. " + example;
}

std::string NoResultsText(int exitStatus, const std::vector<std::string>& lastLines) {
    return "Die Simulation hat keine Ergebnisse geliefert (Status " + FormatInt(exitStatus) + ")." +
           LastOutputText(lastLines);
}

std::string TimedOutText(int limitSeconds, const std::vector<std::string>& lastLines) {
    return "ngspice wurde nach " + FormatInt(limitSeconds) +
           " s abgebrochen, weil die Simulation nicht endete." + LastOutputText(lastLines);
}

UserMessage NothingToCompareMessage(double floorDb) {
    return {kCaptionCheck, "Kein Frequenzpunkt der Simulation liegt weniger als " +
                               FormatG(floorDb) + " dB unter dem Maximum."};
}

}  // namespace vx::spice_text
