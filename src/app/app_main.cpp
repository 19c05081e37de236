#include "app/app_main.h"

#include <QSettings>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/application.h"
#include "app/flows.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/settings_store.h"
#include "shell/shell_messages.h"

namespace vx {

namespace {

struct StartOptions {
    std::string file;
    std::string screenshot;
    bool valid = true;
};

StartOptions ParseStartOptions(int argc, char** argv) {
    StartOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--screenshot" && i + 1 < argc) {
            options.screenshot = argv[++i];
        } else if (arg.rfind("--", 0) == 0 || !options.file.empty()) {
            options.valid = false;
        } else {
            options.file = arg;
        }
    }
    return options;
}

}  // namespace

int RunVeltranix(int argc, char** argv) {
    // Checked before the window system is reached, so that a terminal gets the line at once.
    const StartOptions options = ParseStartOptions(argc, argv);
    if (!options.valid) {
        std::fprintf(stderr, "%s\n", kUsageText);
        return 2;
    }
    if (!options.file.empty() && !std::ifstream(options.file).is_open()) {
        std::fprintf(stderr, "%s\n", CannotOpenFileText(options.file).c_str());
        return 1;
    }
    CApplication app(argc, argv);
    QSettings settings;
    CSettingsStore store(settings);
    CMainWindow window(store);
    window.SetUnattended(!options.screenshot.empty());
    if (!options.file.empty()) {
        window.Flows().Load(options.file);
    }
    window.ShowAsStored();
    if (!options.screenshot.empty()) {
        QApplication::processEvents();
        if (!window.grab().save(Qs(options.screenshot), "PNG")) {
            std::fprintf(stderr, "%s\n", CannotWriteScreenshotText(options.screenshot).c_str());
            return 1;
        }
        return 0;
    }
    // In the background: the window is up and answers while the server is asked.
    window.StartQuietUpdateCheck();
    return QApplication::exec();
}

}  // namespace vx
