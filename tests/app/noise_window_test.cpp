#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "analysis/noise/noise_text.h"
#include "app/flows.h"
#include "app/gui_test.h"
#include "app/main_window.h"
#include "app/result_commands.h"
#include "app/settings_store.h"
#include "qt/qt_text.h"
#include "session/design_session.h"

namespace vx::test {

namespace {

// The HTML report saved into `dir`, as text.
QString SavedHtml(CMainWindow& window, const QTemporaryDir& dir) {
    const QString path = dir.filePath("report.htm");
    if (!window.Results().SaveHtml(Std(path))) {
        return {};
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

}  // namespace

class NoiseWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // The menu runs the study and shows the core's figures, with both stage orders for the two
    // stages of the example; the report has the section while the result is kept, and a new
    // design drops it.
    void RunShowsTheFiguresUntilTheDesignChanges() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.resize(900, 620);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        QTemporaryDir dir;
        QVERIFY(!SavedHtml(window, dir).contains(kNoiseTitle));

        window.RunCommand(Command::RESULT_NOISE);
        const NoiseStudy* kept = window.Results().Noise().Result();
        QVERIFY(kept != nullptr);
        QVERIFY(kept->other.has_value());
        QDialog* shown = window.Results().Windows().Open(ResultWindow::NOISE);
        QVERIFY(shown != nullptr);
        QVERIFY(!shown->isModal());
        QCOMPARE(shown->objectName(), QString("noiseResultDlg"));
        QCOMPARE(shown->windowTitle(), QString("Ergebnis - Rauschen und Aussteuerung"));
        const auto lines = NoiseSummaryLines(*kept);
        QVERIFY(Child<QLabel>(shown, "summaryLine1")->text().startsWith("Rauschen am Ausgang: "));
        QCOMPARE(Child<QLabel>(shown, "summaryLine1")->text(), Qs(lines[1]));
        const std::vector<NoiseTable> tables = NoiseTables(*kept);
        QCOMPARE(tables.size(), size_t(3));
        for (const auto& [name, index] : {std::pair{"peakTable", 0}, std::pair{"orderTable", 2}}) {
            const auto& cells = tables[size_t(index)].cells;
            auto* table = Child<QTableWidget>(shown, name);
            QCOMPARE(table->rowCount() + 1, int(cells.size()));
            for (int r = 0; r < table->rowCount(); ++r) {
                for (int k = 0; k < table->columnCount(); ++k) {
                    QCOMPARE(table->item(r, k)->text(), Qs(cells[size_t(r) + 1][size_t(k)]));
                }
            }
        }
        QVERIFY(SavedHtml(window, dir).contains(kNoiseTitle));

        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        QVERIFY(window.Results().Noise().Result() == nullptr);
        QVERIFY(window.Results().Windows().Open(ResultWindow::NOISE) == nullptr);
        QVERIFY(!SavedHtml(window, dir).contains(kNoiseTitle));
    }

    // Cancel while the other stage order is designed keeps nothing and opens no window.
    void CancelKeepsNoResult() {
        QTemporaryDir dir;
        const QString path =
            ChangedExample(dir, "mfb_bandpass.vxs", "long.vxs", "ORDER=4", "ORDER=30");
        QVERIFY(!path.isEmpty());
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.show();
        QVERIFY(window.Flows().Load(Std(path)));
        auto line = std::make_shared<QString>();
        WhenModal("progressDlg", [line](QWidget* progress) {
            *line = Child<QLabel>(progress, "stageText")->text();
            Click(progress, "cancelButton");
        });
        window.RunCommand(Command::RESULT_NOISE);
        QVERIFY2(line->startsWith(Qs(kNoiseTitle)), qPrintable(*line));
        QVERIFY(window.Results().Noise().Result() == nullptr);
        QVERIFY(window.Results().Windows().Open(ResultWindow::NOISE) == nullptr);
        QCOMPARE(window.Session().Filter().GetDesignState(), DesignState::DESIGNED);
    }
};

VX_GUI_TEST(NoiseWindowTest);

}  // namespace vx::test

#include "noise_window_test.moc"
