#include "app/application.h"

#include <QDialog>
#include <QLibraryInfo>
#include <QTranslator>
#include <exception>

#include "qt/message_box.h"
#include "qt/window_title.h"
#include "shell/shell_messages.h"

namespace vx {

CApplication::CApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName("Brennholt");
    setApplicationName(kProgramName);
    // Qt's own dialogs (files, overwrite questions) in German, as the rest of the program.
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::German), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installTranslator(translator);
    }
}

bool CApplication::notify(QObject* receiver, QEvent* event) {
    // Every dialog, Qt's own and the message boxes too, opens wide enough for its title.
    if (event->type() == QEvent::Show) {
        if (auto* dialog = qobject_cast<QDialog*>(receiver); dialog != nullptr) {
            FitTitle(dialog);
        }
    }
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowMessage(activeWindow(), InternalErrorMessage(e.what()));
    } catch (...) {
        ShowMessage(activeWindow(), InternalErrorMessage({}));
    }
    return false;
}

}  // namespace vx
