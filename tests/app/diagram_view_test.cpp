#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "app/diagram_export.h"
#include "app/flows.h"
#include "app/gui_test.h"
#include "app/main_window.h"
#include "app/plot_view.h"
#include "app/settings_store.h"
#include "plot/graph_options.h"
#include "plot/scheme_shading.h"
#include "qt/qt_text.h"
#include "session/design_session.h"

namespace vx::test {

namespace {

// Where the view draws its axis now.
AxisMapping AxisOf(CPlotView* view) {
    return view->Drawing({0, 0, view->width(), view->height()}, PlotScale::Screen()).axis;
}

void Wheel(QWidget* view, QPoint at, int notches) {
    QWheelEvent wheel(at, view->mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
}

void Drag(QWidget* view, Qt::MouseButton button, QPoint from, QPoint to) {
    QTest::mousePress(view, button, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, button, {});
    QApplication::sendEvent(view, &move);
    QTest::mouseRelease(view, button, {}, to);
}

}  // namespace

class DiagramViewTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        settings_ = std::make_unique<QSettings>();
        store_ = std::make_unique<CSettingsStore>(*settings_);
        window_ = std::make_unique<CMainWindow>(*store_);
        window_->resize(900, 620);
        window_->show();
        QVERIFY(window_->Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        // After the design's progress dialog, which was the active window.
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QApplication::processEvents();
    }
    void cleanup() { window_.reset(); }

    // The label at the cursor holds "Ihr Filter" as the stored design gives it at the cursor's
    // frequency, not the level at the mouse's height.
    void CursorReadsTheCurves() {
        CPlotView* view = window_->View();
        const AxisMapping axis = AxisOf(view);
        for (const int x : {axis.left + 10, (axis.left + axis.right) / 2, axis.right - 3}) {
            QTest::mouseMove(view, QPoint(x, axis.bottom - 5));
            const QString text = Child<QLabel>(window_.get(), "cursorReadout")->text();
            const QRegularExpressionMatch m =
                QRegularExpression("Ihr Filter (-?[0-9]+,[0-9]+) dB").match(text);
            QVERIFY2(m.hasMatch(), qPrintable(text));
            const double expected = *FrequencyMarkLevelDb(window_->Session(), axis.ValueAt(x));
            QVERIFY2(std::fabs(m.captured(1).replace(',', '.').toDouble() - expected) < 0.011,
                     qPrintable(text));
        }
        QTest::mouseMove(view, QPoint(axis.left - 20, axis.top));
        QVERIFY(Child<QLabel>(window_.get(), "cursorReadout")->text().isEmpty());
    }

    // Ctrl+1 to Ctrl+4 show the four views, each with its entry checked and its own axis.
    void ViewShortcutsSwitch() {
        CPlotView* view = window_->View();
        const std::pair<const char*, bool> views[] = {
            {"Ctrl+2", true}, {"Ctrl+3", false}, {"Ctrl+4", false}, {"Ctrl+1", true}};
        for (const auto& [keys, frequency] : views) {
            QTest::keySequence(window_.get(), QKeySequence(keys));
            const AxisMapping axis = AxisOf(view);
            QVERIFY2(axis.valid && axis.log == frequency, keys);
            const QList<QAction*> actions = window_->findChildren<QAction*>();
            QVERIFY(std::any_of(actions.begin(), actions.end(), [&](QAction* a) {
                return a->isChecked() && a->shortcut() == QKeySequence(keys);
            }));
        }
    }

