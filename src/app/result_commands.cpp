#include "app/result_commands.h"

#include <QFileDialog>
#include <filesystem>

#include "app/settings_store.h"
#include "dialogs/freq_ber_dlg.h"
#include "dialogs/option_ergebnis_dlg.h"
#include "dialogs/option_grafik_dlg.h"
#include "plot/diagram.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"
#include "report/html_report.h"
#include "report/html_report_messages.h"
#include "session/design_session.h"
#include "shell/program_settings.h"
#include "shell/shell_messages.h"
#include "spice/parts_list_csv.h"
#include "spice/parts_list_messages.h"

namespace vx {

namespace fs = std::filesystem;

CResultCommands::CResultCommands(QWidget* window, CDesignSession& session, CDiagram& diagram,
                                 CDesignRunner& runner, CSettingsStore& store,
                                 ProgramSettings& settings, std::function<void()> refresh)
    : window_(window),
      session_(session),
      diagram_(diagram),
      store_(store),
      settings_(settings),
      refresh_(std::move(refresh)),
      tolerance_(window, session, runner),
      noise_(window, session, runner),
      windows_(window, session, tolerance_, noise_, refresh_),
      printing_(window, session, diagram, settings, tolerance_, noise_, refresh_) {}

void CResultCommands::SetUnattended(bool unattended) {
    unattended_ = unattended;
    tolerance_.SetUnattended(unattended);
    noise_.SetUnattended(unattended);
}

void CResultCommands::Install(std::map<Command, std::function<void()>>& handlers) {
    auto show = [this](ResultWindow which) { return [this, which] { windows_.Show(which); }; };
    handlers[Command::RESULT_DIMENSIONING] = show(ResultWindow::DIMENSIONING);
    handlers[Command::RESULT_PARAMETERS] = show(ResultWindow::PARAMETERS);
    handlers[Command::RESULT_SCHEMATIC] = show(ResultWindow::SCHEMATIC);
    handlers[Command::RESULT_TOLERANCE] = [this] { AnalyseTolerances(); };
    handlers[Command::RESULT_NOISE] = [this] { StudyNoise(); };
    handlers[Command::GRAPH_FREQUENCY_MARKS] = show(ResultWindow::FREQUENCY_MARKS);
    handlers[Command::GRAPH_AMPLITUDE_MARKS] = show(ResultWindow::AMPLITUDE_MARKS);
    handlers[Command::GRAPH_RANGE] = [this] { ChangeRange(); };
    handlers[Command::GRAPH_CURVES] = [this] { ChooseCurves(); };
    handlers[Command::RESULT_OPTIONS] = [this] { ChangeOptions(); };
    handlers[Command::RESULT_SAVE_HTML] = [this] { SaveHtmlWithDialog(); };
    handlers[Command::RESULT_SAVE_PARTS_LIST] = [this] { SavePartsListWithDialog(); };
    struct PrintEntry {
        Command pageSetup;
        Command preview;
        Command print;
        PrintKind kind;
    };
    for (const PrintEntry& e : {PrintEntry{Command::GRAPH_PAGE_SETUP, Command::GRAPH_PREVIEW,
                                           Command::GRAPH_PRINT, PrintKind::GRAPH},
                                PrintEntry{Command::RESULT_PAGE_SETUP, Command::RESULT_PREVIEW,
                                           Command::RESULT_PRINT, PrintKind::RESULT}}) {
        const PrintKind kind = e.kind;
        handlers[e.pageSetup] = [this, kind] { printing_.PageSetup(kind); };
        handlers[e.preview] = [this, kind] { printing_.Preview(kind); };
        handlers[e.print] = [this, kind] { printing_.Print(kind); };
    }
}

void CResultCommands::AnalyseTolerances() {
    const std::optional<ToleranceSettings> settings = tolerance_.Ask();
    if (!settings) {
        return;
    }
    // The window of the last run would outlive its result.
    windows_.Close(ResultWindow::TOLERANCE);
    if (tolerance_.Run(*settings)) {
        windows_.Show(ResultWindow::TOLERANCE);
    }
    refresh_();
}

void CResultCommands::StudyNoise() {
    // The window of the last run would outlive its result.
    windows_.Close(ResultWindow::NOISE);
    if (noise_.Run()) {
        windows_.Show(ResultWindow::NOISE);
    }
}

void CResultCommands::ChangeRange() {
    CFilter& filter = session_.Filter();
    CFreqBerDlg dialog(filter, window_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    // "Standard" in the dialog is also the way back from a zoom.
    diagram_.ResetZoom();
    settings_.fmin = PlotFactorText(filter.PlotMin());
    settings_.fmax = PlotFactorText(filter.PlotMax());
    store_.WriteValue(settings_, "fmin");
    store_.WriteValue(settings_, "fmax");
    if (filter.GetDesignState() == DesignState::DESIGNED) {
        session_.RecomputeCurves();
    }
    refresh_();
}

void CResultCommands::ChooseCurves() {
    COptionGrafikDlg dialog(session_.Filter(), window_);
    if (dialog.exec() == QDialog::Accepted) {
        refresh_();
    }
}

void CResultCommands::ChangeOptions() {
    CFilter& filter = session_.Filter();
    settings_.filterparamsInOutput = filter.filterparamsInOutput ? 1 : 0;
    COptionErgebnisDlg dialog(settings_, window_);
    if (dialog.exec() == QDialog::Accepted) {
        dialog.Store(settings_);
        filter.filterparamsInOutput = settings_.filterparamsInOutput != 0;
    }
}

bool CResultCommands::SaveHtml(const std::string& path) {
    const CFilterStructure* structure = session_.Current();
    if (structure == nullptr) {
        return false;
    }
    const fs::path file(path);
    const HtmlReportContent content{session_.Filter(),   session_.Character(),  session_.OpAmps(),
                                    *structure,          DesignerOf(settings_), tolerance_.Result(),
                                    session_.Findings(), noise_.Result()};
    if (const auto failed = SaveHtmlReport(file, content)) {
        ShowOrPrint(window_, *failed, MessageIcon::STOP, unattended_);
        return false;
    }
    if (status_) {
        status_(ReportSavedLine(path));
    }
    return true;
}

bool CResultCommands::SaveHtmlWithDialog() {
    const CFilter& filter = session_.Filter();
    const fs::path proposal =
        fs::path(filter.documentFolder) / (filter.documentName + "." + kHtmlSuffix);
    QFileDialog dialog(window_, Qs(kSaveHtmlTitle), Qs(proposal.string()), Qs(kHtmlFilter));
    dialog.setObjectName("saveHtmlDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(Qs(kHtmlSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    return SaveHtml(Std(dialog.selectedFiles().front()));
}

bool CResultCommands::SavePartsList(const std::string& path) {
    if (const auto failed = vx::SavePartsList(path, session_.Filter(), session_.OpAmps())) {
        ShowOrPrint(window_, *failed, MessageIcon::STOP, unattended_);
        return false;
    }
    if (status_) {
        status_(PartsListSavedLine(path));
    }
    return true;
}

bool CResultCommands::SavePartsListWithDialog() {
    const CFilter& filter = session_.Filter();
    const fs::path proposal =
        fs::path(filter.documentFolder) / (filter.documentName + "." + kPartsListSuffix);
    QFileDialog dialog(window_, Qs(kPartsListTitle), Qs(proposal.string()), Qs(kPartsListFilter));
    dialog.setObjectName("savePartsListDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(Qs(kPartsListSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    return SavePartsList(Std(dialog.selectedFiles().front()));
}

}  // namespace vx
