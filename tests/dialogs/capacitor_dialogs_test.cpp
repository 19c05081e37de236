#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/gui_test.h"
#include "dialogs/cap_dlg.h"
#include "dialogs/cap_mismatch_dlg.h"
#include "dialogs/edit_caps_dlg.h"
#include "session/design_session.h"

namespace vx::test {

class CapacitorDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void CapacitorBelowItsMinimumIsRefused() {
        CCapDlg dlg({"C2", 2, 3, 22e-9}, 10e-9, nullptr);
        QCOMPARE(dlg.windowTitle(), QString("Kapazität vorgeben: C2 in Stufe 2 von 3"));
        // The proposal was raised to the minimum's E12 value.
        QCOMPARE(Child<QLineEdit>(&dlg, "capacitorEdit")->text(), QString("22 nF"));
        dlg.show();
        Type(&dlg, "capacitorEdit", "21n");
        const auto seen = CloseNextMessage();
        Click(&dlg, "okButton");
        QCOMPARE(seen->text, QString("Der eingegebene Wert ist kleiner als der zulässige "
                                     "Mindestwert."));
        QVERIFY(dlg.isVisible());
        Type(&dlg, "capacitorEdit", "abc");
        const auto notANumber = CloseNextMessage();
        Click(&dlg, "okButton");
        QCOMPARE(notANumber->text, QString("Der Wert des Parameters \"C2\" liegt außerhalb des "
                                           "zulässigen Bereichs [ >= 22 nF ].\n\nBitte "
                                           "korrigieren Sie Ihre Eingaben."));
        QVERIFY(dlg.isVisible());
        Type(&dlg, "capacitorEdit", "22n");  // the minimum itself is accepted
        Click(&dlg, "okButton");
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Value(), 22e-9);
    }

    void MismatchOptionsRepairThePair() {
        const MismatchRequest request{2, 3, 2.0};
        {
            CCapMismatchDlg dlg(request, 10e-9, 15e-9, nullptr);
            QCOMPARE(Child<QLineEdit>(&dlg, "newC2Edit")->text(), QString("22 nF"));
            Type(&dlg, "newC2Edit", "18n");
            const auto seen = CloseNextMessage();
            Click(&dlg, "okButton");
            QCOMPARE(seen->caption, QString("Fehler: C2 zu klein"));
            Type(&dlg, "newC2Edit", "22n");
            Click(&dlg, "okButton");
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QCOMPARE(dlg.C2(), 22e-9);
            QCOMPARE(dlg.C1(), 10e-9);
        }
        {
            CCapMismatchDlg dlg(request, 10e-9, 15e-9, nullptr);
            Click(&dlg, "optionRadio1");
            QCOMPARE(Child<QLineEdit>(&dlg, "newC1Edit")->text(), QString("6,8 nF"));
            Click(&dlg, "okButton");
            QCOMPARE(dlg.C1(), 6.8e-9);
        }
        {
            // Option 3: cancelling the first capacitor keeps the dialog and both values.
            CCapMismatchDlg dlg(request, 10e-9, 15e-9, nullptr);
            dlg.show();
            Click(&dlg, "optionRadio2");
            WhenModal("capDlg", [](QWidget* cap) { Click(cap, "cancelButton"); });
            Click(&dlg, "okButton");
            QVERIFY(dlg.isVisible());
            QCOMPARE(dlg.C1(), 10e-9);
            WhenModal("capDlg", [](QWidget* first) {
                Type(first, "capacitorEdit", "4,7n");
                WhenModal("capDlg", [](QWidget* second) {
                    // C2 is proposed at the E12 value above r C1.
                    QCOMPARE(Child<QLineEdit>(second, "capacitorEdit")->text(), QString("10 nF"));
                    Click(second, "okButton");
                });
                Click(first, "okButton");
            });
            Click(&dlg, "okButton");
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QCOMPARE(dlg.C1(), 4.7e-9);
            QCOMPARE(dlg.C2(), 10e-9);
        }
    }

    void EditingPagesTenStagesAndChecksMinima() {
        CDesignSession session;
        CFilter& filter = session.Filter();
        SpecificationBlock b = filter.Specification();
        b.orderLpHp = 23;  // 12 stages, the first of first order
        b.characteristic = Characteristic::BUTTERWORTH;
        filter.SetSpecification(b, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
        session.FillCharacteristic();
        SilentMonitor monitor;
        session.Design(monitor);
        CFilterStructure& structure = *session.Current();
        structure.PrepareUntilStable();
        CEditCapsDlg dlg(structure, nullptr);
        auto settle = [] { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); };
        QVERIFY(Child<QPushButton>(&dlg, "change_0_0") != nullptr);
        QVERIFY(Child<QPushButton>(&dlg, "change_0_1") == nullptr);  // first order: C1 only
        QVERIFY(Child<QPushButton>(&dlg, "change_9_1") != nullptr);
        QVERIFY(Child<QPushButton>(&dlg, "change_10_0") == nullptr);
        Click(&dlg, "moreStagesButton");
        settle();
        QVERIFY(Child<QPushButton>(&dlg, "change_11_1") != nullptr);
        QVERIFY(Child<QPushButton>(&dlg, "change_0_0") == nullptr);

        // Raising C1 of stage 12 raises the minimum of its C2 above the stored value.
        const QString c2Before = Child<QLabel>(&dlg, "current_11_1")->text();
        WhenModal("capDlg", [](QWidget* cap) {
            Type(cap, "capacitorEdit", "1u");
            Click(cap, "okButton");
        });
        Click(&dlg, "change_11_0");
        settle();
        QCOMPARE(Child<QLabel>(&dlg, "current_11_0")->text(), QString("1 uF"));
        QCOMPARE(Child<QLabel>(&dlg, "current_11_1")->text(), c2Before);
        const auto seen = CloseNextMessage();
        Click(&dlg, "okButton");
        QCOMPARE(seen->text, QString("Der Wert von C2 in Stufe 12 ist kleiner als der "
                                     "zulässige Mindestwert."));
        QVERIFY(!dlg.Changed());
    }
};

VX_GUI_TEST(CapacitorDialogsTest);

}  // namespace vx::test

#include "capacitor_dialogs_test.moc"
