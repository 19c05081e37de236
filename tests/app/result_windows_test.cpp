#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/flows.h"
#include "app/gui_test.h"
#include "app/main_window.h"
#include "app/result_commands.h"
#include "app/settings_store.h"
#include "qt/qt_text.h"
#include "report/dimensioning_text.h"
#include "report/filter_parameter_rows.h"
#include "report/summary_text.h"
#include "session/design_session.h"
#include "spice/parts_list_csv.h"

namespace vx::test {

namespace {

// A first-order Sallen-Key low-pass: the shipped low-pass with its order changed.
QString FirstOrderLowPass(const QTemporaryDir& dir) {
    return ChangedExample(dir, "sk_lowpass_gain.vxs", "first_order.vxs", "ORDER=4", "ORDER=1");
}

QDialog* Opened(CMainWindow& window, Command command, ResultWindow which) {
    window.RunCommand(command);
    return window.Results().Windows().Open(which);
}

}  // namespace

class ResultWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    // The windows show the core's texts and cells: a band-stop with both resistors made of two
    // parts, a third-order structure with one op-amp (no "Stufe" column, three parameter rows)
    // and a first-order low-pass ("-" for its quality).
    void WindowsShowTheDesign_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("parameterRows");
        QTest::newRow("band-stop") << Example("twin_t_bandstop.vxs") << 1;
        QTest::newRow("third order") << Example("skx_lowpass.vxs") << 2;
        QTest::newRow("first order") << FirstOrderLowPass(scratch_) << 1;
    }

    void WindowsShowTheDesign() {
        QFETCH(QString, file);
        QFETCH(int, parameterRows);
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.show();
        QVERIFY(window.Flows().Load(Std(file)));
        const CDesignSession& session = window.Session();
        const CFilter& filter = session.Filter();

        QDialog* dimensioning =
            Opened(window, Command::RESULT_DIMENSIONING, ResultWindow::DIMENSIONING);
        QVERIFY(dimensioning != nullptr);
        QCOMPARE(dimensioning->windowTitle(), QString("Ergebnis - Dimensionierung"));
        auto* text = Child<QPlainTextEdit>(dimensioning, "dimensioningText");
        QVERIFY(text->isReadOnly());
        // The core's text, but for the separator, whose width follows the window's font.
        const QStringList shown = text->toPlainText().split('\n');
        const QStringList core = Qs(DimensioningText(filter, session.OpAmps())).split('\n');
        QCOMPARE(shown.size(), core.size());
        for (int i = 0; i < core.size(); ++i) {
            if (core[i].startsWith("---")) {
                QVERIFY(shown[i].count('-') == shown[i].size());
            } else {
                QCOMPARE(shown[i], core[i]);
            }
        }
        // Every cell ends before the next tab stop, so the columns line up.
        const QFontMetrics metrics(text->font());
        for (const auto& row : DimensioningCells(filter)) {
            for (const std::string& cell : row) {
                QVERIFY(metrics.horizontalAdvance(Qs(cell)) < text->tabStopDistance());
            }
        }
        if (filter.Type() == FilterType::BANDREJECT) {
            QVERIFY(shown.contains(Qs(RealisationText(filter, 0))));
            QVERIFY(shown.contains(Qs(RealisationText(filter, 1))));
        }
        if (filter.Structure() == StructureKind::SALLEN_KEY_X) {
            QVERIFY(shown.contains("R1\tR2\tR3\tR4\tR5\tC1\tC2\tC3"));
        }

        QDialog* parameters = Opened(window, Command::RESULT_PARAMETERS, ResultWindow::PARAMETERS);
        QVERIFY(parameters != nullptr);
        QCOMPARE(parameters->windowTitle(), QString("Ergebnis - Filterparameter"));
        QCOMPARE(Child<QLabel>(parameters, "summaryText")->text(),
                 Qs(SummaryText(filter, session.OpAmps())));
        auto* table = Child<QTableWidget>(parameters, "parameterTable");
        const auto rows = FilterParameterRows(*window.Session().Current());
        QCOMPARE(table->rowCount(), parameterRows);
        QCOMPARE(table->rowCount() + 1, int(rows.size()));
        for (int k = 0; k < 5; ++k) {
            QCOMPARE(table->horizontalHeaderItem(k)->text(), Qs(rows[0][size_t(k)]));
            for (int r = 0; r < table->rowCount(); ++r) {
                QCOMPARE(table->item(r, k)->text(), Qs(rows[size_t(r) + 1][size_t(k)]));
            }
        }
        if (filter.Order() == 1) {
            QCOMPARE(table->item(0, 1)->text(), QString("-"));
        }

        QDialog* schematic = Opened(window, Command::RESULT_SCHEMATIC, ResultWindow::SCHEMATIC);
        QVERIFY(schematic != nullptr);
        QCOMPARE(schematic->windowTitle(), QString("Schaltbild einer Stufe Ihres Filters"));
        QCOMPARE(Child<QLabel>(schematic, "schematicPicture")->pixmap().size(), QSize(640, 320));

        // Each window exists once: the command brings the open one to the front.
        QCOMPARE(Opened(window, Command::RESULT_DIMENSIONING, ResultWindow::DIMENSIONING),
                 dimensioning);
        QVERIFY(!dimensioning->isModal());
    }

    // Loading, specifying and changing capacitors close the windows first: none shows a design
    // that is gone.
    void WindowsCloseBeforeTheDocumentChanges() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        const ResultWindow all[] = {ResultWindow::DIMENSIONING, ResultWindow::PARAMETERS,
                                    ResultWindow::SCHEMATIC, ResultWindow::FREQUENCY_MARKS,
                                    ResultWindow::AMPLITUDE_MARKS};
        auto openAll = [&] {
            for (ResultWindow which : all) {
                window.Results().Windows().Show(which);
                QVERIFY(window.Results().Windows().Open(which) != nullptr);
            }
        };
        auto noneOpen = [&] {
            for (ResultWindow which : all) {
                QVERIFY(window.Results().Windows().Open(which) == nullptr);
            }
        };
        openAll();
        QVERIFY(window.Flows().Load(Std(Example("mfb_lowpass.vxs"))));
        noneOpen();

        openAll();
        WhenModal("hpLpDlg", [](QWidget* dlg) { Click(dlg, "cancelButton"); });
        window.RunCommand(Command::CHANGE_SPECIFICATION);
        noneOpen();

        openAll();
        WhenModal("editCapsDlg", [](QWidget* dlg) { Click(dlg, "cancelButton"); });
        window.RunCommand(Command::CHANGE_CAPACITORS);
        noneOpen();
    }

    // The HTML report and the saved specification name the designer of the settings; a page
    // that cannot be written is reported under the command's caption.
    void ReportFilesNameTheDesigner() {
        QSettings settings;
        settings.setValue("Document/Designer", "Ida Kern");
        settings.setValue("Document/Organisation", "Labor Süd");
        CSettingsStore store(settings);
        CMainWindow window(store);
        QVERIFY(window.Flows().Load(Std(Example("mfb_bandpass.vxs"))));
        QVERIFY(window.Results().SaveHtml(Std(scratch_.filePath("bericht.htm"))));
        QFile page(scratch_.filePath("bericht.htm"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(
            page.readAll().contains("Designer: Ida Kern, Labor S\xFC"
                                    "d</p>"));
        QVERIFY(QFile::exists(scratch_.filePath("bericht-Dateien/bericht.png")));
        QVERIFY(window.Flows().Save(Std(scratch_.filePath("spezifikation.vxs"))));
        QFile spec(scratch_.filePath("spezifikation.vxs"));
        QVERIFY(spec.open(QIODevice::ReadOnly));
        QVERIFY(
            spec.readAll().contains("DESIGNER=Ida Kern, Labor S\xFC"
                                    "d\n"));

        const auto seen = CloseNextMessage();
        QVERIFY(!window.Results().SaveHtml(Std(scratch_.filePath("fehlt/bericht.htm"))));
        QCOMPARE(seen->caption, QString("Ergebnis speichern"));
        QVERIFY(
            seen->text.endsWith("kann nicht gespeichert werden.\n\nBitte speichern Sie auf "
                                "einem anderen Laufwerk."));
        settings.clear();
    }

    // "Stückliste exportieren..." writes the core's parts list where the save dialog says; a
    // file that cannot be written is reported under the command's caption.
    void PartsListGoesWhereTheDialogSays() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        QVERIFY(window.Flows().Load(Std(Example("twin_t_bandstop.vxs"))));
        const QString path = scratch_.filePath("teile.csv");
        WhenModal("savePartsListDialog", [path](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Stückliste exportieren"));
            // The name typed into the dialog's own field, as a user does.
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(name != nullptr);
            name->setText(path);
            static_cast<QDialog*>(dialog)->accept();
        });
        window.RunCommand(Command::RESULT_SAVE_PARTS_LIST);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const CDesignSession& session = window.Session();
        QCOMPARE(file.readAll().toStdString(),
                 PartsListCsv(PartsList(session.Filter(), session.OpAmps())));

        const auto seen = CloseNextMessage();
        QVERIFY(!window.Results().SavePartsList(Std(scratch_.filePath("fehlt/teile.csv"))));
        QCOMPARE(seen->caption, QString("Stückliste exportieren"));
    }

  private:
    QTemporaryDir scratch_;
};

VX_GUI_TEST(ResultWindowsTest);

}  // namespace vx::test

#include "result_windows_test.moc"
