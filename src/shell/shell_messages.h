#pragma once

#include <string>

#include "model/user_message.h"

// What the application shell tells and asks the user: the about box, the close question, the
// file dialogs, the status bar's lines, the progress of a design, and the command line of the
// program.
namespace vx {

class CFilter;

inline constexpr const char* kProgramName = "Veltranix";
inline constexpr const char* kAboutPurpose =
    "Entwurf aktiver Analogfilter mit Operationsverstärkern";
// "Info über Veltranix 3.3" with the product, "Version 3.3.7" and its purpose.
UserMessage AboutMessage();

// The start picture's line for a first start.
inline constexpr const char* kStartHint =
    "Beginnen Sie mit dem Menüpunkt \"Datei, Neues Filter\" oder \"Spezifikation laden\".";

// Buttons of dialogs and question boxes.
inline constexpr const char* kOkButton = "OK";
inline constexpr const char* kCancelButton = "Abbrechen";
inline constexpr const char* kYesButton = "&Ja";
inline constexpr const char* kNoButton = "&Nein";

// The file dialogs of the specification.
inline constexpr const char* kLoadSpecificationTitle = "Spezifikation laden";
inline constexpr const char* kSaveSpecificationTitle = "Spezifikation speichern";
inline constexpr const char* kSpecificationFilter = "Veltranix-Spezifikation (*.vxs)";
inline constexpr const char* kSpecificationSuffix = "vxs";

// The yes/no/cancel question before closing with an unsaved specification.
UserMessage CloseQuestion();
// The same question before another specification is loaded over it.
UserMessage LoadOverUnsavedQuestion();
// A file of the recently used ones that is no longer there.
UserMessage RecentFileMissingMessage(const std::string& path);

// The status bar's lines after a command, each shown for so long: enough to read one, short
// enough that it does not stand beside the next command's result.
inline constexpr int kStatusLineSeconds = 10;
// "Entwurf berechnet in 0,12 s".
std::string DesignTimeLine(double seconds);
// "„name.vxs“ geladen, Entwurf berechnet in 0,12 s".
std::string LoadedLine(const std::string& path, double seconds);
// "Spezifikation „name.vxs“ gespeichert".
std::string SavedLine(const std::string& path);
// "Ergebnis „name.htm“ gespeichert" (the HTML report).
std::string ReportSavedLine(const std::string& path);
// "Stückliste „name.csv“ gespeichert".
std::string PartsListSavedLine(const std::string& path);
inline constexpr const char* kDesignCancelledLine = "Entwurf abgebrochen";

// The main window's title: the specification's name, "*" while it has unsaved changes.
std::string MainWindowTitle(const CFilter& filter);

// The progress dialog of a running design.
inline constexpr const char* kProgressTitle = "Filterberechnung";
// "Stufe 2 von 3 wird berechnet ..." (stage 0-based); before the count is known (a file is
// still being read) "Die Berechnung beginnt ...".
std::string ProgressStageText(int stage, int stageCount);
// "2. zusätzliche Abstimmung dieser Stufe ..."; empty while no extra round runs.
std::string ProgressRetryText(int retry);

// The command line: `veltranix [FILE.vxs] [--tolerance] [--screenshot OUT.png]
// [--print-pdf OUT.pdf] [--plot-pdf OUT.pdf]`.
inline constexpr const char* kUsageText =
    "Aufruf: veltranix [DATEI.vxs] [--tolerance] [--screenshot AUSGABE.png] "
    "[--print-pdf AUSGABE.pdf] [--plot-pdf AUSGABE.pdf]";
// A named file that cannot be opened ends the program with this line on standard error.
std::string CannotOpenFileText(const std::string& path);
// A screenshot that cannot be written.
std::string CannotWriteScreenshotText(const std::string& path);
// A printed report or plot that cannot be written as a PDF file.
std::string CannotWritePdfText(const std::string& path);

}  // namespace vx
