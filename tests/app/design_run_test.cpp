#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStatusBar>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include "app/flows.h"
#include "app/gui_test.h"
#include "app/main_window.h"
#include "app/plot_view.h"
#include "app/settings_store.h"
#include "model/number_text.h"
#include "qt/qt_text.h"
#include "session/design_session.h"
#include "session/design_session_messages.h"
#include "structures/search/search_options.h"

namespace vx::test {

namespace {

QString WriteSpecification(const QTemporaryDir& dir, const char* name, const char* filter) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write("[FILTER]\n");
        file.write(filter);
    }
    return path;
}

// A long design whatever the machine: the straightforward search of the third-order structure
// over E192 for a real op-amp takes a minute, so a cancel lands in the middle of it (the default
// search ends within a fraction of a second).
QString WriteSlowDesign(const QTemporaryDir& dir) {
    return WriteSpecification(dir, "long.vxs",
                              "TYPE=LOWPASS\nSTRUCTURE=SKX\nFREQUENCY=1000\nGAIN_DB=0\n"
                              "CHARACTERISTIC=BESSEL\nORDER=3\nIMPEDANCE=10000\nRESISTORS=E192\n"
                              "OPAMP=LF411\nSEQUENCE=HIGH_LEVEL\nCAPACITORS=OPTIMIZE\n");
}

}  // namespace

class DesignRunTest : public QObject {
    Q_OBJECT

  private slots:
    void CancelStopsALongDesignAndTheWindowAnswers() {
        QTemporaryDir dir;
        const QString path = WriteSlowDesign(dir);
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.Session().SetSearchOptions(SearchOptions::Straightforward());
        window.show();
        auto cancelled = std::make_shared<QElapsedTimer>();
        WhenModal("progressDlg", [cancelled](QWidget* progress) {
            // The window thread stays live while the worker searches, and shows its progress.
            QTest::qWait(200);
            QVERIFY(Child<QLabel>(progress, "stageText")->text().startsWith("Stufe 1 von 1"));
            cancelled->start();
            Click(progress, "cancelButton");
        });
        QVERIFY(window.Flows().Load(Std(path)));
        qInfo("cancel took %lld ms to end the design", cancelled->elapsed());
        QCOMPARE(window.Session().Filter().GetDesignState(), DesignState::CANCELLED);
        // The window answers the next command.
        const auto seen = CloseNextMessage();
        window.RunCommand(Command::ABOUT);
        QCOMPARE(seen->caption, QString("Info über Veltranix 3.3"));
    }

    void CancelledRedesignKeepsTheModifiedDesign() {
        QTemporaryDir dir;
        const QString path = WriteSlowDesign(dir);
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.show();
        QVERIFY(window.Flows().Load(Std(path)));
        auto respecify = [&window](const char* frequency) {
            WhenModal("hpLpDlg", [frequency](QWidget* dlg) {
                Type(dlg, "frequencyEdit", frequency);
                Click(dlg, "okButton");
            });
            window.RunCommand(Command::CHANGE_SPECIFICATION);
        };
        respecify("2000");
        const CFilter& filter = window.Session().Filter();
        QCOMPARE(filter.GetDesignState(), DesignState::DESIGNED);
        QVERIFY(filter.specModified);
        const SpecificationBlock spec = filter.Specification();
        const StageEntry stage = filter.Stage(0);
        const std::vector<double> curve = window.Session().Curves().filter.Values();
        const int pixels = FilterCurvePixels(window.View()->grab().toImage());
        QVERIFY(pixels > 0);

        window.Session().SetSearchOptions(SearchOptions::Straightforward());
        WhenModal("progressDlg", [](QWidget* progress) {
            QTest::qWait(200);
            Click(progress, "cancelButton");
        });
        respecify("3000");
        QCOMPARE(filter.GetDesignState(), DesignState::DESIGNED);
        QVERIFY(filter.Specification() == spec);
        QVERIFY(filter.Stage(0) == stage);
        QVERIFY(window.Session().Curves().filter.Values() == curve);
        QCOMPARE(FilterCurvePixels(window.View()->grab().toImage()), pixels);
        QVERIFY(filter.specModified);
        QCOMPARE(window.statusBar()->currentMessage(), Qs(RedesignUndoneLine()));

        auto asked = std::make_shared<bool>(false);
        WhenModal("questionBox", [asked](QWidget* box) {
            *asked = true;
            Click(box, "cancelButton");
        });
        QVERIFY(!window.close());
        QVERIFY(*asked);
    }

