#include "app/gui_test.h"

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace vx::test {

std::map<std::string, GuiTestFactory>& GuiTests() {
    static std::map<std::string, GuiTestFactory> tests;
    return tests;
}

void WhenModal(const QString& name, std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, name, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal->objectName() != name || !modal->isVisible()) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start(10);
}

std::shared_ptr<SeenMessage> CloseNextMessage() {
    auto seen = std::make_shared<SeenMessage>();
    WhenModal("messageBox", [seen](QWidget* box) {
        auto* message = static_cast<QMessageBox*>(box);
        seen->caption = message->windowTitle();
        seen->text = message->text();
        message->buttons().front()->click();
    });
    return seen;
}

void Click(QWidget* parent, const QString& name) {
    auto* button = parent->findChild<QAbstractButton*>(name);
    QVERIFY2(button != nullptr, qPrintable(name));
    button->click();
}

void Type(QWidget* parent, const QString& name, const QString& text) {
    auto* edit = parent->findChild<QLineEdit*>(name);
    QVERIFY2(edit != nullptr, qPrintable(name));
    edit->selectAll();
    QTest::keyClicks(edit, text);
    if (text.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Delete);
    }
}

int FilterCurvePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == QColor(0, 0, 255) ? 1 : 0;
        }
    }
    return count;
}

QString ScreenshotDir() {
    return qEnvironmentVariable("VX_SCREENSHOT_DIR");
}

QString Example(const char* name) {
    return QString(VX_SOURCE_DIR) + "/examples/" + name;
}

QString ChangedExample(const QTemporaryDir& dir, const char* name, const QString& copy,
                       const QByteArray& from, const QByteArray& to) {
    QFile example(Example(name));
    if (!example.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray text = example.readAll();
    text.replace(from, to);
    const QString path = dir.filePath(copy);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size()) {
        return {};
    }
    return path;
}

}  // namespace vx::test
