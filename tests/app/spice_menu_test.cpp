#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "app/flows.h"
#include "app/gui_test.h"
#include "app/main_window.h"
#include "app/plot_view.h"
#include "app/settings_store.h"
#include "app/spice_flow.h"
#include "app/spice_result_window.h"
#include "plot/plot_overlay.h"
#include "qt/qt_text.h"
#include "session/design_session.h"

namespace vx::test {

namespace {

// The example's fourth-order Butterworth low-pass at 1 kHz with 6 dB gain.
constexpr double kCutOff = 1000.0;
constexpr double kGainDb = 6.0;

// Linear interpolation between the simulated points around `at`.
double ValueAt(const SpiceResult& r, double at) {
    for (size_t k = 1; k < r.x.size(); ++k) {
        if (r.x[k] >= at) {
            const std::vector<double>& v = r.traces.front().values;
            return v[k - 1] + (at - r.x[k - 1]) / (r.x[k] - r.x[k - 1]) * (v[k] - v[k - 1]);
        }
    }
    return NAN;
}

int OverlayPixels(QWidget* view) {
    const QImage image = view->grab().toImage();
    const PlotColor c = kOverlayPen.color;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == QColor(c.red, c.green, c.blue) ? 1 : 0;
        }
    }
    return count;
}

}  // namespace

class SpiceMenuTest : public QObject {
    Q_OBJECT

  private:
    // A window with the example designed in E192, close to the exact Butterworth response, and
    // the netlist going to a scratch folder.
    std::unique_ptr<CMainWindow> DesignedWindow() {
        QFile example(Example("sk_lowpass_gain.vxs"));
        const QString path = folder_->filePath("butterworth.vxs");
        QFile copy(path);
        [&] {
            QVERIFY(example.open(QIODevice::ReadOnly));
            QVERIFY(copy.open(QIODevice::WriteOnly));
            copy.write(example.readAll().replace("RESISTORS=E24", "RESISTORS=E192"));
        }();
        copy.close();
        auto window = std::make_unique<CMainWindow>(*store_);
        window->resize(800, 560);
        window->show();
        [&] { QVERIFY(window->Flows().Load(Std(path))); }();
        window->Session().Filter().spice.tmpPath = Std(folder_->path());
        return window;
    }

