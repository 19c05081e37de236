#pragma once

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>

class QTemporaryDir;

// The Qt tests: a registry of test classes (the runner runs the one named on its command
// line), and helpers that answer the modal dialogs a command opens.
namespace vx::test {

using GuiTestFactory = std::function<std::unique_ptr<QObject>()>;
std::map<std::string, GuiTestFactory>& GuiTests();

#define VX_GUI_TEST(Class)                   \
    static const bool kRegistered##Class = ( \
        ::vx::test::GuiTests()[#Class] = [] { return std::unique_ptr<QObject>(new Class); }, true)

// Runs `action` on the next modal widget named `name` once it is shown: the call that opens
// it blocks in the dialog's own event loop, where the poll runs.
void WhenModal(const QString& name, std::function<void(QWidget*)> action);

// The message box that comes next is closed with OK; its caption and text are kept.
struct SeenMessage {
    QString caption;
    QString text;
};
std::shared_ptr<SeenMessage> CloseNextMessage();

// The child named `name`, or nullptr.
template <class T>
T* Child(QWidget* parent, const QString& name) {
    return parent->findChild<T*>(name);
}

// Clicks the push button named `name` in `parent`.
void Click(QWidget* parent, const QString& name);
// Replaces a line edit's text as a user does (the edit signals fire).
void Type(QWidget* parent, const QString& name, const QString& text);

// Pixels in the colour of the curve "Ihr Filter".
int FilterCurvePixels(const QImage& image);

// The folder for a reviewer's pictures ($VX_SCREENSHOT_DIR), empty when unset.
QString ScreenshotDir();

// Path of a shipped example.
QString Example(const char* name);
// A copy of the shipped example `name` in `dir`, saved as `copy`, with the text `from`
// replaced by `to`; its path, or an empty text when it could not be written.
QString ChangedExample(const QTemporaryDir& dir, const char* name, const QString& copy,
                       const QByteArray& from, const QByteArray& to);

}  // namespace vx::test
