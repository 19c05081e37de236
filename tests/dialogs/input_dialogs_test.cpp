#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringList>
#include <QTest>
#include <memory>

#include "app/gui_test.h"
#include "dialogs/bp_dlg.h"
#include "dialogs/br_tt_dlg.h"
#include "dialogs/hp_lp_dlg.h"
#include "session/design_session.h"

namespace vx::test {

namespace {

enum class Dialog { LP_SK, HP_MFB, LP_SKX, BP, BR };

std::unique_ptr<QDialog> Open(Dialog which, CDesignSession& session) {
    switch (which) {
        case Dialog::LP_SK:
            return std::make_unique<CHpLpDlg>(FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                                              session, nullptr);
        case Dialog::HP_MFB:
            return std::make_unique<CHpLpDlg>(FilterType::HIGHPASS, StructureKind::MFB, session,
                                              nullptr);
        case Dialog::LP_SKX:
            return std::make_unique<CHpLpDlg>(FilterType::LOWPASS, StructureKind::SALLEN_KEY_X,
                                              session, nullptr);
        case Dialog::BP:
            return std::make_unique<CBpDlg>(session, nullptr);
        case Dialog::BR:
            break;
    }
    return std::make_unique<CBrTtDlg>(session, nullptr);
}

QString Range(const QString& name, const QString& range) {
    return "Der Wert des Parameters \"" + name + "\" liegt außerhalb des zulässigen Bereichs [ " +
           range + " ].\n\nBitte korrigieren Sie Ihre Eingaben.";
}

}  // namespace

class InputDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void RefusedFieldKeepsTheDialogOpenWithItsFocus_data() {
        QTest::addColumn<int>("dialog");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString order = Range("Ordnung", "1 .. 30");
        QTest::newRow("order 31") << int(Dialog::LP_SK) << "orderEdit"
                                  << "31" << order;
        QTest::newRow("order 0") << int(Dialog::HP_MFB) << "orderEdit"
                                 << "0" << order;
        QTest::newRow("Sallen-Key gain") << int(Dialog::LP_SK) << "gainDbEdit"
                                         << "-3" << Range("Verstärkung", "0 .. 200 dB");
        QTest::newRow("third-order gain") << int(Dialog::LP_SKX) << "gainDbEdit"
                                          << "-1" << Range("Verstärkung", "0 .. 200 dB");
        QTest::newRow("band-pass order") << int(Dialog::BP) << "orderEdit"
                                         << "31" << Range("Ordnung", "2 .. 30");
        QTest::newRow("odd band-pass order")
            << int(Dialog::BP) << "orderEdit"
            << "5"
            << "Der Wert des Parameters \"Ordnung\" ist ungültig :\n\nDie Ordnung ist nicht "
               "gerade.\n\nBitte korrigieren Sie Ihre Eingaben.";
        QTest::newRow("band-stop quality") << int(Dialog::BR) << "qualityEdit"
                                           << "0,4" << Range("Güte", ">= 0.5");
        // A text that is no number is no 0 dB: the gain's range message names it.
        QTest::newRow("gain no number") << int(Dialog::LP_SK) << "gainDbEdit"
                                        << "abc" << Range("Verstärkung", "0 .. 200 dB");
        QTest::newRow("linear gain no number") << int(Dialog::LP_SK) << "gainLinearEdit"
                                               << "abc" << Range("Verstärkung", "0 .. 200 dB");
    }

