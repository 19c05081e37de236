#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/gui_test.h"
#include "app/main_window.h"
#include "app/settings_store.h"
#include "session/design_session.h"

namespace vx::test {

class SettingsStoreTest : public QObject {
    Q_OBJECT

  private slots:
    void ValuesComeBackFromTheStore() {
        QTemporaryDir dir;
        const QString file = dir.filePath("settings.ini");
        ProgramSettings values = DefaultProgramSettings();
        values.width = 812;
        values.height = 577;
        values.sizeType = 2;
        values.curves = CurveSelection::FromBits(19);
        values.fmin = "0.100000";
        values.spice.command = "/opt/spice/bin/ngspice";
        values.documentPath = "/data/Filter mit Umlaut ä";
        values.filterparamsInOutput = 1;
        values.checkDate = "2024-05-06";
        {
            QSettings settings(file, QSettings::IniFormat);
            CSettingsStore(settings).WriteAll(values);
        }
        QSettings settings(file, QSettings::IniFormat);
        QVERIFY(CSettingsStore(settings).Read() == values);

        // A window stored as minimised opens in the default size.
        settings.setValue("View/nType", 1);
        const ProgramSettings read = CSettingsStore(settings).Read();
        QCOMPARE(read.width, 625);
        QCOMPARE(read.height, 441);
    }

    void ClosingWritesTheWindowAndTheRecordsSettings() {
        QTemporaryDir dir;
        const QString file = dir.filePath("settings.ini");
        QSettings settings(file, QSettings::IniFormat);
        CSettingsStore store(settings);
        {
            CMainWindow window(store);
            window.ShowAsStored();
            QCOMPARE(window.size(), QSize(625, 441));
            window.resize(700, 500);
            window.Session().Filter().SetCurves(CurveSelection::FromBits(3));
            QVERIFY(window.close());
        }
        QCOMPARE(settings.value("View/cx").toInt(), 700);
        QCOMPARE(settings.value("View/cy").toInt(), 500);
        QCOMPARE(settings.value("View/Graph").toInt(), 3);
        QCOMPARE(settings.value("Spice/Command").toString(), QString("ngspice"));
        // The plot range is written by its dialog, not on closing.
        QVERIFY(!settings.contains("View/fmin"));
    }

    void OptionsAreWrittenWhenTheyChange() {
        QTemporaryDir dir;
        QSettings settings(dir.filePath("settings.ini"), QSettings::IniFormat);
        CSettingsStore store(settings);
        CMainWindow window(store);
        WhenModal("optionErgebnisDlg", [](QWidget* dlg) {
            Type(dlg, "designerNameEdit", "Ida Kern");
            Click(dlg, "okButton");
        });
        window.RunCommand(Command::RESULT_OPTIONS);
        // Still open: a session that ends without a close keeps the name.
        QCOMPARE(settings.value("Document/Designer").toString(), QString("Ida Kern"));
    }
};

VX_GUI_TEST(SettingsStoreTest);

}  // namespace vx::test

#include "settings_store_test.moc"
