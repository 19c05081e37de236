#pragma once

#include <QApplication>

namespace vx {

// The application object: German standard dialogs, dialogs wide enough for their titles, and a
// last catch for an exception that escapes an event handler, which shows a message and keeps
// the window and the user's work.
class CApplication : public QApplication {
    Q_OBJECT

  public:
    CApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace vx
