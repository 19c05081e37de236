#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/flows.h"
#include "app/gui_test.h"
#include "app/main_window.h"
#include "app/print_jobs.h"
#include "app/result_commands.h"
#include "app/settings_store.h"
#include "app/tolerance_flow.h"
#include "qt/qt_text.h"
#include "report/dimensioning_text.h"
#include "session/design_session.h"

namespace vx::test {

namespace {

// Standard output of a poppler tool (pdftotext, pdfimages) run on `pdf`.
QString Poppler(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return QString("%1 failed: %2")
            .arg(tool, QString::fromUtf8(process.readAllStandardError()));
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfText(const QString& pdf) {
    return Poppler("pdftotext", {pdf, "-"});
}

// The images of a PDF, one line each: "page num type width height ...".
QStringList PdfImages(const QString& pdf) {
    QStringList lines = Poppler("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
    // Two header lines, the column names and a rule.
    return lines.mid(2);
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QSettings settings;
        settings.clear();
        settings.setValue("Document/Designer", "Ida Kern");
        settings.setValue("Document/Organisation", "Labor Süd");
    }

    // The printed report as a PDF holds its texts as text: the title, the sections, every
    // component with its value and the footer; its one picture is the stage schematic.
    void ReportPdfHoldsTheDesignAsText_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("name");
        QTest::newRow("band-stop") << Example("twin_t_bandstop.vxs") << "twin_t_bandstop";
        QTest::newRow("low-pass") << Example("sk_lowpass_gain.vxs") << "sk_lowpass_gain";
        QTest::newRow("third order") << Example("skx_highpass.vxs") << "skx_highpass";
        QTest::newRow("band-pass") << Example("mfb_bandpass.vxs") << "mfb_bandpass";
    }

    void ReportPdfHoldsTheDesignAsText() {
        QFETCH(QString, file);
        QFETCH(QString, name);
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        QVERIFY(window.Flows().Load(Std(file)));
        const QString pdf = scratch_.filePath(name + ".pdf");
        QVERIFY(window.Results().Printing().PrintToPdf(PrintKind::RESULT, pdf));
        const QString text = PdfText(pdf);
        const CFilter& filter = window.Session().Filter();
        QStringList expected = {"Filterdesign \"" + name + "\"",
                                "Spezifikation",
                                "Bauteilwerte",
                                "Schaltung einer Stufe",
                                "Datum:",
                                Qs(filter.CreationStamp()),
                                "Designer:",
                                "Ida Kern",
                                "Labor Süd",
                                "Erstellt mit:",
                                "Veltranix 3.3",
                                "Version 3.3.7"};
        for (int i = 0; i < filter.StageCount(); ++i) {
            expected << QString("Stufe %1:").arg(i + 1);
            for (int k = 0; k < filter.Stage(0).count; ++k) {
                expected << Qs(filter.ComponentName(i, k) + "=" + ComponentValueText(filter, i, k));
            }
        }
        for (const QString& line : expected) {
            QVERIFY2(text.contains(line), qPrintable(line + " missing in:\n" + text));
        }
        const QStringList images = PdfImages(pdf);
        QCOMPARE(images.size(), 1);
        QVERIFY2(images[0].simplified().split(' ').mid(3, 2) == (QStringList{"640", "320"}),
                 qPrintable(images[0]));
    }

    // The diagram on paper is drawn, not pictured: its legends are text and the PDF holds no
    // image at all.
    void PlotPdfIsAVectorDrawing() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        QVERIFY(window.Flows().Load(Std(Example("mfb_lowpass.vxs"))));
        const QString pdf = scratch_.filePath("plot.pdf");
        QVERIFY(window.Results().Printing().PrintToPdf(PrintKind::GRAPH, pdf));
        const QString text = PdfText(pdf);
        for (const char* legend : {"Ihr Filter", "Sollfrequenzgang", "Traditioneller Entwurf"}) {
            QVERIFY2(text.contains(legend), qPrintable(text));
        }
        QVERIFY(text.contains(" dB"));
        QCOMPARE(PdfImages(pdf), QStringList());
        // A file that cannot be written is reported, not taken for printed.
        QVERIFY(!window.Results().Printing().PrintToPdf(PrintKind::GRAPH,
                                                        scratch_.filePath("no/such/plot.pdf")));
    }

    // The diagram prints the view the window shows, as a drawing: its value axis and, in the
    // step view, the step's figures.
    void EachViewPrintsItself() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        const std::pair<Command, const char*> views[] = {
            {Command::GRAPH_VIEW_PHASE, "Phase [°]"},
            {Command::GRAPH_VIEW_STEP, "Überschwingen"},
            {Command::GRAPH_VIEW_IMPULSE, "Impulsantwort [1/s]"},
            {Command::GRAPH_VIEW_MAGNITUDE, " dB"},
        };
        for (const auto& [command, label] : views) {
            window.RunCommand(command);
            const QString pdf = scratch_.filePath(QString("view%1.pdf").arg(int(command)));
            QVERIFY(window.Results().Printing().PrintToPdf(PrintKind::GRAPH, pdf));
            const QString text = PdfText(pdf);
            QVERIFY2(text.contains(QString::fromUtf8(label)) && text.contains("Ihr Filter"),
                     qPrintable(text));
            QCOMPARE(PdfImages(pdf), QStringList());
        }
    }

    // The analysis, once run, is in the report, the diagram and the HTML page; before, it is not.
    void ToleranceAnalysisIsPrintedWhenItWasRun() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        auto printed = [&](const QString& name) {
            const QString report = scratch_.filePath(name + "_report.pdf");
            const QString plot = scratch_.filePath(name + "_plot.pdf");
            const QString html = scratch_.filePath(name + ".htm");
            CResultCommands& results = window.Results();
            if (!results.Printing().PrintToPdf(PrintKind::RESULT, report) ||
                !results.Printing().PrintToPdf(PrintKind::GRAPH, plot) ||
                !results.SaveHtml(Std(html))) {
                return QStringList();
            }
            QFile page(html);
            return QStringList{PdfText(report), PdfText(plot),
                               page.open(QIODevice::ReadOnly) ? QString(page.readAll()) : ""};
        };
        const QStringList before = printed("before");
        QCOMPARE(before.size(), 3);
        QVERIFY(!before[0].contains("Toleranzanalyse"));
        QVERIFY(!before[1].contains("Toleranzband"));
        QVERIFY(!before[2].contains("Toleranzanalyse"));

        ToleranceSettings tolerances = ToleranceSettings::For(window.Session().Filter());
        tolerances.runs = 100;
        QVERIFY(window.Results().Tolerance().Run(tolerances));
        const QStringList after = printed("after");
        QCOMPARE(after.size(), 3);
        for (const char* heading : {"Toleranzanalyse", "Empfindlichkeiten der Pole",
                                    "Ausbeute:", "Standardabweichung", "Toleranzmaske:"}) {
            QVERIFY2(after[0].contains(heading),
                     qPrintable(heading + QString(" in:\n") + after[0]));
        }
        QVERIFY(after[1].contains("Toleranzband 5 % bis 95 %"));
        QVERIFY(after[2].contains("Toleranzanalyse"));
    }

  private:
    QTemporaryDir scratch_;
};

VX_GUI_TEST(PrintTest);

}  // namespace vx::test

#include "print_test.moc"
