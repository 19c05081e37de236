#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "app/application.h"
#include "app/gui_test.h"

// veltranix_gui_tests CLASS [Qt Test options]: runs one test class, offscreen.
int main(int argc, char** argv) {
    if (argc < 2 || vx::test::GuiTests().count(argv[1]) == 0) {
        std::fprintf(stderr, "usage: veltranix_gui_tests CLASS\nclasses:");
        for (const auto& [name, factory] : vx::test::GuiTests()) {
            std::fprintf(stderr, " %s", name.c_str());
        }
        std::fprintf(stderr, "\n");
        return 2;
    }
    vx::CApplication app(argc, argv);
    // The user's own settings are never read or written: every QSettings of the run lives in
    // a scratch folder.
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, scratch.path());
    // Nor the user's own op-amp file, which lives beside the settings.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.filePath("config")));
    const std::unique_ptr<QObject> test = vx::test::GuiTests()[argv[1]]();
    QStringList args = QApplication::arguments();
    args.removeAt(1);
    return QTest::qExec(test.get(), args);
}
