#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/noise_flow.h"
#include "app/print_jobs.h"
#include "app/result_windows.h"
#include "app/tolerance_flow.h"
#include "shell/menu_table.h"

class QWidget;

namespace vx {

class CDesignRunner;
class CDesignSession;
class CDiagram;
class CSettingsStore;
struct ProgramSettings;

// The commands of the "Ergebnis" and "Grafik" menus and the diagram's print entries of
// "Datei": result and mark windows, the tolerance analysis, the noise study, printing, the HTML
// report, the report options and the graph dialogs. The window's command gate has checked the
// design state before any of them.
class CResultCommands {
  public:
    // `settings` are the window's settings (plot range, report option, designer), written
    // through `store`; the tolerance analysis and the noise study run through `runner`; `refresh`
    // redraws the window.
    CResultCommands(QWidget* window, CDesignSession& session, CDiagram& diagram,
                    CDesignRunner& runner, CSettingsStore& store, ProgramSettings& settings,
                    std::function<void()> refresh);

    // Adds a handler for each of these commands.
    void Install(std::map<Command, std::function<void()>>& handlers);

    CToleranceFlow& Tolerance() { return tolerance_; }
    CNoiseFlow& Noise() { return noise_; }
    CResultWindows& Windows() { return windows_; }
    CPrintJobs& Printing() { return printing_; }

    // Unattended (a run from the command line): messages go to standard error.
    void SetUnattended(bool unattended);
    // Told a line for the status bar when the HTML report or the parts list is saved.
    void SetStatus(std::function<void(const std::string&)> status) { status_ = std::move(status); }

    // The HTML report as NAME.htm in the chosen folder, the picture beside it; false when the
    // page could not be written (the user was told).
    bool SaveHtml(const std::string& path);
    // The save dialog, then SaveHtml; false when cancelled or failed.
    bool SaveHtmlWithDialog();
    // The parts list as CSV; false when it could not be written (the user was told).
    bool SavePartsList(const std::string& path);
    // The save dialog, then SavePartsList; false when cancelled or failed.
    bool SavePartsListWithDialog();

  private:
    void ChangeRange();
    void ChooseCurves();
    void ChangeOptions();
    void AnalyseTolerances();
    void StudyNoise();

    QWidget* window_;
    CDesignSession& session_;
    CDiagram& diagram_;
    CSettingsStore& store_;
    ProgramSettings& settings_;
    std::function<void()> refresh_;
    std::function<void(const std::string&)> status_;
    CToleranceFlow tolerance_;
    CNoiseFlow noise_;
    CResultWindows windows_;
    CPrintJobs printing_;
    bool unattended_ = false;
};

}  // namespace vx