    void StoredPairBelowTheRatioIsRepairedInTheMismatchDialog() {
        QTemporaryDir dir;
        // A Butterworth Sallen-Key stage without gain needs C2/C1 >= 2.
        const QString path = WriteSpecification(
            dir, "pair.vxs",
            "TYPE=LOWPASS\nSTRUCTURE=SK\nFREQUENCY=1000\nGAIN_DB=0\nCHARACTERISTIC=BUTTERWORTH\n"
            "ORDER=2\nIMPEDANCE=10000\nRESISTORS=E24\nOPAMP=IDEAL\nSEQUENCE=HIGH_LEVEL\n"
            "CAPACITORS=ENTER\n[STAGE 1]\nC1=1.0E-08\nC2=1.5E-08\n");
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        auto proposed = std::make_shared<QString>();
        WhenModal("capMismatchDlg", [proposed](QWidget* dlg) {
            *proposed = Child<QLineEdit>(dlg, "newC2Edit")->text();
            Click(dlg, "optionRadio0");
            Click(dlg, "okButton");
        });
        QVERIFY(window.Flows().Load(Std(path)));
        const CFilter& filter = window.Session().Filter();
        QCOMPARE(filter.GetDesignState(), DesignState::DESIGNED);
        QCOMPARE(*proposed, QString("22 nF"));
        QCOMPARE(filter.Value(ComponentSlot::C1, 0), 10e-9);
        QCOMPARE(filter.Value(ComponentSlot::C2, 0), ParseValue(Std(*proposed)));
    }

    void NewFilterWithEnteredCapacitorsAsksForThem() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        auto titles = std::make_shared<QStringList>();
        WhenModal("hpLpDlg", [titles](QWidget* dlg) {
            Type(dlg, "orderEdit", "3");
            Click(dlg, "capacitorRadio0");
            auto accept = [titles](QWidget* cap) {
                titles->append(cap->windowTitle());
                Click(cap, "okButton");
            };
            // Stage 1 (first order) asks C1, stage 2 asks C1 and C2.
            WhenModal("capDlg", [accept](QWidget* c) {
                accept(c);
                WhenModal("capDlg", [accept](QWidget* c2) {
                    accept(c2);
                    WhenModal("capDlg", accept);
                });
            });
            Click(dlg, "okButton");
        });
        window.RunCommand(Command::NEW_LP_SK);
        QCOMPARE(*titles, QStringList({"Kapazität vorgeben: C1 in Stufe 1 von 2",
                                       "Kapazität vorgeben: C1 in Stufe 2 von 2",
                                       "Kapazität vorgeben: C2 in Stufe 2 von 2"}));
        const CFilter& filter = window.Session().Filter();
        QCOMPARE(filter.GetDesignState(), DesignState::DESIGNED);
        QCOMPARE(filter.CapsEnteredOrder(), 3);
        QCOMPARE(filter.GetCapacitorMode(), CapacitorMode::ENTER);
    }

    void ChangedCapacitorsAreKeptByTheNextDesign() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        WhenModal("editCapsDlg", [](QWidget* dlg) {
            WhenModal("capDlg", [](QWidget* cap) {
                Type(cap, "capacitorEdit", "1n");  // a smaller C1 keeps C2 above its minimum
                Click(cap, "okButton");
            });
            Click(dlg, "change_1_0");
            Click(dlg, "okButton");
        });
        window.RunCommand(Command::CHANGE_CAPACITORS);
        const CFilter& filter = window.Session().Filter();
        QCOMPARE(filter.GetDesignState(), DesignState::DESIGNED);
        QCOMPARE(filter.GetCapacitorMode(), CapacitorMode::ENTER);
        QCOMPARE(filter.Value(ComponentSlot::C1, 1), 1e-9);
        QVERIFY(filter.specModified);
    }

    void ChangingCapacitorsTakesTheValuesTheDesignChose() {
        QTemporaryDir dir;
        // Its capacitor search leaves C2 of stage 5 a little under the ratio that dimensioning
        // from the capacitors asks for.
        const QString path = WriteSpecification(
            dir, "mfb.vxs",
            "TYPE=LOWPASS\nSTRUCTURE=MFB\nFREQUENCY=1000\nGAIN_DB=0\n"
            "CHARACTERISTIC=BUTTERWORTH\nORDER=10\nIMPEDANCE=10000\nRESISTORS=E24\n"
            "OPAMP=IDEAL\nSEQUENCE=HIGH_LEVEL\nGAINDISTRIB=EQUAL\nCAPACITORS=OPTIMIZE\n");
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        QVERIFY(window.Flows().Load(Std(path)));
        // The dialog's minimum for that C2 is the designed value itself, so that both the
        // capacitor prompt and OK take it.
        auto shown = std::make_shared<QStringList>();
        WhenModal("editCapsDlg", [shown](QWidget* dlg) {
            *shown << Child<QLabel>(dlg, "minimum_4_1")->text()
                   << Child<QLabel>(dlg, "current_4_1")->text();
            Click(dlg, "cancelButton");
        });
        window.RunCommand(Command::CHANGE_CAPACITORS);
        QCOMPARE(shown->size(), 2);
        QCOMPARE(shown->at(0), shown->at(1));
    }
};

VX_GUI_TEST(DesignRunTest);

}  // namespace vx::test

#include "design_run_test.moc"
