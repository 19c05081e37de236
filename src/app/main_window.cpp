#include "app/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <stdexcept>

#include "app/design_runner.h"
#include "app/dialog_capacitor_prompt.h"
#include "app/flows.h"
#include "app/main_tool_bar.h"
#include "app/plot_view.h"
#include "app/recent_files_menu.h"
#include "app/result_commands.h"
#include "app/scheme_flow.h"
#include "app/settings_store.h"
#include "app/spice_flow.h"
#include "app/tolerance_flow.h"
#include "app/update_checker.h"
#include "app/window_places.h"
#include "dialogs/help_dlg.h"
#include "dialogs/opamp_list_dlg.h"
#include "plot/diagram.h"
#include "plot/diagram_messages.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"
#include "session/design_check_messages.h"
#include "session/design_session.h"
#include "session/design_session_messages.h"
#include "shell/help_text.h"
#include "shell/recent_files.h"
#include "shell/shell_messages.h"
#include "shell/window_placement.h"
#include "spice/pspice.h"

namespace vx {

namespace {

QKeySequence Shortcut(const char* keys) {
    return QKeySequence(Qs(keys), QKeySequence::PortableText);
}

// The one local specification file among dropped data; empty for anything else.
std::string DroppedSpecification(const QMimeData* data) {
    const QList<QUrl> urls = data != nullptr ? data->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return {};
    }
    const std::string path = Std(urls.front().toLocalFile());
    return IsSpecificationPath(path) ? path : std::string();
}

}  // namespace

