#include "shell/shell_messages.h"

#include "model/filter.h"
#include "model/number_format.h"
#include "update/update_check.h"

namespace vx {

UserMessage AboutMessage() {
    return {"Info über Veltranix 3.3",
            std::string("Veltranix 3.3\nVersion ") + kProgramVersion + "\n\n" + kAboutPurpose};
}

UserMessage CloseQuestion() {
    return {"Veltranix 3.3 beenden",
            "Ihre letzte Spezifikation wurde noch nicht gespeichert.\n\nWollen Sie sie jetzt "
            "speichern ?"};
}

std::string MainWindowTitle(const CFilter& filter) {
    return filter.documentName + (filter.specModified ? "*" : "") + " - " + kProgramName;
}

std::string ProgressStageText(int stage, int stageCount) {
    if (stageCount <= 0) {
        return "Die Berechnung beginnt ...";
    }
    return "Stufe " + FormatInt(stage + 1) + " von " + FormatInt(stageCount) +
           " wird berechnet ...";
}

std::string ProgressRetryText(int retry) {
    return retry > 0 ? FormatInt(retry) + ". zusätzliche Abstimmung dieser Stufe ..." : "";
}

std::string CannotOpenFileText(const std::string& path) {
    return "veltranix: Die Datei \"" + path + "\" kann nicht geöffnet werden.";
}

std::string CannotWriteScreenshotText(const std::string& path) {
    return "veltranix: Das Bild \"" + path + "\" kann nicht gespeichert werden.";
}

std::string CannotWritePdfText(const std::string& path) {
    return "veltranix: Die PDF-Datei \"" + path + "\" kann nicht gespeichert werden.";
}

}  // namespace vx
