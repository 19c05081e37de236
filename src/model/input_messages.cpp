#include "model/input_messages.h"

#include "model/number_format.h"

namespace vx {

UserMessage RangeMessage(std::string_view name, std::string_view range) {
    std::string text = "Der Wert des Parameters \"";
    text += name;
    text += "\" liegt außerhalb des zulässigen Bereichs [ ";
    text += range;
    text += " ].\n\n";
    text += kPleaseCorrect;
    return {"Eingabefehler", text};
}

UserMessage InvalidParameterMessage(std::string_view name, std::string_view reason) {
    std::string text = "Der Wert des Parameters \"";
    text += name;
    text += "\" ist ungültig :\n\n";
    text += reason;
    text += "\n\n";
    text += kPleaseCorrect;
    return {"Eingabefehler", text};
}

UserMessage OddOrderMessage() {
    return InvalidParameterMessage("Ordnung", "Die Ordnung ist nicht gerade.");
}

UserMessage StageGainNotPositiveMessage(int stage) {
    return {"Eingabefehler",
            "Der eingegebene Wert für die Stufe " + FormatInt(stage) + " ist nicht größer 0."};
}

UserMessage StageGainBelowOneMessage(int stage) {
    return {"Eingabefehler", "Der eingegebene Wert für die Stufe " + FormatInt(stage) +
                                 " ist kleiner als 1.\n\nEine Sallen-Key-Stufe kann nicht "
                                 "abschwächen."};
}

UserMessage PoleParameterNotPositiveMessage(std::string_view name, int stage) {
    std::string text = "Der Parameter \"";
    text += name;
    text += "\" für die Stufe " + FormatInt(stage) + " ist nicht größer als 0.\n\n";
    text += kPleaseCorrect;
    return {"Eingabefehler in Parameter der individuellen Charakteristik", text};
}

UserMessage BandwidthOutOfRangeMessage(const std::string& centre, const std::string& lowest,
                                       const std::string& highest) {
    return {"Eingabefehler",
            "Aus Ihren Eingaben ergibt sich eine Mittenfrequenz von " + centre +
                " Hz.\n\nDies erfordert eine Bandbreite von " + lowest + " .. " + highest +
                " Hz, da die Güte im Bereich 0,1 .. 30 liegen muss.\n\nBitte ändern Sie den "
                "Abstand der beiden Frequenzen entsprechend."};
}

}  // namespace vx
