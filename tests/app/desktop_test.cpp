#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "app/flows.h"
#include "app/gui_test.h"
#include "app/main_window.h"
#include "app/settings_store.h"
#include "qt/qt_text.h"
#include "report/clipboard_text.h"
#include "session/design_session.h"

// What users of other desktop programs expect of the window: shortcuts, the recent files,
// dropping a file, and windows that open beside the diagram.
namespace vx::test {

namespace {

void Activate(QWidget* window) {
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// The shown top-level widget named `name`, or nullptr.
QWidget* Shown(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name && widget->isVisible()) {
            return widget;
        }
    }
    return nullptr;
}

// The title of the next modal dialog named `name`, which is rejected; empty until it came.
std::shared_ptr<QString> RejectNext(const QString& name) {
    auto title = std::make_shared<QString>();
    WhenModal(name, [title](QWidget* dialog) {
        *title = dialog->windowTitle();
        static_cast<QDialog*>(dialog)->reject();
    });
    return title;
}

// Answers the next question box with `button`.
void AnswerNext(const char* button) {
    WhenModal("questionBox", [button](QWidget* box) { Click(box, button); });
}

QAction* Recent(QMainWindow& window, int entry) {
    return window.menuBar()->findChild<QAction*>(QStringLiteral("recentFile%1").arg(entry));
}

// Whether the window took the file dragged onto it; it loads it once the events have run.
bool Drop(QWidget* window, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    if (enter.isAccepted()) {
        QApplication::sendEvent(window, &drop);
    }
    return enter.isAccepted();
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

  private slots:
    // Each shortcut runs its command: the dialog it opens (by name and title), the help, or
    // the end of the window.
    void ShortcutsRunTheirCommands_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("opens");
        QTest::addColumn<QString>("title");
        const struct {
            const char* keys;
            const char* opens;
            const char* title;
        } rows[] = {
            {"Ctrl+N", "hpLpDlg", ""},
            {"Ctrl+O", "loadSpecificationDialog", "Spezifikation laden"},
            {"Ctrl+S", "saveSpecificationDialog", "Spezifikation speichern"},
            {"Ctrl+P", "printDialog", "Grafik drucken"},
            {"Ctrl+Shift+P", "printDialog", "Ergebnis drucken"},
            {"F1", "helpDlg", "Veltranix - Kurzanleitung"},
            {"Ctrl+Q", "", ""},
        };
        for (const auto& row : rows) {
            QTest::newRow(row.keys)
                << QString(row.keys) << QString(row.opens) << QString(row.title);
        }
    }

    void ShortcutsRunTheirCommands() {
        QFETCH(QString, keys);
        QFETCH(QString, opens);
        QFETCH(QString, title);
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        Activate(&window);
        // The help is no modal dialog.
        auto seen =
            opens.isEmpty() || opens == "helpDlg" ? std::make_shared<QString>() : RejectNext(opens);
        QTest::keySequence(&window, QKeySequence(keys));
        if (opens.isEmpty()) {
            QVERIFY(!window.isVisible());
            return;
        }
        if (QWidget* help = Shown("helpDlg")) {
            *seen = help->windowTitle();
            help->close();
        }
        QVERIFY2(!seen->isNull() && seen->startsWith(title), qPrintable(keys));
    }

