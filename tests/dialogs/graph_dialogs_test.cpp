#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTest>
#include <cmath>

#include "app/flows.h"
#include "app/gui_test.h"
#include "app/main_window.h"
#include "app/result_commands.h"
#include "app/settings_store.h"
#include "plot/graph_options.h"
#include "qt/qt_text.h"
#include "session/design_session.h"

namespace vx::test {

namespace {

// Leaves a field as the user does, so that its edit is finished.
void Leave(QWidget* dialog, const QString& name) {
    auto* edit = Child<QLineEdit>(dialog, name);
    QVERIFY(edit != nullptr);
    emit edit->editingFinished();
}

}  // namespace

class GraphDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { QSettings().clear(); }

    // 500 Hz and 4 kHz for fg = 1 kHz: the factor fields follow before OK, the record and the
    // settings take 0.5 and 4, and the curves are computed for the new range.
    void FrequencyRangeByFrequencies() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        auto shown = std::make_shared<QStringList>();
        WhenModal("freqBerDlg", [shown](QWidget* dlg) {
            Type(dlg, "startHzEdit", "500");
            Type(dlg, "endHzEdit", "4k");
            *shown << Child<QLineEdit>(dlg, "startFactorEdit")->text()
                   << Child<QLineEdit>(dlg, "endFactorEdit")->text();
            Click(dlg, "okButton");
        });
        window.RunCommand(Command::GRAPH_RANGE);
        QCOMPARE(*shown, (QStringList{"0,5", "4"}));
        const CFilter& filter = window.Session().Filter();
        QCOMPARE(filter.PlotMin(), 0.5);
        QCOMPARE(filter.PlotMax(), 4.0);
        QCOMPARE(settings.value("View/fmin").toString(), QString("0.500000"));
        QCOMPARE(settings.value("View/fmax").toString(), QString("4.000000"));
        // The last point of the curve now lies at 4 kHz: a fourth-order Butterworth low-pass
        // with a gain of 2 is down to 2 / sqrt(1 + 4^8) there.
        const std::vector<double> curve = window.Session().Curves().filter.Values();
        QVERIFY(!curve.empty());
        QVERIFY(std::fabs(curve.back() / (2.0 / std::sqrt(1.0 + std::pow(4.0, 8))) - 1.0) < 0.05);
    }

    // 1 as the start is refused with the message, the dialog stays open and nothing changes.
    void FrequencyRangeRefusesOneAsStart() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        auto seen = std::make_shared<SeenMessage>();
        auto stayed = std::make_shared<bool>(false);
        WhenModal("freqBerDlg", [seen, stayed](QWidget* dlg) {
            Type(dlg, "startFactorEdit", "1");
            QCOMPARE(Child<QLineEdit>(dlg, "startHzEdit")->text(), QString("1k"));
            const auto message = CloseNextMessage();
            Click(dlg, "okButton");
            *seen = *message;
            *stayed = dlg->isVisible();
            Click(dlg, "cancelButton");
        });
        window.RunCommand(Command::GRAPH_RANGE);
        QCOMPARE(seen->caption, QString("Eingabefehler"));
        QCOMPARE(seen->text, QString("Bitte korrigieren Sie Ihre Eingaben."));
        QVERIFY(*stayed);
        QCOMPARE(window.Session().Filter().PlotMin(), 0.5);
        QVERIFY(!settings.contains("View/fmin"));
    }

    // The level beside a frequency mark is the magnitude of the stored design there: at
    // 1 kHz, the middle of the default range, the filter curve's middle point.
    void FrequencyMarkShowsTheLevelOfTheDesign() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        window.RunCommand(Command::GRAPH_FREQUENCY_MARKS);
        QDialog* marks = window.Results().Windows().Open(ResultWindow::FREQUENCY_MARKS);
        QVERIFY(marks != nullptr);
        QVERIFY(!marks->isModal());
        QCOMPARE(marks->windowTitle(), QString("Grafik - Frequenzmarken"));
        auto* edit = Child<QLineEdit>(marks, "markEdit0");
        QVERIFY(!edit->isEnabled());
        Child<QCheckBox>(marks, "markCheck0")->setChecked(true);
        QVERIFY(edit->isEnabled());
        Type(marks, "markEdit0", "1k");
        Leave(marks, "markEdit0");
        const std::vector<double> curve = window.Session().Curves().filter.Values();
        const double level = std::round(2000.0 * std::log10(curve[curve.size() / 2])) * 0.01;
        QCOMPARE(Child<QLabel>(marks, "markLevel0")->text(), Qs(MarkLevelText(level)));
        QVERIFY(Child<QLabel>(marks, "markLevel1")->text().isEmpty());

        // Opening it again brings the same window; closing it keeps the mark.
        window.RunCommand(Command::GRAPH_FREQUENCY_MARKS);
        QCOMPARE(window.Results().Windows().Open(ResultWindow::FREQUENCY_MARKS), marks);
        marks->close();
        const Mark& mark = window.Session().Filter().frequencyMarks[0];
        QVERIFY(mark.enabled);
        QCOMPARE(mark.value, 1000.0);
    }

    void AmplitudeMarksAndCurvesReachTheRecord() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.show();
        window.RunCommand(Command::GRAPH_AMPLITUDE_MARKS);
        QDialog* marks = window.Results().Windows().Open(ResultWindow::AMPLITUDE_MARKS);
        QVERIFY(marks != nullptr);
        Child<QCheckBox>(marks, "markCheck1")->setChecked(true);
        Type(marks, "markEdit1", "abc");
        const auto seen = CloseNextMessage();
        Click(marks, "okButton");
        QCOMPARE(seen->text, QString("Der Wert des Parameters \"Amplitudenmarke 2\" liegt "
                                     "außerhalb des zulässigen Bereichs [ beliebige Zahl in dB "
                                     "].\n\nBitte korrigieren Sie Ihre Eingaben."));
        QVERIFY(marks->isVisible());
        // The close box is never held up: it closes and takes nothing.
        marks->close();
        QVERIFY(!marks->isVisible());
        QVERIFY(!window.Session().Filter().amplitudeMarks[1].enabled);
        window.RunCommand(Command::GRAPH_AMPLITUDE_MARKS);
        marks = window.Results().Windows().Open(ResultWindow::AMPLITUDE_MARKS);
        QVERIFY(marks != nullptr);
        Child<QCheckBox>(marks, "markCheck1")->setChecked(true);
        Type(marks, "markEdit1", "-3");
        marks->close();  // the close box takes the marks over as OK does
        const Mark& mark = window.Session().Filter().amplitudeMarks[1];
        QVERIFY(mark.enabled);
        QCOMPARE(mark.value, -3.0);

        WhenModal("optionGrafikDlg", [](QWidget* dlg) {
            Child<QCheckBox>(dlg, "targetCurveCheck")->setChecked(false);
            Child<QCheckBox>(dlg, "delayCurveCheck")->setChecked(true);
            Click(dlg, "okButton");
        });
        window.RunCommand(Command::GRAPH_CURVES);
        QCOMPARE(window.Session().Filter().Curves().Bits(), 1 + 4 + 16);
    }

    // The report option and the designer go to the record and the settings.
    void ResultOptions() {
        QSettings settings;
        CSettingsStore store(settings);
        {
            CMainWindow window(store);
            window.show();
            WhenModal("optionErgebnisDlg", [](QWidget* dlg) {
                Child<QCheckBox>(dlg, "filterparamsCheck")->setChecked(true);
                Type(dlg, "designerNameEdit", "Ida Kern");
                // Typed keys are ASCII only.
                Child<QLineEdit>(dlg, "designerOrganisationEdit")->setText("Labor Süd");
                Click(dlg, "okButton");
            });
            window.RunCommand(Command::RESULT_OPTIONS);
            QVERIFY(window.Session().Filter().filterparamsInOutput);
            QVERIFY(window.close());
        }
        QCOMPARE(settings.value("Document/FilterparamsInOutput").toInt(), 1);
        QCOMPARE(settings.value("Document/Designer").toString(), QString("Ida Kern"));
        QCOMPARE(settings.value("Document/Organisation").toString(), QString("Labor Süd"));
    }
};

VX_GUI_TEST(GraphDialogsTest);

}  // namespace vx::test

#include "graph_dialogs_test.moc"
