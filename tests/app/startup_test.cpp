#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "app/gui_test.h"

namespace vx::test {

namespace {

// Runs the program with its own scratch home, so that its settings stay out of the user's.
struct Run {
    int status;
    QString errors;
};

Run Start(const QTemporaryDir& home, const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.start(VX_GUI_PATH, args);
    if (!process.waitForFinished(120000)) {
        process.kill();
        return {-1, "did not end"};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

  private slots:
    void AMissingFileEndsTheProgramWithAReason() {
        QTemporaryDir home;
        // Unattended: the reason goes to standard error alone, no box waits for an answer.
        const Run run =
            Start(home, {home.filePath("fehlt.vxs"), "--screenshot", home.filePath("fenster.png")});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.errors.contains("kann nicht geöffnet werden"), qPrintable(run.errors));
        QCOMPARE(Start(home, {"--unbekannt"}).status, 2);
    }

    void AFileIsDesignedBeforeTheScreenshot() {
        QTemporaryDir home;
        // A name with blanks arrives as one argument.
        const QString file = home.filePath("mein Filter.vxs");
        QVERIFY(QFile::copy(Example("sk_lowpass_gain.vxs"), file));
        const QString picture = home.filePath("fenster.png");
        const Run run = Start(home, {file, "--screenshot", picture});
        QCOMPARE(run.status, 0);
        const QImage image(picture);
        QCOMPARE(image.size(), QSize(625, 441));
        QVERIFY(FilterCurvePixels(image) > 100);
        // Without a file the start picture shows no curve of a design.
        QCOMPARE(Start(home, {"--screenshot", picture}).status, 0);
        QCOMPARE(FilterCurvePixels(QImage(picture)), 0);
    }

    // An own op-amp file with a faulty line is told by its line, and the program starts with
    // what it could read.
    void AFaultyOwnOpAmpFileIsToldAndTheProgramStarts() {
        QTemporaryDir home;
        QVERIFY(QDir().mkpath(home.filePath("config/Brennholt")));
        QFile own(home.filePath("config/Brennholt/veltranix-opamps.csv"));
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write("name,gbw_hz\nGUT1,1e6\nFALSCH,abc\n");
        own.close();
        const Run run = Start(home, {"--screenshot", home.filePath("fenster.png")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.errors.contains("in Zeile 3 fehlerhaft"), qPrintable(run.errors));
    }

    // The report and the diagram printed into PDF files, offscreen, with the tolerance
    // analysis, then the program ends; without a design there is nothing to print or analyse
    // and the command's message says so.
    void PrintsPdfFilesOfTheDesign() {
        QTemporaryDir home;
        const QString report = home.filePath("bericht.pdf");
        const QString plot = home.filePath("grafik.pdf");
        const Run run = Start(home, {Example("twin_t_bandstop.vxs"), "--tolerance", "--print-pdf",
                                     report, "--plot-pdf", plot});
        QCOMPARE(run.status, 0);
        for (const QString& pdf : {report, plot}) {
            QFile file(pdf);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(pdf));
            QVERIFY(file.read(5) == "%PDF-");
        }
        const Run none = Start(home, {"--print-pdf", home.filePath("leer.pdf")});
        QCOMPARE(none.status, 1);
        QVERIFY2(none.errors.contains("Es wurde noch kein Filter berechnet"),
                 qPrintable(none.errors));
        QVERIFY(!QFile::exists(home.filePath("leer.pdf")));
        const Run noAnalysis = Start(home, {"--tolerance", "--print-pdf", home.filePath("t.pdf")});
        QCOMPARE(noAnalysis.status, 1);
        QVERIFY2(noAnalysis.errors.contains("Ergebnis - Toleranzanalyse"),
                 qPrintable(noAnalysis.errors));
    }
};

VX_GUI_TEST(StartupTest);

}  // namespace vx::test

#include "startup_test.moc"
