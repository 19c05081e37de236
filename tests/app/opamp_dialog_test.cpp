#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <utility>
#include <vector>

#include "app/gui_test.h"
#include "app/main_window.h"
#include "app/settings_store.h"
#include "dialogs/hp_lp_dlg.h"
#include "files/opamp_files.h"
#include "qt/qt_text.h"
#include "session/design_session.h"

namespace vx::test {

namespace {

// Runs `steps` on the dialog named `name` once `open` shows it, and closes it after them, also
// when a check among them failed.
void OnDialog(const QString& name, const std::function<void(QWidget*)>& steps,
              const std::function<void()>& open) {
    WhenModal(name, [steps](QWidget* dialog) {
        steps(dialog);
        if (dialog->isVisible()) {
            static_cast<QDialog*>(dialog)->reject();
        }
    });
    open();
}

QTableView* Table(QWidget* list) {
    return Child<QTableView>(list, "opampTable");
}

QString Cell(QWidget* list, int row, int column) {
    const QAbstractItemModel* model = Table(list)->model();
    return model->data(model->index(row, column)).toString();
}

// Filters the list down to the one model named `name` and selects it.
void SelectOnly(QWidget* list, const QString& name) {
    Type(list, "opampFilter", name);
    QCOMPARE(Table(list)->model()->rowCount(), 1);
    QCOMPARE(Cell(list, 0, 0), name);
    Table(list)->selectRow(0);
}

// Opens the form with `button` and fills it: OK with `fields` typed must close it.
void Fill(QWidget* list, const QString& button,
          const std::vector<std::pair<QString, QString>>& fields) {
    OnDialog(
        "ownOpampDlg",
        [fields](QWidget* form) {
            for (const auto& [name, text] : fields) {
                Type(form, name, text);
            }
            Click(form, "okButton");
            QVERIFY(!form->isVisible());
        },
        [list, button] { Click(list, button); });
}

}  // namespace

class OpampDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        InstallOpAmps(LoadOpAmpLibrary(CatalogueOpAmpPath(), OwnOpAmpPath()));
        QVERIFY(InstalledOpAmps().problems.empty());
        QVERIFY(InstalledOpAmps().own.empty());
    }

    void cleanupTestCase() { InstallOpAmps({}); }

    // The list filters, the form refuses a bad field and focuses it, an own model is added,
    // offered in the input dialogs, changed and removed, and saved each time; catalogue parts
    // and the op-amp of the design on show stay.
    void OwnModelsAreAddedChangedAndRemoved() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        CDesignSession& session = window.Session();
        const int parts = session.OpAmps().Count() - 1;
        QVERIFY(parts > 80);
        OnDialog(
            "opampListDlg",
            [parts](QWidget* list) {
                const std::pair<QString, int> filters[] = {
                    {"", parts}, {"burr", 4}, {"JFET", 5}, {"lf41", 1}};
                for (const auto& [filter, rows] : filters) {
                    Type(list, "opampFilter", filter);
                    QCOMPARE(Table(list)->model()->rowCount(), rows);
                }
                // A catalogue part is no own model.
                SelectOnly(list, "LF411");
                auto seen = CloseNextMessage();
                Click(list, "changeButton");
                QVERIFY(seen->text.contains("kein eigenes Modell"));

                OnDialog(
                    "ownOpampDlg",
                    [](QWidget* form) {
                        Type(form, "nameEdit", "MEIN-OPV");
                        Type(form, "gbwEdit", "0");
                        auto refused = CloseNextMessage();
                        Click(form, "okButton");
                        QVERIFY(form->isVisible());
                        QVERIFY(refused->text.contains("Verstärkungs-Bandbreite-Produkt"));
                        QCOMPARE(form->focusWidget(), Child<QLineEdit>(form, "gbwEdit"));
                        Type(form, "gbwEdit", "12M");
                        Type(form, "slewRateEdit", "20");
                        Type(form, "voltageNoiseEdit", "5");
                        Click(form, "okButton");
                        QVERIFY(!form->isVisible());
                    },
                    [list] { Click(list, "addButton"); });
                SelectOnly(list, "MEIN-OPV");
                QCOMPARE(Cell(list, 0, 2), QString("eigen"));
                QCOMPARE(Cell(list, 0, 3), QString("12 MHz"));
            },
            [&window] { window.RunCommand(Command::OP_AMPS); });
        QVERIFY(QFile(Qs(OwnOpAmpPath())).exists());

        // The input dialogs offer it; their filter narrows the list to it.
        {
            CHpLpDlg input(FilterType::LOWPASS, StructureKind::SALLEN_KEY, session, nullptr);
            auto* choice = Child<QListWidget>(&input, "opAmpList");
            Type(&input, "opampFilterEdit", "mein");
            int shown = 0;
            for (int i = 0; i < choice->count(); ++i) {
                shown += choice->isRowHidden(i) ? 0 : 1;
            }
            QCOMPARE(shown, 1);
            QCOMPARE(choice->currentItem()->text(), QString("MEIN-OPV"));
            QCOMPARE(Child<QLabel>(&input, "opampInfo")->text(),
                     QString("GBW 12 MHz, 20 V/µs, 5 nV/√Hz"));
        }

        // The design on show keeps its op-amp through a change and refuses its removal.
        session.Filter().SetOpAmp(session.OpAmps().FindByName("MEIN-OPV"));
        OnDialog(
            "opampListDlg",
            [](QWidget* list) {
                SelectOnly(list, "MEIN-OPV");
                Fill(list, "changeButton", {{"gbwEdit", "15M"}});
                SelectOnly(list, "MEIN-OPV");
                QCOMPARE(Cell(list, 0, 3), QString("15 MHz"));
                auto seen = CloseNextMessage();
                Click(list, "removeButton");
                QVERIFY(seen->text.contains("verwendet"));
                QCOMPARE(Table(list)->model()->rowCount(), 1);
            },
            [&window] { window.RunCommand(Command::OP_AMPS); });
        QCOMPARE(session.OpAmps().Name(session.Filter().OpAmp()), std::string("MEIN-OPV"));
        QCOMPARE(session.OpAmps().Data(session.Filter().OpAmp()).gbw, 15e6);

        session.Filter().SetOpAmp(0);
        OnDialog(
            "opampListDlg",
            [](QWidget* list) {
                SelectOnly(list, "MEIN-OPV");
                Click(list, "removeButton");
                QCOMPARE(Table(list)->model()->rowCount(), 0);
            },
            [&window] { window.RunCommand(Command::OP_AMPS); });
        QVERIFY(InstalledOpAmps().own.empty());
        QCOMPARE(session.OpAmps().FindByName("MEIN-OPV"), -1);
    }

    // An own file that cannot be written is named, and the list stays as it was.
    void AFailedSaveNamesTheFile() {
        QTemporaryDir home;
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
        // A folder where a file stands cannot be made.
        QFile blocker(home.filePath("blocked"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("blocked")));
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        const int count = window.Session().OpAmps().Count();
        auto seen = CloseNextMessage();
        OnDialog(
            "opampListDlg",
            [](QWidget* list) {
                Fill(list, "addButton", {{"nameEdit", "NEU1"}, {"gbwEdit", "1M"}});
            },
            [&window] { window.RunCommand(Command::OP_AMPS); });
        qputenv("XDG_CONFIG_HOME", config);
        QVERIFY2(seen->text.contains(home.filePath("blocked")), qPrintable(seen->text));
        QCOMPARE(window.Session().OpAmps().Count(), count);
    }
};

VX_GUI_TEST(OpampDialogTest);

}  // namespace vx::test

#include "opamp_dialog_test.moc"