CMainWindow::CMainWindow(CSettingsStore& store, QWidget* parent)
    : QMainWindow(parent),
      store_(store),
      settings_(store.Read()),
      session_(std::make_unique<CDesignSession>()),
      prompt_(std::make_unique<CDialogCapacitorPrompt>(this)),
      runner_(std::make_unique<CDesignRunner>(this, *prompt_)),
      diagram_(std::make_unique<CDiagram>(*session_)),
      view_(new CPlotView(*session_, *diagram_, this)),
      findings_(new QLabel(this)),
      spice_(std::make_unique<CSpiceFlow>(
          this, *session_,
          [this](std::optional<PlotOverlay> overlay) { view_->SetOverlay(std::move(overlay)); })),
      updates_(new CUpdateChecker(this, store_, settings_)),
      places_(new CWindowPlaces(this, store_, settings_)),
      statusLine_(new QLabel(this)),
      cursorReadout_(new QLabel(this)),
      statusTimer_(new QTimer(this)) {
    setObjectName("mainWindow");
    setAcceptDrops(true);
    ApplySettings(settings_, session_->Filter());
    flows_ = std::make_unique<CFlows>(this, *session_, *runner_, *prompt_, [this] { Refresh(); });
    schemeFlow_ = std::make_unique<CSchemeFlow>(this, *flows_);
    results_ = std::make_unique<CResultCommands>(this, *session_, *diagram_, *runner_, store_,
                                                 settings_, [this] { Refresh(); });
    results_->Tolerance().SetBandHook(
        [this](const ToleranceBand* band) { view_->SetToleranceBand(band); });
    // Nothing of the design on show outlives it: its windows and its tolerance analysis.
    flows_->SetBeforeChange([this] {
        results_->Windows().CloseAll();
        results_->Tolerance().Drop();
        results_->Noise().Drop();
    });
    flows_->SetDesigner([this] { return DesignerOf(settings_); });
    const auto status = [this](const std::string& line) { ShowStatus(line); };
    flows_->SetStatus(status);
    flows_->SetFileUsed([this](const std::string& path) { recent_->Add(path); });
    results_->SetStatus(status);
    results_->Windows().SetPlaces(places_);
    spice_->SetPlaces(places_);
    runner_->SetRunningHook([this](bool running) {
        view_->SetBusy(running);
        // What was simulated is no longer the design.
        if (running) {
            spice_->CloseResult();
        }
    });
    setCentralWidget(view_);
    statusBar()->setObjectName("statusBar");
    // Beneath the readout, which hides it while the mouse is over the diagram; a long line is
    // cut rather than widening the window.
    statusLine_->setObjectName("statusLine");
    statusLine_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(statusLine_, 1);
    statusTimer_->setSingleShot(true);
    connect(statusTimer_, &QTimer::timeout, statusLine_, &QLabel::clear);
    // The curves' values at the cursor, beside the readout of the mouse's height.
    cursorReadout_->setObjectName("cursorReadout");
    statusBar()->addPermanentWidget(cursorReadout_);
    connect(view_, &CPlotView::cursorReadoutChanged, cursorReadout_, &QLabel::setText);
    connect(view_, &CPlotView::statusMessage, this,
            [this](const QString& line) { ShowStatus(Std(line)); });
    findings_->setObjectName("findingsLine");
    findings_->setStyleSheet(QStringLiteral("color: #b40000"));
    statusBar()->addPermanentWidget(findings_);
    connect(view_, &CPlotView::readoutChanged, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    BuildMenus();
    InstallHandlers();
    auto* again = new QAction(this);
    again->setObjectName("newFilterAgainAction");
    connect(again, &QAction::triggered, this, [this] { RunCommand(Command::NEW_FILTER_AGAIN); });
    actions_[Command::NEW_FILTER_AGAIN] = again;
    InstallViews();
    AddMainToolBar(this, actions_);
    RepeatNewFilter(NewFilterToRepeat(std::nullopt));
    Refresh();
}

CMainWindow::~CMainWindow() = default;

void CMainWindow::SetUnattended(bool unattended) {
    unattended_ = unattended;
    prompt_->SetUnattended(unattended);
    flows_->SetUnattended(unattended);
    results_->SetUnattended(unattended);
    spice_->SetUnattended(unattended);
}

void CMainWindow::StartQuietUpdateCheck() {
    updates_->StartQuiet();
}

void CMainWindow::BuildMenus() {
    for (const Menu& menu : MainMenus()) {
        AddItems(menuBar()->addMenu(Qs(menu.title)), menu.items);
    }
}

void CMainWindow::AddItems(QMenu* menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        switch (item.kind) {
            case MenuItem::Kind::SEPARATOR:
                menu->addSeparator();
                break;
            case MenuItem::Kind::RECENT_FILES:
                recent_ = std::make_unique<CRecentFilesMenu>(
                    menu, store_, settings_, [this](const std::string& path) { OpenFile(path); });
                break;
            case MenuItem::Kind::SUBMENU:
                AddItems(menu->addMenu(Qs(item.text)), item.items);
                break;
            case MenuItem::Kind::COMMAND: {
                QAction* action = menu->addAction(Qs(item.text));
                const Command command = item.command;
                if (!item.shortcut.empty()) {
                    action->setShortcut(Shortcut(item.shortcut.c_str()));
                }
                entryTexts_[command] = item.text;
                actions_[command] = action;
                connect(action, &QAction::triggered, this,
                        [this, command] { RunCommand(command); });
                break;
            }
        }
    }
}

