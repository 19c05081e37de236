#include "session/design_check_messages.h"

namespace vx::check {

std::string PassBandDeviationMessage(const std::string& deviation, bool above,
                                     const std::string& frequency) {
    return "Ihr Filter liegt im Durchlassbereich um bis zu " + deviation +
           (above ? " über" : " unter") + " der Sollkurve (bei " + frequency + ").";
}

std::string GainBandwidthMessage(int stage, const std::string& opAmp, const std::string& has,
                                 const std::string& needs) {
    return "Stufe " + std::to_string(stage) + ": Der Operationsverstärker " + opAmp + " hat ein " +
           "Verstärkungs-Bandbreite-Produkt von " + has + ", die Stufe braucht mindestens " +
           needs + ".";
}

std::string PartRangeMessage(int stage, const std::string& part, const std::string& value,
                             const std::string& low, const std::string& high) {
    return "Stufe " + std::to_string(stage) + ": " + part + " = " + value +
           " liegt außerhalb dessen, was sich bauen lässt (" + low + " bis " + high + ").";
}

std::string WidenedWindowMessage(int stage, const std::string& asked, const std::string& taken) {
    return "Stufe " + std::to_string(stage) + ": Im Impedanzfenster " + asked +
           " liegen keine Werte, die der Sollkurve so nahe kommen wie die gerundeten oder die "
           "Nachbarwerte; die Suche "
           "über alle Kombinationen nahm das Fenster " +
           taken + ".";
}

std::string NoCombinationMessage(int stage, const std::string& widest) {
    return "Stufe " + std::to_string(stage) + ": Bis zum Impedanzfenster " + widest +
           " liegen keine Werte, die der Sollkurve so nahe kommen wie die gerundeten oder die "
           "Nachbarwerte; die Stufe "
           "wurde mit den Nachbarwerten gesucht.";
}

std::string FindingsSummary(size_t count) {
    if (count == 0) {
        return "";
    }
    const std::string many = count == 1 ? "1 Warnung" : std::to_string(count) + " Warnungen";
    return many + " zum Entwurf, siehe \"Ergebnis, Dimensionierung...\"";
}

}  // namespace vx::check
