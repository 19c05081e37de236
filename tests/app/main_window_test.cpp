#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/flows.h"
#include "app/gui_test.h"
#include "app/main_window.h"
#include "app/plot_view.h"
#include "app/result_commands.h"
#include "app/result_windows.h"
#include "app/settings_store.h"
#include "qt/qt_text.h"
#include "session/design_session.h"

namespace vx::test {

namespace {

int FilterCurvePixels(QWidget* view) {
    return test::FilterCurvePixels(view->grab().toImage());
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void LoadDrawsTheDesign() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.resize(800, 560);
        window.show();
        QCOMPARE(FilterCurvePixels(window.View()), 0);
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        QCOMPARE(window.windowTitle(), QString("sk_lowpass_gain - Veltranix"));
        QCOMPARE(window.Session().Filter().GetDesignState(), DesignState::DESIGNED);
        QVERIFY(FilterCurvePixels(window.View()) > 200);

        // The mouse over the diagram reads frequency and level, with the cross cursor.
        QWidget* view = window.View();
        const QPoint centre = view->rect().center();
        QMouseEvent move(QEvent::MouseMove, centre, view->mapToGlobal(centre), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        QVERIFY(window.statusBar()->currentMessage().contains("Hz"));
        QVERIFY(window.statusBar()->currentMessage().contains(" dB"));
        QCOMPARE(view->cursor().shape(), Qt::CrossCursor);
    }

    // A loaded file keeps its search, in the dialogs and in the result; a new specification
    // starts with the exhaustive one, and a cancel brings back the file's.
    void NewSpecificationSearchesEveryCombination() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        const CFilter& filter = window.Session().Filter();
        QCOMPARE(filter.GetSearchMethod(), SearchMethod::NEIGHBOURS);
        window.RunCommand(Command::RESULT_DIMENSIONING);
        QWidget* dimensioning = window.Results().Windows().Open(ResultWindow::DIMENSIONING);
        QVERIFY(dimensioning != nullptr);
        QCOMPARE(dimensioning->findChild<QLabel*>("searchLine")->text(),
                 QString("Normwertsuche: Nachbarwerte"));

        auto checked = std::make_shared<QStringList>();
        const auto cancel = [checked] {
            WhenModal("hpLpDlg", [checked](QWidget* dlg) {
                for (const char* name : {"searchExhaustive", "searchNeighbours"}) {
                    if (Child<QRadioButton>(dlg, name)->isChecked()) {
                        checked->append(name);
                    }
                }
                Click(dlg, "cancelButton");
            });
        };
        cancel();
        window.RunCommand(Command::CHANGE_SPECIFICATION);
        cancel();
        window.RunCommand(Command::NEW_HP_MFB);
        QCOMPARE(*checked, QStringList({"searchNeighbours", "searchExhaustive"}));
        QCOMPARE(filter.GetSearchMethod(), SearchMethod::NEIGHBOURS);
    }

    void CommandsWithoutDesignTellWhy_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("designed");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("start");
        QTest::newRow("save") << int(Command::SAVE_SPECIFICATION) << false
                              << "Spezifikation speichern"
                              << "Es wurde noch kein Filter";
        QTest::newRow("capacitors")
            << int(Command::CHANGE_CAPACITORS) << false << "Kapazitäten ändern"
            << "Es wurde noch kein Filter";
        QTest::newRow("spice") << int(Command::SPICE_PHASE) << false << "Spice - Phasengang"
                               << "Es wurde noch kein Filter";
        // The result and print commands, each under its own caption.
        const std::pair<Command, const char*> results[] = {
            {Command::RESULT_DIMENSIONING, "Ergebnis - Dimensionierung"},
            {Command::RESULT_PARAMETERS, "Ergebnis - Filterparameter"},
            {Command::RESULT_SCHEMATIC, "Ergebnis - Schaltbild"},
            {Command::RESULT_SAVE_HTML, "Ergebnis speichern"},
            {Command::RESULT_SAVE_PARTS_LIST, "Stückliste exportieren"},
            {Command::RESULT_PREVIEW, "Ergebnis - Seitenansicht"},
            {Command::RESULT_PRINT, "Ergebnis - Drucken"},
            {Command::GRAPH_PREVIEW, "Datei - Grafik-Seitenansicht"},
            {Command::GRAPH_PRINT, "Datei - Grafik drucken"},
        };
        for (const auto& [command, caption] : results) {
            QTest::newRow(caption) << int(command) << false << caption
                                   << "Es wurde noch kein Filter berechnet.\n\nBitte starten "
                                      "Sie mit dem Menüpunkt \"Datei, Neues Filter\".";
        }
        QTest::newRow("about") << int(Command::ABOUT) << false << "Info über Veltranix 3.3"
                               << "Veltranix 3.3\nVersion 3.3.7";
    }