void CMainWindow::InstallHandlers() {
    for (const auto& [command, text] : entryTexts_) {
        FilterType type{};
        StructureKind structure{};
        if (NewFilterTarget(command, type, structure)) {
            handlers_[command] = [this, command, type, structure] {
                RepeatNewFilter(command);
                flows_->Specify(type, structure, true);
            };
        }
    }
    handlers_[Command::NEW_FROM_SCHEME] = [this] {
        RepeatNewFilter(Command::NEW_FROM_SCHEME);
        schemeFlow_->Run();
    };
    handlers_[Command::NEW_FILTER_AGAIN] = [this] {
        handlers_.at(NewFilterToRepeat(lastNewFilter_))();
    };
    handlers_[Command::LOAD_SPECIFICATION] = [this] { flows_->LoadWithDialog(); };
    handlers_[Command::SAVE_SPECIFICATION] = [this] { flows_->SaveWithDialog(); };
    handlers_[Command::EXIT] = [this] { close(); };
    handlers_[Command::CHANGE_SPECIFICATION] = [this] {
        const CFilter& filter = session_->Filter();
        flows_->Specify(filter.Type(), filter.Structure(), false);
    };
    handlers_[Command::CHANGE_CAPACITORS] = [this] { flows_->ChangeCapacitors(); };
    handlers_[Command::OP_AMPS] = [this] {
        COpAmpListDlg dialog(*session_, this);
        dialog.exec();
        Refresh();
    };
    results_->Install(handlers_);
    const std::pair<Command, SpiceMode> analyses[] = {
        {Command::SPICE_AMPLITUDE_DB, SpiceMode::AMPLITUDE_DB},
        {Command::SPICE_AMPLITUDE_LINEAR, SpiceMode::AMPLITUDE_LINEAR},
        {Command::SPICE_PHASE, SpiceMode::PHASE},
        {Command::SPICE_GROUP_DELAY, SpiceMode::GROUP_DELAY},
        {Command::SPICE_STEP_RESPONSE, SpiceMode::STEP_RESPONSE},
        {Command::SPICE_ALL, SpiceMode::ALL},
    };
    for (const auto& [command, mode] : analyses) {
        handlers_[command] = [this, mode] { spice_->Run(mode); };
    }
    handlers_[Command::SPICE_CONFIGURATION] = [this] { spice_->Configure(); };
    // What these dialogs change is kept at once (the keys a close writes), not only when the
    // window closes, so that a session that ends otherwise keeps it too.
    for (const Command command :
         {Command::SPICE_CONFIGURATION, Command::RESULT_OPTIONS, Command::GRAPH_CURVES}) {
        handlers_[command] = [this, run = handlers_.at(command)] {
            run();
            TakeSettings(session_->Filter(), settings_);
            store_.WriteOnClose(settings_);
        };
    }
    for (const ViewName& name : kViewNames) {
        handlers_[CommandOfView(name.view)] = [this, view = name.view] {
            view_->SetView(view);
            actions_.at(CommandOfView(view))->setChecked(true);
        };
    }
    handlers_[Command::GRAPH_WHOLE_RANGE] = [this] { view_->ResetZoom(); };
    handlers_[Command::HELP] = [this] { ShowHelp(); };
    handlers_[Command::CHECK_UPDATE] = [this] { updates_->CheckInteractive(); };
    handlers_[Command::ABOUT] = [this] {
        ShowMessage(this, AboutMessage(), MessageIcon::INFORMATION);
    };
    // Every entry of the menus has its handler; one without would be a programming error.
    for (const auto& [command, text] : entryTexts_) {
        if (handlers_.count(command) == 0) {
            throw std::logic_error("menu entry without a handler: " + text);
        }
    }
}

void CMainWindow::InstallViews() {
    auto* group = new QActionGroup(this);
    for (const ViewName& name : kViewNames) {
        QAction* action = actions_.at(CommandOfView(name.view));
        action->setCheckable(true);
        action->setChecked(name.view == diagram_->View());
        action->setIconText(Qs(name.button));
        group->addAction(action);
    }
}

void CMainWindow::RunCommand(Command command) {
    if (runner_->Running()) {
        return;
    }
    const CommandGate gate = GateCommand(command, session_->Filter().GetDesignState());
    switch (gate.verdict) {
        case CommandGate::Verdict::IGNORE:
            return;
        case CommandGate::Verdict::NO_DESIGN:
            ShowMessage(this, NoDesignMessage(gate.caption));
            return;
        case CommandGate::Verdict::RUN:
            break;
    }
    try {
        handlers_.at(command)();
    } catch (const std::exception& e) {
        ShowMessage(this, InternalErrorMessage(e.what()));
    }
}

void CMainWindow::RepeatNewFilter(Command command) {
    lastNewFilter_ = command;
    const QKeySequence keys = Shortcut(kNewFilterAgainShortcut);
    for (const auto& [entry, action] : actions_) {
        if (IsNewFilterCommand(entry)) {
            action->setShortcut(entry == command ? keys : QKeySequence());
        }
    }
    QAction* again = actions_.at(Command::NEW_FILTER_AGAIN);
    again->setText(Qs(CommandTitle(Command::NEW_FILTER_AGAIN, command)));
    again->setToolTip(ToolTipOf(Command::NEW_FILTER_AGAIN, command, keys));
}

