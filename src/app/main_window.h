#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "shell/menu_table.h"
#include "shell/program_settings.h"

class QAction;
class QLabel;
class QTimer;

namespace vx {

class CDesignRunner;
class CDesignSession;
class CDiagram;
class CDialogCapacitorPrompt;
class CFlows;
class CHelpDlg;
class CPlotView;
class CRecentFilesMenu;
class CResultCommands;
class CSchemeFlow;
class CSettingsStore;
class CSpiceFlow;
class CUpdateChecker;
class CWindowPlaces;

// The main window: the six menus, the tool bar, the plot view and the status bar. Every menu
// command goes through RunCommand, which checks the design state and calls the command's
// handler. A specification file dropped on the window is loaded as the recent files are.
class CMainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit CMainWindow(CSettingsStore& store, QWidget* parent = nullptr);
    ~CMainWindow() override;

    CDesignSession& Session() { return *session_; }
    CFlows& Flows() { return *flows_; }
    CResultCommands& Results() { return *results_; }
    CPlotView* View() const { return view_; }
    CSpiceFlow& Spice() { return *spice_; }
    CUpdateChecker& Updates() { return *updates_; }
    const ProgramSettings& Settings() const { return settings_; }

    // Unattended (a screenshot run): messages and questions go to standard error.
    void SetUnattended(bool unattended);
    // Shows the window in its stored size, maximised when it was.
    void ShowAsStored();
    void RunCommand(Command command);
    // Loads a recently used or dropped specification as the load command does; a file that is
    // gone is told and leaves the recent files.
    void OpenFile(const std::string& path);
    // A line in the status bar for kStatusLineSeconds, where the diagram's readout stands while
    // the mouse is not over the diagram.
    void ShowStatus(const std::string& line);
    // The quiet update check of a start, in the background.
    void StartQuietUpdateCheck();
    // Title, plot, the design check's line and the warning of a lowered gain, after each step
    // of a command.
    void Refresh();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void BuildMenus();
    void AddItems(QMenu* menu, const std::vector<MenuItem>& items);
    void InstallHandlers();
    // Ctrl+N and the tool bar's button go to the "Neues Filter" entry `command` from now on.
    void RepeatNewFilter(Command command);
    void ShowHelp();
    // The view commands' entries and buttons, checked for the view shown.
    void InstallViews();

    CSettingsStore& store_;
    ProgramSettings settings_;
    std::unique_ptr<CDesignSession> session_;
    std::unique_ptr<CDialogCapacitorPrompt> prompt_;
    std::unique_ptr<CDesignRunner> runner_;
    std::unique_ptr<CDiagram> diagram_;
    std::unique_ptr<CFlows> flows_;
    std::unique_ptr<CSchemeFlow> schemeFlow_;
    std::unique_ptr<CResultCommands> results_;
    CPlotView* view_;
    QLabel* findings_;
    std::unique_ptr<CSpiceFlow> spice_;
    CUpdateChecker* updates_;
    std::map<Command, std::function<void()>> handlers_;
    std::map<Command, std::string> entryTexts_;
    std::map<Command, QAction*> actions_;  // the menu entries and NEW_FILTER_AGAIN
    std::optional<Command> lastNewFilter_;
    std::unique_ptr<CRecentFilesMenu> recent_;
    CWindowPlaces* places_;
    QPointer<CHelpDlg> help_;
    QLabel* statusLine_;
    QLabel* cursorReadout_;
    QTimer* statusTimer_;
    bool unattended_ = false;
};

}  // namespace vx