    void RefusedFieldKeepsTheDialogOpenWithItsFocus() {
        QFETCH(int, dialog);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        CDesignSession session;
        const SpecificationBlock before = session.Filter().Specification();
        const std::unique_ptr<QDialog> dlg = Open(static_cast<Dialog>(dialog), session);
        dlg->show();
        Type(dlg.get(), field, text);
        Child<QLineEdit>(dlg.get(), "frequencyEdit")->setFocus();
        const auto seen = CloseNextMessage();
        Click(dlg.get(), "okButton");
        QCOMPARE(seen->caption, QString("Eingabefehler"));
        QCOMPARE(seen->text, message);
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->focusWidget(), Child<QWidget>(dlg.get(), field));
        QVERIFY(session.Filter().Specification() == before);
    }

    void GainFieldsFollowEachOther_data() {
        QTest::addColumn<int>("dialog");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("other");
        QTest::addColumn<QString>("shown");
        QTest::newRow("dB rewrites linear") << int(Dialog::LP_SK) << "gainDbEdit"
                                            << "20"
                                            << "gainLinearEdit"
                                            << "10";
        QTest::newRow("linear rewrites dB") << int(Dialog::BP) << "gainLinearEdit"
                                            << "0,5"
                                            << "gainDbEdit"
                                            << "-6,021";
        QTest::newRow("linear 0 leaves dB") << int(Dialog::HP_MFB) << "gainLinearEdit"
                                            << "0"
                                            << "gainDbEdit"
                                            << "0";
    }

    void GainFieldsFollowEachOther() {
        QFETCH(int, dialog);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, other);
        QFETCH(QString, shown);
        CDesignSession session;
        const std::unique_ptr<QDialog> dlg = Open(static_cast<Dialog>(dialog), session);
        Type(dlg.get(), field, text);
        QCOMPARE(Child<QLineEdit>(dlg.get(), other)->text(), shown);
    }

    void RippleFieldOnlyForTschebyscheff() {
        CDesignSession session;
        const std::unique_ptr<QDialog> dlg = Open(Dialog::LP_SK, session);
        auto* ripple = Child<QLineEdit>(dlg.get(), "rippleEdit");
        Click(dlg.get(), "characteristicRadio2");
        QVERIFY(ripple->isEnabled());
        Click(dlg.get(), "characteristicRadio1");
        QVERIFY(!ripple->isEnabled());
        // The third-order dialog has neither the individual characteristic nor an order.
        const std::unique_ptr<QDialog> third = Open(Dialog::LP_SKX, session);
        QVERIFY(Child<QRadioButton>(third.get(), "characteristicRadio3") == nullptr);
        QVERIFY(Child<QLineEdit>(third.get(), "orderEdit") == nullptr);
        QCOMPARE(third->windowTitle(), QString("Sallen-Key-Tiefpass 3. Ordnung mit 1 OPV"));
    }

    void OkStoresTheSpecification() {
        CDesignSession session;
        const std::unique_ptr<QDialog> dlg = Open(Dialog::LP_SK, session);
        Type(dlg.get(), "orderEdit", "5");
        Type(dlg.get(), "frequencyEdit", "2,2k");
        Type(dlg.get(), "gainDbEdit", "0,05");
        Click(dlg.get(), "characteristicRadio2");
        Type(dlg.get(), "rippleEdit", "0,5");
        Click(dlg.get(), "seriesRadio3");
        Click(dlg.get(), "okButton");
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        const CFilter& f = session.Filter();
        QCOMPARE(f.OrderLpHp(), 5);
        QCOMPARE(f.Frequency(), 2200.0);
        QCOMPARE(f.GainDb(), 0.0);  // below 0.1 dB no gain network
        QCOMPARE(f.GetCharacteristic(), Characteristic::CHEBYCHEV);
        QCOMPARE(f.RippleDb(), 0.5);
        QCOMPARE(f.GetResistorSeries(), ResistorSeries::E96);
        QCOMPARE(session.Character().Count(), 3);
    }

    void BandEdgesGiveCentreAndBandwidth() {
        CDesignSession session;
        const std::unique_ptr<QDialog> dlg = Open(Dialog::BP, session);
        WhenModal("editBpFreqsDlg", [](QWidget* edges) {
            Type(edges, "lowerEdgeEdit", "900");
            Type(edges, "upperEdgeEdit", "1,1k");
            Click(edges, "okButton");
        });
        Click(dlg.get(), "bandEdgesButton");
        QCOMPARE(Child<QLineEdit>(dlg.get(), "frequencyEdit")->text(), QString("995"));
        QCOMPARE(Child<QLineEdit>(dlg.get(), "bandwidthEdit")->text(), QString("200"));
        // The edges come back as entered, not from the centre's four digits: before and after
        // OK, in the dialog that changes the specification.
        const auto edgesShown = [] {
            auto shown = std::make_shared<QStringList>();
            WhenModal("editBpFreqsDlg", [shown](QWidget* edges) {
                *shown << Child<QLineEdit>(edges, "lowerEdgeEdit")->text()
                       << Child<QLineEdit>(edges, "upperEdgeEdit")->text();
                Click(edges, "cancelButton");
            });
            return shown;
        };
        auto shown = edgesShown();
        Click(dlg.get(), "bandEdgesButton");
        QCOMPARE(*shown, QStringList({"900", "1100"}));
        Click(dlg.get(), "okButton");
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        const std::unique_ptr<QDialog> again = Open(Dialog::BP, session);
        shown = edgesShown();
        Click(again.get(), "bandEdgesButton");
        QCOMPARE(*shown, QStringList({"900", "1100"}));
        // The band-stop's gain follows its Q as it is typed.
        const std::unique_ptr<QDialog> stop = Open(Dialog::BR, session);
        Type(stop.get(), "qualityEdit", "10");
        QCOMPARE(Child<QLabel>(stop.get(), "bandStopGainText")->text(), QString("5,8 dB"));
    }

    void StageGainsSetTheTotalGain() {
        CDesignSession session;
        const std::unique_ptr<QDialog> dlg = Open(Dialog::LP_SK, session);
        Type(dlg.get(), "orderEdit", "4");
        WhenModal("gainDlg", [](QWidget* gains) {
            Type(gains, "stageGainEdit0", "0");
            const auto seen = CloseNextMessage();
            Click(gains, "okButton");
            QCOMPARE(seen->text,
                     QString("Der eingegebene Wert für die Stufe 1 ist nicht größer 0."));
            Type(gains, "stageGainEdit0", "2");
            Type(gains, "stageGainEdit1", "5");
            Click(gains, "okButton");
        });
        Click(dlg.get(), "stageGainsButton");
        QVERIFY(Child<QRadioButton>(dlg.get(), "distributionRadio2")->isChecked());
        QCOMPARE(Child<QLineEdit>(dlg.get(), "gainDbEdit")->text(), QString("20"));
        QCOMPARE(session.Filter().GetStageGain(1), 5.0);
    }

    void PoleFieldWithNoNumberIsNamed() {
        CDesignSession session;
        const std::unique_ptr<QDialog> dlg = Open(Dialog::LP_SK, session);
        Click(dlg.get(), "characteristicRadio3");
        WhenModal("polparameterDlg", [](QWidget* poles) {
            Type(poles, "poleQualityEdit4", "abc");
            const auto seen = CloseNextMessage();
            Click(poles, "okButton");
            QCOMPARE(seen->text, Range("Polgüte Q der Stufe 5", "> 0"));
            QVERIFY(poles->isVisible());
            QCOMPARE(poles->focusWidget(), Child<QWidget>(poles, "poleQualityEdit4"));
            Click(poles, "cancelButton");
        });
        Click(dlg.get(), "poleParametersButton");
    }

    void SearchShowsTheRecordAndChecksOnlyTheExhaustiveWindow_data() {
        QTest::addColumn<int>("dialog");
        QTest::newRow("low-pass") << int(Dialog::LP_SK);
        QTest::newRow("band-pass") << int(Dialog::BP);
    }

    void SearchShowsTheRecordAndChecksOnlyTheExhaustiveWindow() {
        QFETCH(int, dialog);
        CDesignSession session;
        session.Filter().SetSearch(SearchMethod::EXHAUSTIVE, 10.0);
        const std::unique_ptr<QDialog> dlg = Open(static_cast<Dialog>(dialog), session);
        dlg->show();
        auto* window = Child<QLineEdit>(dlg.get(), "impedanceWindow");
        QVERIFY(Child<QRadioButton>(dlg.get(), "searchExhaustive")->isChecked());
        QCOMPARE(window->text(), QString("10"));
        QVERIFY(window->isEnabled());

        Type(dlg.get(), "impedanceWindow", "1,4");
        const auto seen = CloseNextMessage();
        Click(dlg.get(), "okButton");
        QCOMPARE(seen->text, Range("Impedanzfenster", "1,5 .. 100"));
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->focusWidget(), window);

        // The neighbour search does not read the window: the dialog closes, the record keeps 10.
        Child<QRadioButton>(dlg.get(), "searchNeighbours")->click();
        QVERIFY(!window->isEnabled());
        Click(dlg.get(), "okButton");
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(session.Filter().GetSearchMethod(), SearchMethod::NEIGHBOURS);
        QCOMPARE(session.Filter().ImpedanceWindow(), 10.0);
    }
};

VX_GUI_TEST(InputDialogsTest);

}  // namespace vx::test

#include "input_dialogs_test.moc"