void CMainWindow::ShowHelp() {
    if (help_ == nullptr || !help_->isVisible()) {
        std::variant<std::string, UserMessage> help = LoadHelp();
        if (const auto* missing = std::get_if<UserMessage>(&help)) {
            ShowOrPrint(this, *missing, MessageIcon::STOP, unattended_);
            return;
        }
        help_ = new CHelpDlg(std::get<std::string>(help), this);
        help_->setAttribute(Qt::WA_DeleteOnClose);
        places_->Place(help_, PlacedWindow::HELP);
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void CMainWindow::OpenFile(const std::string& path) {
    if (runner_->Running() ||
        GateCommand(Command::LOAD_SPECIFICATION, session_->Filter().GetDesignState()).verdict !=
            CommandGate::Verdict::RUN) {
        return;
    }
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        ShowOrPrint(this, RecentFileMissingMessage(path), MessageIcon::STOP, unattended_);
        recent_->Remove(path);
        return;
    }
    flows_->Open(path);
}

void CMainWindow::ShowStatus(const std::string& line) {
    statusLine_->setText(Qs(line));
    statusTimer_->start(kStatusLineSeconds * 1000);
}

void CMainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedSpecification(event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void CMainWindow::dropEvent(QDropEvent* event) {
    const std::string path = DroppedSpecification(event->mimeData());
    if (path.empty()) {
        return;
    }
    event->acceptProposedAction();
    // After the drop has ended: the load may ask questions, which must not keep the source
    // waiting.
    QTimer::singleShot(0, this, [this, path] { OpenFile(path); });
}

void CMainWindow::Refresh() {
    setWindowTitle(Qs(MainWindowTitle(session_->Filter())));
    // The whole list is in the dimensioning window; the line counts and points there.
    const std::vector<std::string> findings = session_->Findings();
    const std::string summary = check::FindingsSummary(findings.size());
    findings_->setText(Qs(summary));
    QStringList lines;
    for (const std::string& finding : findings) {
        lines << Qs(finding);
    }
    findings_->setToolTip(lines.join(QLatin1Char('\n')));
    view_->SetNotice(summary);
    if (const auto notice = TakeGainReducedNotice(session_->Filter())) {
        ShowOrPrint(this, *notice, MessageIcon::WARNING, unattended_);
    }
}

void CMainWindow::ShowAsStored() {
    resize(settings_.width, settings_.height);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        // Before the window is shown the frame is not known yet: the title bar is reserved
        // as two lines of text, the sides as a quarter line each.
        const int line = fontMetrics().height();
        const WindowBox box = PlaceWindow(settings_.width, settings_.height,
                                          {area.left(), area.top(), area.width(), area.height()},
                                          {line / 4, 2 * line, line / 4, line / 4},
                                          minimumSizeHint().width(), minimumSizeHint().height());
        setGeometry(box.left, box.top, box.width, box.height);
    }
    if (settings_.sizeType == static_cast<int>(WindowSizeType::MAXIMISED)) {
        showMaximized();
    } else {
        show();
    }
}

void CMainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (windowState() == Qt::WindowNoState) {
        settings_.width = width();
        settings_.height = height();
    }
}

void CMainWindow::closeEvent(QCloseEvent* event) {
    if (!flows_->MayClose()) {
        event->ignore();
        return;
    }
    WindowSizeType type = WindowSizeType::RESTORED;
    if (isMaximized()) {
        type = WindowSizeType::MAXIMISED;
    } else if (isMinimized()) {
        type = WindowSizeType::MINIMISED;
    }
    settings_.sizeType = static_cast<int>(type);
    TakeSettings(session_->Filter(), settings_);
    store_.WriteOnClose(settings_);
    results_->Windows().CloseAll();
    event->accept();
}

}  // namespace vx
