#include "app/flows.h"

#include <QFileDialog>
#include <QMainWindow>
#include <QStatusBar>
#include <QUrl>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>

#include "dialogs/bp_dlg.h"
#include "dialogs/br_tt_dlg.h"
#include "dialogs/edit_caps_dlg.h"
#include "dialogs/hp_lp_dlg.h"
#include "files/shipped_data.h"
#include "files/specification_writer.h"
#include "model/search_input.h"
#include "qt/qt_text.h"
#include "session/design_session.h"
#include "session/design_session_messages.h"
#include "shell/shell_messages.h"
#include "structures/capacitors/capacitor_choice.h"

namespace vx {

namespace fs = std::filesystem;

CFlows::CFlows(QWidget* window, CDesignSession& session, CDesignRunner& runner,
               CapacitorPrompt& windowPrompt, std::function<void()> refresh)
    : window_(window),
      session_(session),
      runner_(runner),
      windowPrompt_(windowPrompt),
      refresh_(std::move(refresh)) {}

void CFlows::Tell(const UserMessage& message, MessageIcon icon) const {
    ShowOrPrint(window_, message, icon, unattended_);
}

void CFlows::BeforeChange() const {
    if (beforeChange_) {
        beforeChange_();
    }
}

void CFlows::Status(const std::string& line) const {
    if (status_) {
        status_(line);
    }
}

double CFlows::RunDesign(const CDesignRunner::Job& job) {
    const auto start = std::chrono::steady_clock::now();
    if (const auto error = runner_.Run(job)) {
        // Whatever the run left behind is no design; the specification stays to be changed.
        session_.Filter().SetDesignState(DesignState::CANCELLED);
        Tell(InternalErrorMessage(*error));
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    refresh_();
    return took.count();
}

void CFlows::DesignCurrent(const std::optional<DesignSnapshot>& kept) {
    bool designed = true;
    const double seconds = RunDesign([this, &designed](DesignMonitor& monitor, CapacitorPrompt&) {
        designed = session_.Design(monitor);
    });
    Status(session_.Filter().GetDesignState() == DesignState::DESIGNED ? DesignTimeLine(seconds)
                                                                       : kDesignCancelledLine);
    if (const std::optional<UserMessage> failure = session_.DesignFailure(); !designed && failure) {
        Tell(*failure);
    }
    if (session_.RestoreIfUndone(kept)) {
        refresh_();
        if (auto* mainWindow = qobject_cast<QMainWindow*>(window_)) {
            mainWindow->statusBar()->showMessage(Qs(RedesignUndoneLine()));
        }
    }
}

bool CFlows::Specify(FilterType type, StructureKind structure, bool isNew) {
    return SpecifyWith(type, structure, isNew, nullptr);
}

bool CFlows::SpecifyPlanned(const ToleranceScheme& scheme, const PlanRow& row,
                            StructureKind structure) {
    return SpecifyWith(scheme.type, structure, true, [&](CFilter& filter) {
        filter.SetSpecification(PlannedSpecification(filter.Specification(), scheme.type, row),
                                structure, scheme.type);
        filter.scheme = scheme;
    });
}

bool CFlows::SpecifyWith(FilterType type, StructureKind structure, bool isNew,
                         const std::function<void(CFilter&)>& plan) {
    BeforeChange();
    const std::optional<DesignSnapshot> kept = session_.KeepDesign();
    CFilter& filter = session_.Filter();
    filter.SaveBackup();
    const CCharacter character = session_.Character();
    const int capsEnteredOrder = filter.CapsEnteredOrder();
    const std::optional<ToleranceScheme> scheme = filter.scheme;
    filter.ResetCapsEnteredOrder(isNew);
    // A specification begun anew offers the exhaustive search; a loaded one keeps its own. Only
    // a plan gives a new filter a scheme; a changed specification keeps the one it has.
    if (isNew) {
        filter.SetSearch(kNewSpecificationSearch, filter.ImpedanceWindow());
        filter.scheme.reset();
    }
    if (plan) {
        plan(filter);
    }
    bool curvesTouched = false;
    if (!RunInputDialog(type, structure, curvesTouched)) {
        filter.RestoreBackup();
        filter.scheme = scheme;
        session_.Character() = character;
        filter.SetCapsEnteredOrder(capsEnteredOrder);
        // The capacitor entry prepared the structure anew, which cleared the curves.
        if (curvesTouched && filter.GetDesignState() == DesignState::DESIGNED) {
            session_.RecomputeCurves();
        }
        refresh_();
        return false;
    }
    filter.FitPlotRangeToScheme();
    DesignCurrent(kept);
    return true;
}

bool CFlows::RunInputDialog(FilterType type, StructureKind structure, bool& curvesTouched) {
    std::unique_ptr<CInputDlg> dialog;
    if (type == FilterType::BANDPASS) {
        dialog = std::make_unique<CBpDlg>(session_, window_);
    } else if (type == FilterType::BANDREJECT) {
        dialog = std::make_unique<CBrTtDlg>(session_, window_);
    } else {
        dialog = std::make_unique<CHpLpDlg>(type, structure, session_, window_);
    }
    // Entered capacitors: the structure is prepared for the accepted specification, then asks
    // for new capacitors or checks the stored ones.
    dialog->SetCapacitorEntry([this, &curvesTouched] {
        curvesTouched = true;
        CFilter& filter = session_.Filter();
        CFilterStructure* entered = session_.Current();
        const bool ask = CapacitorsMustBeAsked(filter);
        if (!entered->PrepareUntilStable() || !entered->EnterAllCapacitors(ask, windowPrompt_)) {
            // Without a reason the user cancelled; otherwise no circuit realises the input.
            if (const std::optional<UserMessage>& failure = entered->Failure()) {
                Tell(*failure);
            }
            return false;
        }
        if (ask) {
            filter.SetCapsEnteredOrder(filter.Order());
        }
        return true;
    });
    return dialog->exec() == QDialog::Accepted;
}

bool CFlows::Load(const std::string& path) {
    BeforeChange();
    LoadResult result;
    const double seconds =
        RunDesign([this, &path, &result](DesignMonitor& monitor, CapacitorPrompt& prompt) {
            result = session_.LoadAndDesign(path, monitor, prompt);
        });
    const bool loaded = result.outcome != LoadOutcome::NOT_LOADED;
    // A failed load tells why; a design tells of a lowered gain.
    for (const UserMessage& message : result.messages) {
        Tell(message, loaded ? MessageIcon::WARNING : MessageIcon::STOP);
    }
    if (loaded) {
        session_.Filter().specUntitled = false;
        refresh_();
        Status(result.outcome == LoadOutcome::DESIGNED ? LoadedLine(path, seconds)
                                                       : kDesignCancelledLine);
        if (fileUsed_) {
            fileUsed_(path);
        }
    }
    return loaded;
}

bool CFlows::Open(const std::string& path) {
    return MayDiscard(LoadOverUnsavedQuestion()) && Load(path);
}

std::string CFlows::ProposedPath() const {
    const CFilter& filter = session_.Filter();
    return (fs::path(filter.documentFolder) / (filter.documentName + "." + kSpecificationSuffix))
        .string();
}

bool CFlows::LoadWithDialog() {
    if (!MayDiscard(LoadOverUnsavedQuestion())) {
        return false;
    }
    BeforeChange();
    QFileDialog dialog(window_, Qs(kLoadSpecificationTitle), Qs(ProposedPath()),
                       Qs(kSpecificationFilter));
    dialog.setObjectName("loadSpecificationDialog");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(Qs(kSpecificationSuffix));
    // The shipped examples, one click away.
    if (const std::string examples = ExamplesFolder(); !examples.empty()) {
        dialog.setSidebarUrls(dialog.sidebarUrls() << QUrl::fromLocalFile(Qs(examples)));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    return Load(Std(dialog.selectedFiles().front()));
}

bool CFlows::Save(const std::string& path) {
    fs::path file(path);
    file.replace_extension(std::string(".") + kSpecificationSuffix);
    CFilter& filter = session_.Filter();
    if (const auto message = SaveSpecification(file, filter, session_.Character(),
                                               session_.OpAmps(), designer_ ? designer_() : "")) {
        Tell(*message);
        return false;
    }
    filter.documentFolder = file.parent_path().string();
    filter.documentName = file.stem().string();
    filter.specModified = false;
    filter.specUntitled = false;
    refresh_();
    Status(SavedLine(file.string()));
    if (fileUsed_) {
        fileUsed_(file.string());
    }
    return true;
}

bool CFlows::SaveWithDialog() {
    QFileDialog dialog(window_, Qs(kSaveSpecificationTitle), Qs(ProposedPath()),
                       Qs(kSpecificationFilter));
    dialog.setObjectName("saveSpecificationDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(Qs(kSpecificationSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    return Save(Std(dialog.selectedFiles().front()));
}

bool CFlows::ChangeCapacitors() {
    CFilter& filter = session_.Filter();
    if (const std::optional<UserMessage> refusal = CapacitorEditRefusal(filter)) {
        Tell(*refusal, MessageIcon::INFORMATION);
        return false;
    }
    BeforeChange();
    const std::optional<DesignSnapshot> kept = session_.KeepDesign();
    CFilterStructure* structure = session_.Current();
    structure->PrepareUntilStable();
    CEditCapsDlg dialog(*structure, window_);
    if (dialog.exec() != QDialog::Accepted || !dialog.Changed()) {
        // Preparing the structure cleared the curves of the design on show.
        if (filter.GetDesignState() == DesignState::DESIGNED) {
            session_.RecomputeCurves();
        }
        refresh_();
        return false;
    }
    KeepEditedCapacitors(filter);
    DesignCurrent(kept);
    return true;
}

bool CFlows::MayClose() {
    return !runner_.Running() && MayDiscard(CloseQuestion());
}

bool CFlows::MayDiscard(const UserMessage& question) {
    const CFilter& filter = session_.Filter();
    if (filter.GetDesignState() != DesignState::DESIGNED || !filter.specModified) {
        return true;
    }
    switch (AskYesNoCancel(window_, question)) {
        case Answer::YES:
            return SaveWithDialog();
        case Answer::NO:
            return true;
        case Answer::CANCEL:
            break;
    }
    return false;
}

}  // namespace vx
