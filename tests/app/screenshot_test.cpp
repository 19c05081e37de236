#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QSettings>
#include <QTest>
#include <functional>
#include <memory>

#include "app/flows.h"
#include "app/gui_test.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/settings_store.h"
#include "dialogs/bp_dlg.h"
#include "dialogs/br_tt_dlg.h"
#include "dialogs/cap_dlg.h"
#include "dialogs/cap_mismatch_dlg.h"
#include "dialogs/edit_bp_freqs_dlg.h"
#include "dialogs/edit_caps_dlg.h"
#include "dialogs/gain_dlg.h"
#include "dialogs/hp_lp_dlg.h"
#include "dialogs/polparameter_dlg.h"
#include "dialogs/progress_dlg.h"
#include "structures/design_session.h"

namespace vx::test {

namespace {

// Every text of a screen is shown whole: labels and buttons got at least the width they ask
// for (wrapped labels excepted).
void ExpectNothingClipped(QWidget* screen, const QString& name) {
    for (QLabel* label : screen->findChildren<QLabel*>()) {
        if (label->isVisibleTo(screen) && !label->wordWrap() && !label->text().isEmpty()) {
            QVERIFY2(label->width() >= label->minimumSizeHint().width(),
                     qPrintable(name + ": " + label->text()));
        }
    }
    for (QAbstractButton* button : screen->findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(screen) && !button->text().isEmpty()) {
            QVERIFY2(button->width() >= button->minimumSizeHint().width(),
                     qPrintable(name + ": " + button->text()));
        }
    }
}

void Capture(QWidget* screen, const QString& name) {
    screen->show();
    QApplication::processEvents();
    ExpectNothingClipped(screen, name);
    const QImage image = screen->grab().toImage();
    QVERIFY(!image.isNull());
    if (const QString dir = ScreenshotDir(); !dir.isEmpty()) {
        QDir().mkpath(dir);
        QVERIFY(image.save(dir + "/" + name + ".png"));
    }
    screen->hide();
}

}  // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT

  private slots:
    void EveryScreen() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.resize(900, 620);
        Capture(&window, "main_window_empty");
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        Capture(&window, "main_window_designed");

        CDesignSession& session = window.Session();
        const std::pair<const char*, std::function<std::unique_ptr<QWidget>()>> screens[] = {
            {"hp_lp_dlg",
             [&] {
                 return std::make_unique<CHpLpDlg>(FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                                                   session, nullptr);
             }},
            {"hp_lp_dlg_mfb",
             [&] {
                 return std::make_unique<CHpLpDlg>(FilterType::HIGHPASS, StructureKind::MFB,
                                                   session, nullptr);
             }},
            {"hp_lp_dlg_third_order",
             [&] {
                 return std::make_unique<CHpLpDlg>(FilterType::LOWPASS, StructureKind::SALLEN_KEY_X,
                                                   session, nullptr);
             }},
            {"bp_dlg", [&] { return std::make_unique<CBpDlg>(session, nullptr); }},
            {"br_tt_dlg", [&] { return std::make_unique<CBrTtDlg>(session, nullptr); }},
            {"polparameter_dlg",
             [&] { return std::make_unique<CPolparameterDlg>(session.Character(), nullptr); }},
            {"gain_dlg", [&] { return std::make_unique<CGainDlg>(session.Filter(), nullptr); }},
            {"edit_bp_freqs_dlg",
             [&] { return std::make_unique<CEditBpFreqsDlg>(1000.0, 200.0, nullptr); }},
            {"cap_dlg",
             [&] {
                 return std::make_unique<CCapDlg>(CapacitorRequest{"C2", 2, 3, 22e-9}, 10e-9,
                                                  nullptr);
             }},
            {"cap_mismatch_dlg",
             [&] {
                 return std::make_unique<CCapMismatchDlg>(MismatchRequest{2, 3, 2.0}, 10e-9, 15e-9,
                                                          nullptr);
             }},
            {"edit_caps_dlg",
             [&] {
                 session.Current()->PrepareUntilStable();
                 return std::make_unique<CEditCapsDlg>(*session.Current(), nullptr);
             }},
            {"progress_dlg",
             [&] {
                 return std::make_unique<CProgressDlg>(
                     [] {
                         return DesignProgress{1, 2, 40, 3};
                     },
                     nullptr);
             }},
        };
        for (const auto& [name, make] : screens) {
            const std::unique_ptr<QWidget> screen = make();
            Capture(screen.get(), name);
        }
    }
};

VX_GUI_TEST(ScreenshotTest);

}  // namespace vx::test

#include "screenshot_test.moc"
