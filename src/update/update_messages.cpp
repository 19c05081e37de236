#include "update/update_messages.h"

#include "model/number_format.h"
#include "update/update_check.h"

namespace vx {

UserMessage NewVersionQuestion(const VersionInfo& info) {
    return {"Neue Version verfügbar !",
            "Eine neue Version der Software Veltranix steht zum Download bereit.\n\nVersion: " +
                info.version + "\nerstellt am " + info.date + "\nDateiname: " + info.filename +
                "\n\nWollen Sie die neue Version jetzt herunterladen ?"};
}

namespace {

constexpr const char* kGoOnline = "Bitte gehen Sie online und prüfen Sie erneut auf ein Update !";
constexpr const char* kTryLater = "Bitte prüfen Sie später erneut auf ein Update.";

std::string FailureReason(const UpdateAnswer& answer, int limitSeconds) {
    switch (answer.failure) {
        case UpdateAnswer::Failure::NO_CONNECTION:
            return std::string("Der Update-Server ist nicht erreichbar.\n\n") + kGoOnline;
        case UpdateAnswer::Failure::TIMEOUT:
            return "Der Update-Server hat nicht innerhalb von " + FormatInt(limitSeconds) +
                   " Sekunden geantwortet.\n\n" + kTryLater;
        case UpdateAnswer::Failure::SERVER:
            return (answer.httpStatus > 0
                        ? "Der Update-Server hat die Anfrage mit dem Fehler " +
                              FormatInt(answer.httpStatus) + " abgelehnt.\n\n"
                        : std::string("Der Update-Server hat die Anfrage abgelehnt.\n\n")) +
                   kTryLater;
        case UpdateAnswer::Failure::NONE:
            break;
    }
    return std::string("Die Antwort des Update-Servers nennt keine Version.\n\n") + kTryLater;
}

}  // namespace

UserMessage UpdateFailedMessage(const UpdateAnswer& answer, int limitSeconds) {
    return {kCheckUpdateCaption, FailureReason(answer, limitSeconds)};
}

}  // namespace vx
