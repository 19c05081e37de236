#include "app/app_main.h"

#include <QSettings>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/application.h"
#include "app/flows.h"
#include "app/main_window.h"
#include "app/result_commands.h"
#include "app/settings_store.h"
#include "app/tolerance_flow.h"
#include "files/opamp_files.h"
#include "files/specification_messages.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"
#include "session/design_session.h"
#include "session/design_session_messages.h"
#include "shell/menu_table.h"
#include "shell/shell_messages.h"

namespace vx {

namespace {

struct StartOptions {
    std::string file;
    std::string screenshot;
    std::string reportPdf;
    std::string plotPdf;
    bool tolerance = false;
    bool valid = true;

    bool Unattended() const {
        return !screenshot.empty() || !reportPdf.empty() || !plotPdf.empty();
    }
};

StartOptions ParseStartOptions(int argc, char** argv) {
    StartOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--screenshot" && i + 1 < argc) {
            options.screenshot = argv[++i];
        } else if (arg == "--print-pdf" && i + 1 < argc) {
            options.reportPdf = argv[++i];
        } else if (arg == "--plot-pdf" && i + 1 < argc) {
            options.plotPdf = argv[++i];
        } else if (arg == "--tolerance") {
            options.tolerance = true;
        } else if (arg.rfind("--", 0) == 0 || !options.file.empty()) {
            options.valid = false;
        } else {
            options.file = arg;
        }
    }
    return options;
}

// Whether `command` may run on the window's design; without a design the command's no-design
// message goes to standard error.
bool MayRun(CMainWindow& window, Command command) {
    const CommandGate gate = GateCommand(command, window.Session().Filter().GetDesignState());
    if (gate.verdict != CommandGate::Verdict::RUN) {
        const UserMessage message = NoDesignMessage(gate.caption);
        std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
        return false;
    }
    return true;
}

// Runs the tolerance analysis with the design's default settings, as the menu command would.
bool AnalyseTolerances(CMainWindow& window) {
    if (!MayRun(window, Command::RESULT_TOLERANCE)) {
        return false;
    }
    CToleranceFlow& tolerance = window.Results().Tolerance();
    return tolerance.Run(tolerance.Proposal());
}

// Prints the design through the print command's own drawing into a PDF file.
bool PrintPdf(CMainWindow& window, PrintKind kind, Command command, const std::string& path) {
    if (!MayRun(window, command)) {
        return false;
    }
    if (!window.Results().Printing().PrintToPdf(kind, Qs(path))) {
        std::fprintf(stderr, "%s\n", CannotWritePdfText(path).c_str());
        return false;
    }
    return true;
}

}  // namespace

int RunVeltranix(int argc, char** argv) {
    // Checked before the window system is reached, so that a terminal gets the line at once.
    const StartOptions options = ParseStartOptions(argc, argv);
    if (!options.valid) {
        std::fprintf(stderr, "%s\n", kUsageText);
        return 2;
    }
    const bool unreadable = !options.file.empty() && !std::ifstream(options.file).is_open();
    if (unreadable) {
        std::fprintf(stderr, "%s\n", CannotOpenFileText(options.file).c_str());
        if (options.Unattended()) {
            return 1;
        }
    }
    CApplication app(argc, argv);
    if (unreadable) {
        // Started from a file manager nobody reads standard error.
        ShowMessage(nullptr, LoadSpecificationFailedMessage(options.file));
        return 1;
    }
    // Before the window: its session takes the installed list when it is made.
    const std::vector<UserMessage> opAmpProblems = [] {
        OpAmpLibrary library = LoadOpAmpLibrary(CatalogueOpAmpPath(), OwnOpAmpPath());
        std::vector<UserMessage> problems = library.problems;
        InstallOpAmps(std::move(library));
        return problems;
    }();
    QSettings settings;
    CSettingsStore store(settings);
    CMainWindow window(store);
    window.SetUnattended(options.Unattended());
    if (!options.file.empty()) {
        window.Flows().Load(options.file);
    }
    if (options.tolerance && !AnalyseTolerances(window) && options.Unattended()) {
        return 1;
    }
    window.ShowAsStored();
    // Told over the window, which starts with what could be read.
    for (const UserMessage& problem : opAmpProblems) {
        ShowOrPrint(&window, problem, MessageIcon::WARNING, options.Unattended());
    }
    if (!options.screenshot.empty()) {
        QApplication::processEvents();
        if (!window.grab().save(Qs(options.screenshot), "PNG")) {
            std::fprintf(stderr, "%s\n", CannotWriteScreenshotText(options.screenshot).c_str());
            return 1;
        }
    }
    if (!options.reportPdf.empty() &&
        !PrintPdf(window, PrintKind::RESULT, Command::RESULT_PRINT, options.reportPdf)) {
        return 1;
    }
    if (!options.plotPdf.empty() &&
        !PrintPdf(window, PrintKind::GRAPH, Command::GRAPH_PRINT, options.plotPdf)) {
        return 1;
    }
    if (options.Unattended()) {
        return 0;
    }
    // In the background: the window is up and answers while the server is asked.
    window.StartQuietUpdateCheck();
    return QApplication::exec();
}

}  // namespace vx
