#include "files/specification_messages.h"

#include "model/number_format.h"

namespace vx {

UserMessage SaveSpecificationFailedMessage(const std::string& path) {
    return {"Spezifikation speichern",
            path +
                " kann nicht gespeichert werden.\n\nBitte speichern Sie auf einem anderen "
                "Laufwerk."};
}

UserMessage InvalidValueMessage(const std::string& key, int stage) {
    const std::string where = stage > 0 ? "[STAGE " + FormatInt(stage) + "]\n\n" : "";
    return {"Fehler in Spezifikationsdatei", "Falscher oder fehlender Wert :\n\n" + where + key};
}

UserMessage LoadSpecificationFailedMessage(const std::string& path) {
    return {"Spezifikation laden",
            "Die Spezifikationsdatei \"" + path +
                "\" konnte nicht geladen werden.\n\nMögliche Ursache: Die Datei wird vom "
                "Virenscanner blockiert oder wurde gelöscht.\n\nEmpfehlung: Versuchen Sie, die "
                "Datei nach einiger Zeit erneut zu laden."};
}

}  // namespace vx