    void CommandsWithoutDesignTellWhy() {
        QFETCH(int, command);
        QFETCH(bool, designed);
        QFETCH(QString, caption);
        QFETCH(QString, start);
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        if (designed) {
            QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        }
        const auto seen = CloseNextMessage();
        window.RunCommand(static_cast<Command>(command));
        QCOMPARE(seen->caption, caption);
        QVERIFY2(seen->text.startsWith(start), qPrintable(seen->text));
    }

    void CancelledChangeRestoresSpecificationAndStages() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_entered.vxs"))));
        const CFilter& filter = window.Session().Filter();
        const SpecificationBlock spec = filter.Specification();
        const StageEntry stage = filter.Stage(0);
        const int pixels = FilterCurvePixels(window.View());
        // OK with a new order goes through the capacitor entry; cancelling its first
        // question keeps the dialog, which is then cancelled.
        WhenModal("hpLpDlg", [](QWidget* dlg) {
            Type(dlg, "orderEdit", "4");
            Type(dlg, "frequencyEdit", "3k");
            WhenModal("capDlg", [](QWidget* cap) { Click(cap, "cancelButton"); });
            Click(dlg, "okButton");
            QVERIFY(dlg->isVisible());
            Click(dlg, "cancelButton");
        });
        window.RunCommand(Command::CHANGE_SPECIFICATION);
        QVERIFY(filter.Specification() == spec);
        QVERIFY(filter.Stage(0) == stage);
        QCOMPARE(filter.GetDesignState(), DesignState::DESIGNED);
        QCOMPARE(FilterCurvePixels(window.View()), pixels);
    }

    // A sound design says nothing; one whose parts cannot be built says so in the diagram's
    // corner and the status bar, and lists why in the dimensioning window.
    void FindingsShowInTheWindow() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.resize(800, 560);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        auto* line = window.findChild<QLabel*>("findingsLine");
        QVERIFY(line != nullptr);
        QVERIFY(line->text().isEmpty());
        const QImage sound = window.View()->grab().toImage();

        WhenModal("hpLpDlg", [](QWidget* dlg) {
            Type(dlg, "impedanceEdit", "1");
            Click(dlg, "okButton");
        });
        window.RunCommand(Command::CHANGE_SPECIFICATION);
        QVERIFY2(line->text().contains("Warnungen zum Entwurf"), qPrintable(line->text()));
        QVERIFY(line->toolTip().contains("liegt außerhalb"));
        QVERIFY(window.View()->grab().toImage() != sound);
        window.RunCommand(Command::RESULT_DIMENSIONING);
        QWidget* dimensioning = window.Results().Windows().Open(ResultWindow::DIMENSIONING);
        QVERIFY(dimensioning != nullptr);
        auto* list = dimensioning->findChild<QLabel*>("findingsList");
        QVERIFY(list != nullptr);
        QVERIFY(list->text().contains("<li>Stufe 1: R1 = "));
    }

    void CloseAsksOnlyAfterAnUnsavedChange() {
        QTemporaryDir folder;
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        WhenModal("hpLpDlg", [](QWidget* dlg) {
            Type(dlg, "orderEdit", "2");
            Click(dlg, "okButton");
        });
        window.RunCommand(Command::CHANGE_SPECIFICATION);
        QCOMPARE(window.Session().Filter().OrderLpHp(), 2);
        QCOMPARE(window.windowTitle(), QString("sk_lowpass_gain* - Veltranix"));

        auto asked = std::make_shared<QString>();
        auto answer = [asked](const char* button) {
            WhenModal("questionBox", [asked, button](QWidget* box) {
                *asked = box->windowTitle();
                Click(box, button);
            });
        };
        answer("cancelButton");
        QVERIFY(!window.close());
        QCOMPARE(*asked, QString("Veltranix 3.3 beenden"));
        QVERIFY(window.isVisible());

        // Yes, then a cancelled save dialog: the window stays.
        answer("yesButton");
        WhenModal("saveSpecificationDialog",
                  [](QWidget* dlg) { static_cast<QDialog*>(dlg)->reject(); });
        QVERIFY(!window.close());

        QVERIFY(window.Flows().Save(Std(folder.filePath("saved.vxs"))));
        QCOMPARE(window.windowTitle(), QString("saved - Veltranix"));
        asked->clear();
        QVERIFY(window.close());
        QVERIFY(asked->isEmpty());
    }
};

VX_GUI_TEST(MainWindowTest);

}  // namespace vx::test

#include "main_window_test.moc"