    // A stand-in for ngspice: a script whose name starts with "ngspice".
    std::string FakeSimulator(const char* script) {
        const QString path = folder_->filePath("ngspice-fake");
        QFile file(path);
        [&] {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray("#!/bin/sh\n") + script);
            file.close();
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }();
        return Std(path);
    }

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<QSettings> settings_;
    std::unique_ptr<CSettingsStore> store_;

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        settings_ = std::make_unique<QSettings>();
        // The configuration a test types is written at once; the next test starts afresh.
        settings_->clear();
        store_ = std::make_unique<CSettingsStore>(*settings_);
    }

    void cleanup() {
        store_.reset();
        settings_.reset();
        folder_.reset();
    }

    void EachAnalysisWithoutDesignTellsWhy_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("caption");
        QTest::newRow("dB") << int(Command::SPICE_AMPLITUDE_DB) << "Spice - Amplitudengang";
        QTest::newRow("linear") << int(Command::SPICE_AMPLITUDE_LINEAR) << "Spice - Amplitudengang";
        QTest::newRow("phase") << int(Command::SPICE_PHASE) << "Spice - Phasengang";
        QTest::newRow("delay") << int(Command::SPICE_GROUP_DELAY) << "Spice - Gruppenlaufzeit";
        QTest::newRow("step") << int(Command::SPICE_STEP_RESPONSE) << "Spice - Sprungantwort";
        QTest::newRow("all") << int(Command::SPICE_ALL) << "Spice - Amplitude+Phase+Laufzeit";
    }

    void EachAnalysisWithoutDesignTellsWhy() {
        QFETCH(int, command);
        QFETCH(QString, caption);
        CMainWindow window(*store_);
        const auto seen = CloseNextMessage();
        window.RunCommand(static_cast<Command>(command));
        QCOMPARE(seen->caption, caption);
        QCOMPARE(seen->text, QString("Es wurde noch kein Filter berechnet.\n\nBitte starten Sie "
                                     "mit dem Menüpunkt \"Datei, Neues Filter\"."));
    }

    void AnIncompleteConfigurationWritesNothing() {
        const auto window = DesignedWindow();
        // The configuration dialog stores what is typed.
        const QString folder = folder_->filePath("netz");
        QVERIFY(QDir().mkpath(folder));
        WhenModal("optionsPspiceDlg", [folder](QWidget* dlg) {
            Type(dlg, "commandEdit", "");
            Type(dlg, "tmpPathEdit", folder);
            Click(dlg, "okButton");
        });
        window->RunCommand(Command::SPICE_CONFIGURATION);
        QCOMPARE(window->Session().Filter().spice.command, std::string());
        QCOMPARE(window->Session().Filter().spice.tmpPath, Std(folder));

        const auto seen = CloseNextMessage();
        window->RunCommand(Command::SPICE_AMPLITUDE_DB);
        QCOMPARE(seen->caption, QString("Spice-Aufruf"));
        QVERIFY2(seen->text.startsWith("Der Spice-Aufruf enthält keine EXE-Datei.\n\nIhre "
                                       "Spice-Konfiguration"),
                 qPrintable(seen->text));
        QVERIFY(QDir(folder).isEmpty());
        QVERIFY(window->Spice().ResultWindow() == nullptr);
    }

    void AmplitudeInDbShowsTheResultAndTheOverlay() {
        const auto window = DesignedWindow();
        QCOMPARE(OverlayPixels(window->View()), 0);
        window->RunCommand(Command::SPICE_AMPLITUDE_DB);
        CSpiceResultWindow* result = window->Spice().ResultWindow();
        QVERIFY(result != nullptr);
        QVERIFY(result->isVisible());
        QCOMPARE(result->windowTitle(), QString("Spice-Ergebnis"));
        const SpiceResult& r = result->Result();
        QCOMPARE(r.traces.front().name, std::string("VDB(0UT)"));
        // A Butterworth low-pass is 3 dB down at its cut-off.
        const double down = kGainDb - ValueAt(r, kCutOff);
        QVERIFY2(std::fabs(down - 3.0103) < 0.05, qPrintable(QString::number(down)));
        QVERIFY(FilterCurvePixels(result->grab().toImage()) > 200);

        QVERIFY(window->View()->HasOverlay());
        QVERIFY(OverlayPixels(window->View()) > 100);
        // The next design ends the overlay and the result window.
        QVERIFY(window->Flows().Load(Std(folder_->filePath("butterworth.vxs"))));
        QVERIFY(!window->View()->HasOverlay());
        QVERIFY(!result->isVisible());
    }

    void StepResponseSettlesAtTheDcGain() {
        const auto window = DesignedWindow();
        window->RunCommand(Command::SPICE_STEP_RESPONSE);
        CSpiceResultWindow* result = window->Spice().ResultWindow();
        QVERIFY(result != nullptr);
        const SpiceResult& r = result->Result();
        QCOMPARE(r.traces.front().name, std::string("V(0UT)"));
        QVERIFY(std::fabs(r.x.back() - 5.0 / kCutOff) < 1e-9);
        const double dcGain = std::pow(10.0, kGainDb / 20.0);
        QVERIFY2(std::fabs(r.traces.front().values.back() / dcGain - 1.0) < 0.01,
                 qPrintable(QString::number(r.traces.front().values.back())));
        // The step response is no amplitude: nothing is laid over the diagram.
        QVERIFY(!window->View()->HasOverlay());
    }

    void AnotherSimulatorIsOnlyStarted() {
        const auto window = DesignedWindow();
        window->Session().Filter().spice.command = "true";
        window->RunCommand(Command::SPICE_PHASE);
        QVERIFY(QFile::exists(folder_->filePath("butterworth.cir")));
        QVERIFY(QFile::exists(folder_->filePath("butterworth.prb")));
        QVERIFY(window->Spice().ResultWindow() == nullptr);
    }

    void AHangingSimulatorEndsAtTheLimitWithWhatItPrinted() {
        const auto window = DesignedWindow();
        window->Session().Filter().spice.command =
            FakeSimulator("echo 'Circuit: sk_lowpass_gain'\nexec sleep 60\n");
        window->Spice().SetTimeLimit(1);
        const auto seen = CloseNextMessage();
        window->RunCommand(Command::SPICE_GROUP_DELAY);
        QCOMPARE(seen->caption, QString("Spice - Gruppenlaufzeit"));
        QCOMPARE(seen->text, QString("ngspice wurde nach 1 s abgebrochen, weil die Simulation "
                                     "nicht endete.\n\nZuletzt gab ngspice aus:\nCircuit: "
                                     "sk_lowpass_gain"));
        QVERIFY(window->Spice().ResultWindow() == nullptr);
    }

    // Last: had a message box come up, its watcher would stay for the tests after it.
    void CancelStopsTheSimulatorAndChangesNothing() {
        const auto window = DesignedWindow();
        window->Session().Filter().spice.command = FakeSimulator("exec sleep 60\n");
        WhenModal("spiceWaitDlg", [](QWidget* dlg) { Click(dlg, "cancelButton"); });
        const auto seen = CloseNextMessage();
        window->RunCommand(Command::SPICE_AMPLITUDE_DB);
        QVERIFY(seen->caption.isEmpty());
        QVERIFY(window->Spice().ResultWindow() == nullptr);
        QVERIFY(!window->View()->HasOverlay());
    }
};

VX_GUI_TEST(SpiceMenuTest);

}  // namespace vx::test

#include "spice_menu_test.moc"
