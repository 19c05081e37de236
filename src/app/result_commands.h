#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/print_jobs.h"
#include "app/result_windows.h"
#include "shell/menu_table.h"

class QWidget;

namespace vx {

class CDesignSession;
class CSettingsStore;
struct ProgramSettings;

// The commands of the "Ergebnis" and "Grafik" menus and the diagram's print entries of
// "Datei": result and mark windows, printing, the HTML report, the report options and the
// graph dialogs. The window's command gate has checked the design state before any of them.
class CResultCommands {
  public:
    // `settings` are the window's settings (plot range, report option, designer), written
    // through `store`; `refresh` redraws the window.
    CResultCommands(QWidget* window, CDesignSession& session, CSettingsStore& store,
                    ProgramSettings& settings, std::function<void()> refresh);

    // Adds a handler for each of these commands.
    void Install(std::map<Command, std::function<void()>>& handlers);

    CResultWindows& Windows() { return windows_; }
    CPrintJobs& Printing() { return printing_; }

    // Unattended (a run from the command line): messages go to standard error.
    void SetUnattended(bool unattended) { unattended_ = unattended; }

    // The HTML report as NAME.htm in the chosen folder, the picture beside it; false when the
    // page could not be written (the user was told).
    bool SaveHtml(const std::string& path);
    // The save dialog, then SaveHtml; false when cancelled or failed.
    bool SaveHtmlWithDialog();

  private:
    void ChangeRange();
    void ChooseCurves();
    void ChangeOptions();

    QWidget* window_;
    CDesignSession& session_;
    CSettingsStore& store_;
    ProgramSettings& settings_;
    std::function<void()> refresh_;
    CResultWindows windows_;
    CPrintJobs printing_;
    bool unattended_ = false;
};

}  // namespace vx
