#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "analysis/tolerance_analysis.h"
#include "analysis/tolerance_messages.h"
#include "app/flows.h"
#include "app/gui_test.h"
#include "app/main_window.h"
#include "app/plot_view.h"
#include "app/result_commands.h"
#include "app/settings_store.h"
#include "qt/qt_text.h"
#include "report/tolerance_rows.h"
#include "session/design_session.h"

namespace vx::test {

namespace {

namespace t = tolerance_text;

// Pixels in the colour of the tolerance band in a grab of the plot.
int BandPixels(QWidget* view) {
    const QImage image = view->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == QColor(200, 212, 255) ? 1 : 0;
        }
    }
    return count;
}

// Far more than the legend's swatch: the band itself is drawn.
constexpr int kBandDrawn = 2000;

// A main window that has designed `file`.
struct DesignedWindow {
    explicit DesignedWindow(const QString& file) {
        window.resize(900, 620);
        window.show();
        loaded = window.Flows().Load(Std(file));
    }
    QSettings settings;
    CSettingsStore store{settings};
    CMainWindow window{store};
    bool loaded = false;
};

// Opens the dialog through the menu, types `runs` and accepts.
void RunFromMenu(CMainWindow& window, const QString& runs) {
    WhenModal("toleranceDlg", [runs](QWidget* dlg) {
        Type(dlg, "runsEdit", runs);
        Click(dlg, "okButton");
    });
    window.RunCommand(Command::RESULT_TOLERANCE);
}

QStringList Cells(const QTableWidget* table, int row) {
    QStringList cells;
    for (int k = 0; k < table->columnCount(); ++k) {
        cells << table->item(row, k)->text();
    }
    return cells;
}

QStringList Cells(const std::vector<std::string>& row) {
    QStringList cells;
    for (const std::string& cell : row) {
        cells << Qs(cell);
    }
    return cells;
}

}  // namespace

class ToleranceWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // OK refuses a field the core's check refuses, with the core's message, and keeps the
    // dialog open with the focus on that field.
    void DialogRefusesWithTheCoreMessage_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("resistors") << "resistorEdit"
                                   << "60" << Qs(t::kToleranceRange);
        QTest::newRow("capacitors no number") << "capacitorEdit"
                                              << "5x" << Qs(t::kToleranceRange);
        QTest::newRow("gain-bandwidth") << "gainBandwidthEdit"
                                        << "-1" << Qs(t::kToleranceRange);
        QTest::newRow("runs") << "runsEdit"
                              << "20000" << Qs(t::kRunsRange);
        QTest::newRow("runs empty") << "runsEdit"
                                    << "" << Qs(t::kRunsRange);
        QTest::newRow("seed") << "seedEdit"
                              << "1,5" << Qs(t::kSeedRange);
    }

    void DialogRefusesWithTheCoreMessage() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        DesignedWindow designed(Example("sk_lowpass_gain.vxs"));
        QVERIFY(designed.loaded);
        CMainWindow& window = designed.window;
        auto seen = std::make_shared<SeenMessage>();
        auto proposed = std::make_shared<QString>();
        auto focused = std::make_shared<bool>(false);
        WhenModal("toleranceDlg", [=](QWidget* dlg) {
            *proposed = Child<QLineEdit>(dlg, "resistorEdit")->text();
            Type(dlg, field, text);
            Child<QLineEdit>(dlg, field == "seedEdit" ? "runsEdit" : "seedEdit")->setFocus();
            const auto shown = CloseNextMessage();
            Click(dlg, "okButton");
            *seen = *shown;
            *focused = dlg->isVisible() && dlg->focusWidget() == Child<QWidget>(dlg, field);
            Click(dlg, "cancelButton");
        });
        window.RunCommand(Command::RESULT_TOLERANCE);
        // The defaults of the design: E24 resistors have 5 %.
        QCOMPARE(*proposed, QString("5"));
        QCOMPARE(seen->caption, QString("Toleranzanalyse"));
        QCOMPARE(seen->text, message);
        QVERIFY(*focused);
        QVERIFY(window.Results().Tolerance().Result() == nullptr);
        QVERIFY(!window.View()->HasToleranceBand());
    }

    // A run from the menu draws the band under the curves and opens the result window with the
    // figures of the core's analysis for the settings the dialog took.
    void RunFromTheMenuShowsTheBandAndTheFigures() {
        DesignedWindow designed(Example("sk_lowpass_gain.vxs"));
        QVERIFY(designed.loaded);
        CMainWindow& window = designed.window;
        QCOMPARE(BandPixels(window.View()), 0);
        RunFromMenu(window, "200");
        QVERIFY(BandPixels(window.View()) > kBandDrawn);

        ToleranceSettings expected = ToleranceSettings::For(window.Session().Filter());
        expected.runs = 200;
        SilentMonitor monitor;
        const ToleranceRun core = CToleranceAnalysis(window.Session(), expected).Run(monitor);
        QCOMPARE(int(core.outcome), int(ToleranceOutcome::DONE));

        QDialog* shown = window.Results().Windows().Open(ResultWindow::TOLERANCE);
        QVERIFY(shown != nullptr);
        QVERIFY(!shown->isModal());
        QCOMPARE(shown->windowTitle(), QString("Ergebnis - Toleranzanalyse"));
        const TextTable figures = ToleranceFigureTable(core.result);
        auto* figureTable = Child<QTableWidget>(shown, "figureTable");
        QCOMPARE(figureTable->rowCount(), int(figures.rows.size()));
        for (int r = 0; r < figureTable->rowCount(); ++r) {
            QCOMPARE(Cells(figureTable, r), Cells(figures.rows[size_t(r)]));
        }
        const TextTable sensitivities = SensitivityTable(core.result);
        auto* sensitivityTable = Child<QTableWidget>(shown, "sensitivityTable");
        QCOMPARE(sensitivityTable->rowCount(), int(sensitivities.rows.size()));
        QCOMPARE(Cells(sensitivityTable, 0), Cells(sensitivities.rows.front()));
        const auto yield = ToleranceYieldRows(core.result);
        QCOMPARE(Child<QLabel>(shown, "yieldValue0")->text(), Qs(yield.front().value));
        QCOMPARE(Child<QLabel>(shown, "settingValue4")->text(), QString("200"));

        // The dialog proposes the settings of the last run; the command brings up a new window.
        auto proposed = std::make_shared<QString>();
        WhenModal("toleranceDlg", [proposed](QWidget* dlg) {
            *proposed = Child<QLineEdit>(dlg, "runsEdit")->text();
            Click(dlg, "okButton");
        });
        window.RunCommand(Command::RESULT_TOLERANCE);
        QCOMPARE(*proposed, QString("200"));
        QVERIFY(window.Results().Windows().Open(ResultWindow::TOLERANCE) != nullptr);
    }

    // Cancel in the progress dialog ends the run without a result: the band of the run before
    // is gone as well, and the window answers the next command.
    void CancelLeavesNoBand() {
        QTemporaryDir dir;
        // A band-pass of order 30 with 10000 runs takes seconds: the cancel lands in the middle.
        const QString path =
            ChangedExample(dir, "mfb_bandpass.vxs", "long.vxs", "ORDER=4", "ORDER=30");
        QVERIFY(!path.isEmpty());
        DesignedWindow designed(path);
        QVERIFY(designed.loaded);
        CMainWindow& window = designed.window;
        RunFromMenu(window, "20");
        QVERIFY(BandPixels(window.View()) > kBandDrawn);

        auto line = std::make_shared<QString>();
        WhenModal("progressDlg", [line](QWidget* progress) {
            *line = Child<QLabel>(progress, "stageText")->text();
            Click(progress, "cancelButton");
        });
        RunFromMenu(window, "10000");
        QVERIFY2(line->startsWith("Toleranzanalyse: "), qPrintable(*line));
        QVERIFY(window.Results().Tolerance().Result() == nullptr);
        QVERIFY(window.Results().Windows().Open(ResultWindow::TOLERANCE) == nullptr);
        QCOMPARE(BandPixels(window.View()), 0);
        QCOMPARE(window.Session().Filter().GetDesignState(), DesignState::DESIGNED);
        const auto seen = CloseNextMessage();
        window.RunCommand(Command::ABOUT);
        QCOMPARE(seen->caption, QString("Info über Veltranix 3.3"));
    }

    // A new design leaves nothing of the analysis of the one before.
    void NewDesignDropsTheBand() {
        DesignedWindow designed(Example("sk_lowpass_gain.vxs"));
        QVERIFY(designed.loaded);
        CMainWindow& window = designed.window;
        RunFromMenu(window, "50");
        QVERIFY(window.View()->HasToleranceBand());
        QVERIFY(window.Results().Windows().Open(ResultWindow::TOLERANCE) != nullptr);
        QVERIFY(window.Flows().Load(Std(Example("mfb_lowpass.vxs"))));
        QVERIFY(!window.View()->HasToleranceBand());
        QVERIFY(window.Results().Tolerance().Result() == nullptr);
        QVERIFY(window.Results().Windows().Open(ResultWindow::TOLERANCE) == nullptr);
        QCOMPARE(BandPixels(window.View()), 0);
        QVERIFY(FilterCurvePixels(window.View()->grab().toImage()) > 0);
    }
};

VX_GUI_TEST(ToleranceWindowTest);

}  // namespace vx::test

#include "tolerance_window_test.moc"
