#include "shell/shell_messages.h"

#include <filesystem>

#include "model/filter.h"
#include "model/number_format.h"
#include "model/number_text.h"
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

UserMessage LoadOverUnsavedQuestion() {
    return {kLoadSpecificationTitle, CloseQuestion().text};
}

UserMessage RecentFileMissingMessage(const std::string& path) {
    return {kLoadSpecificationTitle,
            "Die Datei\n\n" + path +
                "\n\ngibt es nicht mehr. Sie wird aus der Liste der zuletzt geöffneten Dateien "
                "entfernt."};
}

namespace {

// The file's name in German quotes; the whole path stands in the window's title and menu.
std::string Quoted(const std::string& path) {
    return "„" + std::filesystem::path(path).filename().string() + "“";
}

}  // namespace

std::string DesignTimeLine(double seconds) {
    // Hundredths for the quick designs, tenths where they no longer matter.
    return "Entwurf berechnet in " + FormatFixed(seconds, seconds < 10.0 ? 2 : 1) + " s";
}

std::string LoadedLine(const std::string& path, double seconds) {
    return Quoted(path) + " geladen, " + DesignTimeLine(seconds);
}

std::string SavedLine(const std::string& path) {
    return "Spezifikation " + Quoted(path) + " gespeichert";
}

std::string ReportSavedLine(const std::string& path) {
    return "Ergebnis " + Quoted(path) + " gespeichert";
}

std::string PartsListSavedLine(const std::string& path) {
    return "Stückliste " + Quoted(path) + " gespeichert";
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