    // The wheel, a dragged rectangle and the middle button change the range shown, whose curves
    // are computed anew; a double-click and "Standard" in the range dialog show the whole range.
    void ZoomAndPan() {
        CPlotView* view = window_->View();
        const CFilter& filter = window_->Session().Filter();
        const AxisMapping whole = AxisOf(view);
        const QPoint middle((whole.left + whole.right) / 2, (whole.top + whole.bottom) / 2);
        Wheel(view, middle, 2);
        AxisMapping axis = AxisOf(view);
        QVERIFY(axis.high / axis.low < 0.7 * whole.high / whole.low);
        QCOMPARE(filter.PlotMin(), 0.5);  // the specification keeps its range

        const int x1 = axis.left + 100;
        const int x2 = axis.right - 200;
        Drag(view, Qt::LeftButton, QPoint(x1, middle.y()), QPoint(x2, middle.y() + 40));
        const AxisMapping rectangle = AxisOf(view);
        QVERIFY(std::fabs(rectangle.low / axis.ValueAt(x1) - 1.0) < 1e-9);
        QVERIFY(std::fabs(rectangle.high / axis.ValueAt(x2) - 1.0) < 1e-9);

        Drag(view, Qt::MiddleButton, middle, middle - QPoint(100, 0));
        const AxisMapping panned = AxisOf(view);
        const double shift = 100.0 / (rectangle.right - rectangle.left);
        QVERIFY(std::fabs(std::log(panned.low / rectangle.low) /
                              std::log(rectangle.high / rectangle.low) -
                          shift) < 1e-6);

        QTest::mouseDClick(view, Qt::LeftButton, {}, middle);
        QCOMPARE(AxisOf(view).low, whole.low);

        Wheel(view, middle, -3);
        QVERIFY(AxisOf(view).low < whole.low);
        WhenModal("freqBerDlg", [](QWidget* dialog) {
            Click(dialog, "standardButton");
            Click(dialog, "okButton");
        });
        window_->RunCommand(Command::GRAPH_RANGE);
        QCOMPARE(AxisOf(view).low, whole.low);
        QCOMPARE(AxisOf(view).high, whole.high);
    }

    // A tolerance scheme of the filter's type shades the diagram; one of another type leaves
    // every pixel as it was.
    void SchemeShadesTheDiagramOfItsType() {
        CPlotView* view = window_->View();
        const QImage plain = view->grab().toImage();
        std::optional<ToleranceScheme>& scheme = window_->Session().Filter().scheme;
        scheme = ToleranceScheme{FilterType::HIGHPASS, 1000, 0, 1, 600, 0, 20, {}, {}};
        QCOMPARE(view->grab().toImage(), plain);
        scheme = ToleranceScheme{FilterType::LOWPASS, 700, 0, 1, 1600, 0, 12, {}, {}};
        // The areas of both bands, between their hatch lines and the grid.
        const QImage shaded = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(shaded.constBits());
        QVERIFY(std::count(pixels, pixels + shaded.width() * shaded.height(),
                           qRgb(kSchemeFill.red, kSchemeFill.green, kSchemeFill.blue)) > 10000);
    }

    // The context menu's copies and files hold the diagram as shown.
    void ContextMenuCopiesAndSaves() {
        CPlotView* view = window_->View();
        window_->RunCommand(Command::GRAPH_VIEW_STEP);
        QMenu* menu = view->ContextMenu();
        menu->findChild<QAction*>("copyValuesAction")->trigger();
        const QStringList rows = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), kCurvePoints + 1);
        QCOMPARE(rows.front().split('\t').front(), QString("Zeit [s]"));
        QCOMPARE(rows.back().split('\t').size(), rows.front().split('\t').size());
        menu->findChild<QAction*>("copyImageAction")->trigger();
        QVERIFY(FilterCurvePixels(QApplication::clipboard()->image()) > 100);
        delete menu;

        QTemporaryDir dir;
        const std::pair<DiagramFormat, QByteArray> files[] = {{DiagramFormat::SVG, "<svg"},
                                                              {DiagramFormat::PNG, "\x89PNG"},
                                                              {DiagramFormat::PDF, "%PDF"}};
        for (const auto& [format, start] : files) {
            const QString path = dir.filePath(QString("plot.") + FileTypeOf(format).suffix);
            QVERIFY(SaveDiagram(*view, format, path));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(file.readAll().contains(start), qPrintable(path));
            QVERIFY(!SaveDiagram(*view, format, dir.filePath("no/such/plot")));
        }
    }

  private:
    std::unique_ptr<QSettings> settings_;
    std::unique_ptr<CSettingsStore> store_;
    std::unique_ptr<CMainWindow> window_;
};

VX_GUI_TEST(DiagramViewTest);

}  // namespace vx::test

#include "diagram_view_test.moc"
