#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <memory>

#include "analysis/noise/noise_text.h"
#include "analysis/tolerance_messages.h"
#include "app/flows.h"
#include "app/gui_test.h"
#include "app/main_window.h"
#include "app/plot_view.h"
#include "app/result_commands.h"
#include "app/settings_store.h"
#include "app/spice_flow.h"
#include "app/spice_result_window.h"
#include "app/tolerance_flow.h"
#include "dialogs/ampl_mark_dlg.h"
#include "dialogs/bp_dlg.h"
#include "dialogs/br_tt_dlg.h"
#include "dialogs/cap_dlg.h"
#include "dialogs/cap_mismatch_dlg.h"
#include "dialogs/edit_bp_freqs_dlg.h"
#include "dialogs/edit_caps_dlg.h"
#include "dialogs/freq_ber_dlg.h"
#include "dialogs/freq_mark_dlg.h"
#include "dialogs/gain_dlg.h"
#include "dialogs/hp_lp_dlg.h"
#include "dialogs/option_ergebnis_dlg.h"
#include "dialogs/option_grafik_dlg.h"
#include "dialogs/own_opamp_dlg.h"
#include "dialogs/polparameter_dlg.h"
#include "dialogs/progress_dlg.h"
#include "dialogs/schaltbild_dlg.h"
#include "dialogs/scheme_dlg.h"
#include "dialogs/show_ergebnis_dlg.h"
#include "dialogs/spice_wait_dlg.h"
#include "dialogs/table_dlg.h"
#include "files/opamp_files.h"
#include "model/own_opamp_input.h"
#include "model/search_input.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"
#include "qt/window_title.h"
#include "report/schematic_choice.h"
#include "report/tolerance_rows.h"
#include "session/design_session.h"
#include "update/update_check.h"
#include "update/update_messages.h"

namespace vx::test {

namespace {

// Every text of a screen is shown whole: its title in the title bar, and labels and buttons got
// at least the width they ask for (wrapped labels excepted).
void ExpectNothingClipped(QWidget* screen, const QString& name) {
    QVERIFY2(screen->width() >= TitleBarWidth(screen),
             qPrintable(name + ": " + screen->windowTitle()));
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

void Save(QWidget* screen, const QString& name) {
    ExpectNothingClipped(screen, name);
    const QImage image = screen->grab().toImage();
    QVERIFY(!image.isNull());
    if (const QString dir = ScreenshotDir(); !dir.isEmpty()) {
        QDir().mkpath(dir);
        QVERIFY(image.save(dir + "/" + name + ".png"));
    }
}

void Capture(QWidget* screen, const QString& name) {
    screen->show();
    QApplication::processEvents();
    Save(screen, name);
    screen->hide();
}

// A box that a command shows modally, saved and closed with `button`.
void CaptureModal(const QString& objectName, const QString& name, const QString& button) {
    WhenModal(objectName, [name, button](QWidget* box) {
        Save(box, name);
        Click(box, button);
    });
}

// A print preview that `open` shows: saved as it appears, then closed.
void CapturePreview(const QString& name, const std::function<void()>& open) {
    WhenModal("printPreviewDialog", [name](QWidget* preview) {
        QApplication::processEvents();
        Save(preview, name);
        static_cast<QDialog*>(preview)->reject();
    });
    open();
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
        // "Datei" with its shortcuts and the file just loaded among the recent ones.
        QMenu* file = window.menuBar()->actions().front()->menu();
        file->popup(window.mapToGlobal(QPoint(0, 0)));
        QApplication::processEvents();
        const QImage menu = file->grab().toImage();
        file->hide();
        if (const QString dir = ScreenshotDir(); !dir.isEmpty()) {
            QVERIFY(menu.save(dir + "/file_menu.png"));
        }
        window.RunCommand(Command::HELP);
        QWidget* help = window.findChild<QWidget*>("helpDlg");
        QVERIFY(help != nullptr);
        Capture(help, "help_dlg");
        help->close();

        // The Spice menu with ngspice: the wait dialog while it runs, the result windows of
        // three analyses and the overlay of the amplitude on the main window.
        QTemporaryDir spiceFolder;
        window.Session().Filter().spice.tmpPath = Std(spiceFolder.path());
        window.show();
        const std::pair<Command, const char*> analyses[] = {
            {Command::SPICE_STEP_RESPONSE, "spice_result_step_response"},
            {Command::SPICE_ALL, "spice_result_all"},
            {Command::SPICE_AMPLITUDE_DB, "spice_result_amplitude_db"},
        };
        for (const auto& [command, name] : analyses) {
            window.RunCommand(command);
            QWidget* result = window.Spice().ResultWindow();
            QVERIFY(result != nullptr);
            QApplication::processEvents();
            Save(result, name);
        }
        window.Spice().ResultWindow()->hide();
        Capture(&window, "main_window_spice_overlay");
        CaptureModal("optionsPspiceDlg", "options_pspice_dlg", "cancelButton");
        window.RunCommand(Command::SPICE_CONFIGURATION);
        CaptureModal("questionBox", "update_question", "noButton");
        AskYesNo(&window, NewVersionQuestion({"3.4.0", "2024-05-01", "veltranix_3.4.0.deb"}));

        CDesignSession& session = window.Session();
        // The input dialogs as a new specification opens them, with the window's field open.
        session.Filter().SetSearch(kNewSpecificationSearch, kDefaultImpedanceWindow);
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
            {"spice_wait_dlg", [&] { return std::make_unique<CSpiceWaitDlg>(nullptr); }},
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

    // The result windows, the graph dialogs, the report options and both print previews.
    void ResultAndGraphScreens() {
        QSettings settings;
        settings.setValue("Document/Designer", "Ida Kern");
        settings.setValue("Document/Organisation", "Labor Süd");
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.resize(900, 620);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("twin_t_bandstop.vxs"))));
        CDesignSession& session = window.Session();
        CFilter& filter = session.Filter();
        filter.frequencyMarks[0] = {true, 45.0};
        filter.amplitudeMarks[0] = {true, -3.0};
        const std::pair<const char*, std::function<std::unique_ptr<QWidget>()>> screens[] = {
            {"show_ergebnis_dlg",
             [&] {
                 return std::make_unique<CShowErgebnisDlg>(filter, session.OpAmps(),
                                                           session.Findings(), nullptr);
             }},
            {"table_dlg",
             [&] {
                 return std::make_unique<CTableDlg>(filter, session.OpAmps(), *session.Current(),
                                                    nullptr);
             }},
            {"schaltbild_dlg",
             [&] {
                 return std::make_unique<CSchaltbildDlg>(*ChooseSchematic(filter).picture, nullptr);
             }},
            {"freq_ber_dlg", [&] { return std::make_unique<CFreqBerDlg>(filter, nullptr); }},
            {"freq_mark_dlg", [&] { return std::make_unique<CFreqMarkDlg>(session, nullptr); }},
            {"ampl_mark_dlg", [&] { return std::make_unique<CAmplMarkDlg>(filter, nullptr); }},
            {"option_grafik_dlg",
             [&] { return std::make_unique<COptionGrafikDlg>(filter, nullptr); }},
            {"option_ergebnis_dlg",
             [&] { return std::make_unique<COptionErgebnisDlg>(window.Settings(), nullptr); }},
        };
        for (const auto& [name, make] : screens) {
            const std::unique_ptr<QWidget> screen = make();
            Capture(screen.get(), name);
        }
        CapturePreview("result_preview", [&] { window.RunCommand(Command::RESULT_PREVIEW); });
        CapturePreview("graph_preview", [&] { window.RunCommand(Command::GRAPH_PREVIEW); });
    }

