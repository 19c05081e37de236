#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

#include "analysis/plan/order_plan.h"
#include "app/flows.h"
#include "app/gui_test.h"
#include "app/main_window.h"
#include "app/settings_store.h"
#include "dialogs/scheme_dlg.h"
#include "qt/qt_text.h"
#include "session/design_session.h"

namespace vx::test {

namespace {

// Tschebyscheff 1 dB, third order in the scheme below.
constexpr int kChebyshevRow = 2;

}  // namespace

class SchemePlanTest : public QObject {
    Q_OBJECT

  private slots:
    // A planned row and structure go through the filled input dialog to a design of the row's
    // order and frequency that keeps the scheme; a cancel there leaves the document as it was,
    // a changed specification keeps the scheme and another new filter drops it.
    void PlannedRowIsDesignedWithItsScheme() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        const CFilter& filter = window.Session().Filter();
        const SpecificationBlock loaded = filter.Specification();
        auto plan = [&window](const char* inputButton) {
            WhenModal("schemeDlg", [](QWidget* dlg) {
                Type(dlg, "stopEdgeEdit", "4k");
                Type(dlg, "stopAttenuationEdit", "30");
                Type(dlg, "overshootEdit", "10");
                Click(dlg, "planButton");
                auto* table = Child<QTableWidget>(dlg, "planTable");
                // Bessel does not reach the scheme: greyed, not to be chosen.
                QVERIFY(!(table->item(0, 0)->flags() & Qt::ItemIsSelectable));
                table->selectRow(kChebyshevRow);
                Click(dlg, "structureRadio1");
                Click(dlg, "takeButton");
            });
            WhenModal("hpLpDlg", [inputButton](QWidget* dlg) { Click(dlg, inputButton); });
            window.RunCommand(Command::NEW_FROM_SCHEME);
        };
        plan("cancelButton");
        QCOMPARE(filter.GetDesignState(), DesignState::DESIGNED);
        QVERIFY(filter.Specification() == loaded);
        QCOMPARE(filter.Structure(), StructureKind::SALLEN_KEY);
        QVERIFY(!filter.scheme);

        plan("okButton");
        ToleranceScheme scheme{FilterType::LOWPASS, 1000.0, 0.0, 1.0, 4000.0, 0.0, 30.0, {}, 10.0};
        QVERIFY(filter.scheme == scheme);
        const PlanRow row = PlanOrders(scheme)[kChebyshevRow];
        QCOMPARE(filter.GetDesignState(), DesignState::DESIGNED);
        QCOMPARE(filter.Structure(), StructureKind::SALLEN_KEY_X);
        QCOMPARE(filter.GetCharacteristic(), Characteristic::CHEBYCHEV);
        QCOMPARE(filter.RippleDb(), row.rippleDb);
        QCOMPARE(filter.Order(), row.order);
        QCOMPARE(filter.Frequency(), row.frequency);

        WhenModal("hpLpDlg", [](QWidget* dlg) { Click(dlg, "okButton"); });
        window.RunCommand(Command::CHANGE_SPECIFICATION);
        QVERIFY(filter.scheme == scheme);
        WhenModal("hpLpDlg", [](QWidget* dlg) { Click(dlg, "okButton"); });
        window.RunCommand(Command::NEW_LP_SK);
        QCOMPARE(filter.GetDesignState(), DesignState::DESIGNED);
        QVERIFY(!filter.scheme);
    }

    // A field the check refuses empties the plan; "Planen" tells why and focuses the field.
    void RefusedFieldIsToldAndFocused() {
        CSchemeDlg dlg(DefaultSchemeEntries(), nullptr);
        dlg.show();
        auto* table = Child<QTableWidget>(&dlg, "planTable");
        QVERIFY(table->rowCount() > 0);
        // No row of orders 4 and 5 is built by the third-order structure.
        QVERIFY(!Child<QRadioButton>(&dlg, "structureRadio1")->isEnabled());
        Type(&dlg, "stopEdgeEdit", "800");
        QCOMPARE(table->rowCount(), 0);
        QVERIFY(!Child<QPushButton>(&dlg, "takeButton")->isEnabled());
        const auto seen = CloseNextMessage();
        Click(&dlg, "planButton");
        QCOMPARE(seen->caption, QString("Eingabefehler"));
        QVERIFY(seen->text.contains("Die Sperrgrenze muss über der Durchlassgrenze liegen."));
        QCOMPARE(dlg.focusWidget(), Child<QLineEdit>(&dlg, "stopEdgeEdit"));
    }
};

VX_GUI_TEST(SchemePlanTest);

}  // namespace vx::test

#include "scheme_plan_test.moc"