    // Ctrl+N and the tool bar's first button open the "Neues Filter" dialog used last; the menu
    // shows Ctrl+N on that entry.
    void NewFilterRepeatsTheLastEntry() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        RejectNext("brTtDlg");
        window.RunCommand(Command::NEW_BR_TT);
        Activate(&window);
        auto seen = RejectNext("brTtDlg");
        QTest::keySequence(&window, QKeySequence("Ctrl+N"));
        QVERIFY(!seen->isNull());
        auto* button = window.findChild<QToolButton*>("newFilterButton");
        seen = RejectNext("brTtDlg");
        button->click();
        QVERIFY(!seen->isNull());
        QVERIFY(button->toolTip().startsWith("Neues Filter: Bandsperre mit Doppel-T-Glied ("));
        QStringList entries;
        for (QAction* action : window.menuBar()->findChildren<QAction*>()) {
            if (action->shortcut() == QKeySequence("Ctrl+N")) {
                entries << action->text();
            }
        }
        QCOMPARE(entries, QStringList("Band&sperre mit Doppel-T-Glied..."));
    }

    // Ctrl+C in a result window copies what it shows, or the text selected in it.
    void CopyTakesTheResultWindowsContent() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        CDesignSession& session = window.Session();
        QClipboard* clipboard = QApplication::clipboard();
        window.RunCommand(Command::RESULT_DIMENSIONING);
        QWidget* dimensioning = Shown("showErgebnisDlg");
        Activate(dimensioning);
        auto* text = Child<QPlainTextEdit>(dimensioning, "dimensioningText");
        text->setFocus();
        QTest::keySequence(dimensioning, QKeySequence::Copy);
        QCOMPARE(clipboard->text(), Qs(DimensioningClipboardText(session.Filter(), session.OpAmps(),
                                                                 session.Findings())));
        QTextCursor cursor = text->textCursor();
        cursor.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
        text->setTextCursor(cursor);
        QTest::keySequence(dimensioning, QKeySequence::Copy);
        QCOMPARE(clipboard->text(), QString("Struktur"));
        dimensioning->close();

        window.RunCommand(Command::RESULT_SCHEMATIC);
        Activate(Shown("schaltbildDlg"));
        QTest::keySequence(Shown("schaltbildDlg"), QKeySequence::Copy);
        QCOMPARE(clipboard->image().size(), QSize(640, 320));
    }

    // Loading and saving fill "Datei", the latest first; an entry loads as the load command
    // does, after the question about unsaved changes; a file that is gone is told and leaves
    // the list, which the next window finds in the settings.
    void RecentFilesFillAndReopen() {
        QTemporaryDir folder;
        const QString copy = folder.filePath("kopie.vxs");
        QSettings settings;
        settings.remove("Document/RecentFiles");
        {
            CSettingsStore store(settings);
            CMainWindow window(store);
            QVERIFY(!Recent(window, 1)->isVisible());
            QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
            QVERIFY(window.Flows().Save(Std(copy)));
            QCOMPARE(Recent(window, 1)->text(), "&1 kopie.vxs (" + folder.path() + ")");
            QVERIFY(Recent(window, 2)->text().startsWith("&2 sk_lowpass_gain.vxs"));

            window.Session().Filter().specModified = true;
            AnswerNext("cancelButton");
            Recent(window, 2)->trigger();
            QCOMPARE(window.Session().Filter().documentName, std::string("kopie"));
            AnswerNext("noButton");
            Recent(window, 2)->trigger();
            QCOMPARE(window.windowTitle(), QString("sk_lowpass_gain - Veltranix"));
        }
        CSettingsStore store(settings);
        CMainWindow window(store);
        QVERIFY(Recent(window, 2)->text().startsWith("&2 kopie.vxs"));
        QVERIFY(QFile::remove(copy));
        const auto seen = CloseNextMessage();
        Recent(window, 2)->trigger();
        QVERIFY(seen->text.contains(copy));
        QVERIFY(!Recent(window, 2)->isVisible());
        QCOMPARE(settings.value("Document/RecentFiles").toStringList().size(), 1);
    }

    // A dropped specification loads, after the question about unsaved changes; other files are
    // refused.
    void DroppedSpecificationLoads() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        QVERIFY(!Drop(&window, QString(VX_SOURCE_DIR) + "/README.md"));
        QVERIFY(Drop(&window, Example("sk_lowpass_gain.vxs")));
        QTRY_COMPARE(window.windowTitle(), QString("sk_lowpass_gain - Veltranix"));
        QVERIFY(window.findChild<QLabel*>("statusLine")
                    ->text()
                    .startsWith("„sk_lowpass_gain.vxs“ geladen, Entwurf berechnet in "));
        window.Session().Filter().specModified = true;
        AnswerNext("noButton");
        QVERIFY(Drop(&window, Example("twin_t_bandstop.vxs")));
        QTRY_COMPARE(window.windowTitle(), QString("twin_t_bandstop - Veltranix"));
    }

    // The windows open whole on the screen, beside the diagram where the screen has room for
    // them, and where they were last.
    void WindowsOpenBesideTheDiagramAndOnTheScreen() {
        QTemporaryDir spiceFolder;
        QSettings settings;
        settings.remove("Windows");
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.setGeometry(0, 0, 200, 150);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        window.Session().Filter().spice.tmpPath = Std(spiceFolder.path());
        const QRect screen = window.screen()->availableGeometry();
        const QRect main = window.frameGeometry();
        const std::pair<Command, const char*> windows[] = {
            {Command::RESULT_DIMENSIONING, "showErgebnisDlg"},
            {Command::RESULT_PARAMETERS, "tableDlg"},
            {Command::RESULT_SCHEMATIC, "schaltbildDlg"},
            {Command::GRAPH_FREQUENCY_MARKS, "freqMarkDlg"},
            {Command::GRAPH_AMPLITUDE_MARKS, "amplMarkDlg"},
            {Command::SPICE_ALL, "spiceResultWindow"},
            {Command::HELP, "helpDlg"},
        };
        int beside = 0;
        for (const auto& [command, name] : windows) {
            window.RunCommand(command);
            QWidget* opened = Shown(name);
            QVERIFY2(opened != nullptr && screen.contains(opened->frameGeometry()), name);
            if (opened->frameGeometry().width() <= screen.right() - main.right()) {
                QVERIFY2(!opened->frameGeometry().intersects(main), name);
                ++beside;
            }
            opened->close();
        }
        QVERIFY(beside >= 3);

        window.RunCommand(Command::RESULT_DIMENSIONING);
        Shown("showErgebnisDlg")->move(20, 200);
        Shown("showErgebnisDlg")->close();
        QCOMPARE(settings.value("Windows/Dimensioning").toString(), QString("20,200"));
        window.RunCommand(Command::RESULT_DIMENSIONING);
        QCOMPARE(Shown("showErgebnisDlg")->pos(), QPoint(20, 200));
    }
};

VX_GUI_TEST(DesktopTest);

}  // namespace vx::test

#include "desktop_test.moc"