    // The tolerance analysis: its dialog, its progress, the band in the main window and the
    // result window.
    void ToleranceScreens() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.resize(900, 620);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        CaptureModal("toleranceDlg", "tolerance_dlg", "okButton");
        window.RunCommand(Command::RESULT_TOLERANCE);
        QVERIFY(window.Results().Tolerance().Result() != nullptr);
        QWidget* result = window.Results().Windows().Open(ResultWindow::TOLERANCE);
        QVERIFY(result != nullptr);
        QApplication::processEvents();
        Save(result, "tolerance_result_dlg");
        result->close();
        Capture(&window, "main_window_tolerance_band");
        CProgressDlg progress([] { return DesignProgress{0, 0, 45, 0}; }, nullptr);
        progress.ShowAsAnalysis(tolerance_text::kCaption, ToleranceProgressLine);
        Capture(&progress, "progress_dlg_tolerance");
    }

    // The noise study's result window and its progress line.
    void NoiseScreens() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.resize(900, 620);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        window.RunCommand(Command::RESULT_NOISE);
        QWidget* result = window.Results().Windows().Open(ResultWindow::NOISE);
        QVERIFY(result != nullptr);
        QApplication::processEvents();
        Save(result, "noise_result_dlg");
        result->close();
        CProgressDlg progress([] { return DesignProgress{0, 0, 45, 2}; }, nullptr);
        progress.ShowAsAnalysis(kNoiseTitle, NoiseProgressLine);
        Capture(&progress, "progress_dlg_noise");
    }

    // The diagram's views, the cursor's readout, a zoomed range and the context menu.
    void DiagramScreens() {
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.resize(900, 620);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        const std::pair<Command, const char*> views[] = {
            {Command::GRAPH_VIEW_PHASE, "main_window_phase"},
            {Command::GRAPH_VIEW_STEP, "main_window_step"},
            {Command::GRAPH_VIEW_IMPULSE, "main_window_impulse"},
            {Command::GRAPH_VIEW_NOISE, "main_window_noise"},
            {Command::GRAPH_VIEW_MAGNITUDE, "main_window_magnitude"},
        };
        for (const auto& [command, name] : views) {
            window.RunCommand(command);
            Capture(&window, name);
        }
        window.show();
        CPlotView* view = window.View();
        const QPoint at(view->width() * 3 / 5, view->height() / 2);
        QTest::mouseMove(view, at);
        QApplication::processEvents();
        Save(&window, "main_window_readout");
        QWheelEvent wheel(at, view->mapToGlobal(at), {}, {0, 240}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &wheel);
        QApplication::processEvents();
        Save(&window, "main_window_zoomed");
        QMenu* menu = view->ContextMenu();
        menu->popup(view->mapToGlobal(at));
        QApplication::processEvents();
        Save(menu, "plot_context_menu");
        menu->close();
    }

    // A tolerance scheme in the diagram: a fifth-order Butterworth low-pass that keeps 1 dB up
    // to 1 kHz and 40 dB from 3 kHz on, over a range that shows both bands.
    void SchemePlotScreens() {
        QTemporaryDir folder;
        const QString fifth = ChangedExample(
            folder, "sk_lowpass_gain.vxs", "scheme.vxs",
            "FREQUENCY=1.000000E+03\nGAIN_DB=6.000000E+00\nCHARACTERISTIC=BUTTERWORTH\nORDER=4",
            "FREQUENCY=1.169000E+03\nGAIN_DB=0.000000E+00\nCHARACTERISTIC=BUTTERWORTH\nORDER=5");
        QVERIFY(!fifth.isEmpty());
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.resize(900, 620);
        window.show();
        QVERIFY(window.Flows().Load(Std(fifth)));
        CDesignSession& session = window.Session();
        QVERIFY(session.Filter().SetPlotRange(0.1, 10.0));
        QVERIFY(session.RecomputeCurves());
        session.Filter().scheme =
            ToleranceScheme{FilterType::LOWPASS, 1000.0, 0.0, 1.0, 3000.0, 0.0, 40.0, {}, {}};
        Capture(&window, "main_window_scheme");
    }

    // The op-amp list with the catalogue and an own model, the form of that model, and an input
    // dialog whose op-amp choice is narrowed by its filter.
    void OpAmpScreens() {
        OpAmpLibrary library = LoadOpAmpLibrary(CatalogueOpAmpPath(), OwnOpAmpPath());
        OpAmpData own;
        own.name = "OPA-MESS";
        own.maker = "Labor Süd";
        own.gbw = 12e6;
        own.slewRate = 20.0;
        own.voltageNoise = 5.0;
        own.supplyMin = 4.5;
        own.supplyMax = 36.0;
        library.own = {own};
        InstallOpAmps(std::move(library));
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.resize(900, 620);
        window.show();
        QVERIFY(window.Flows().Load(Std(Example("sk_lowpass_gain.vxs"))));
        // As wide as its columns, which the test screen is not.
        WhenModal("opampListDlg", [](QWidget* list) {
            list->resize(1080, 440);
            Type(list, "opampFilter", "opa");
            QApplication::processEvents();
            Save(list, "opamp_list_dlg");
            Click(list, "closeButton");
        });
        window.RunCommand(Command::OP_AMPS);
        CDesignSession& session = window.Session();
        const int index = session.OpAmps().FindByName(own.name);
        COwnOpAmpDlg form(session.OpAmps(), InputOf(session.OpAmps().Data(index)), own.name,
                          nullptr);
        Capture(&form, "own_opamp_dlg");
        CHpLpDlg input(FilterType::LOWPASS, StructureKind::SALLEN_KEY, session, nullptr);
        input.show();
        Type(&input, "opampFilterEdit", "opa1");
        Capture(&input, "hp_lp_dlg_opamp_filter");
        InstallOpAmps({});
    }

    // The plan from a tolerance scheme: a low-pass with a limit, whose rows that keep it stand
    // out, and a band-pass with its two edges a band.
    void SchemeScreens() {
        SchemeEntries entries = DefaultSchemeEntries();
        entries.Of(FilterType::LOWPASS).Text(SchemeField::OVERSHOOT) = "15";
        CSchemeDlg lowPass(entries, nullptr);
        Capture(&lowPass, "scheme_dlg");
        entries.type = FilterType::BANDPASS;
        CSchemeDlg bandPass(entries, nullptr);
        Capture(&bandPass, "scheme_dlg_bandpass");
    }

    // A design with findings: the line in the main window and the list in the dimensioning
    // window.
    void FindingsScreens() {
        QTemporaryDir folder;
        const QString flawed = ChangedExample(folder, "sk_lowpass_gain.vxs", "flawed.vxs",
                                              "IMPEDANCE=1.000000E+04", "IMPEDANCE=1");
        QVERIFY(!flawed.isEmpty());
        QSettings settings;
        CSettingsStore store(settings);
        CMainWindow window(store);
        window.resize(900, 620);
        window.show();
        QVERIFY(window.Flows().Load(Std(flawed)));
        Capture(&window, "main_window_findings");
        CDesignSession& session = window.Session();
        CShowErgebnisDlg dimensioning(session.Filter(), session.OpAmps(), session.Findings(),
                                      nullptr);
        Capture(&dimensioning, "show_ergebnis_dlg_findings");
    }
};

VX_GUI_TEST(ScreenshotTest);

}  // namespace vx::test

#include "screenshot_test.moc"
