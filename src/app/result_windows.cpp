#include "app/result_windows.h"

#include <QDialog>

#include "app/noise_flow.h"
#include "app/tolerance_flow.h"
#include "app/window_places.h"
#include "dialogs/ampl_mark_dlg.h"
#include "dialogs/freq_mark_dlg.h"
#include "dialogs/noise_result_dlg.h"
#include "dialogs/schaltbild_dlg.h"
#include "dialogs/show_ergebnis_dlg.h"
#include "dialogs/table_dlg.h"
#include "dialogs/tolerance_result_dlg.h"
#include "report/schematic_choice.h"
#include "session/design_session.h"

namespace vx {

namespace {

// Each window's place in the settings, in the order of ResultWindow.
constexpr std::array<PlacedWindow, 7> kPlaces = {
    PlacedWindow::DIMENSIONING, PlacedWindow::PARAMETERS,      PlacedWindow::SCHEMATIC,
    PlacedWindow::TOLERANCE,    PlacedWindow::FREQUENCY_MARKS, PlacedWindow::AMPLITUDE_MARKS,
    PlacedWindow::NOISE};

}  // namespace

CResultWindows::CResultWindows(QWidget* window, CDesignSession& session,
                               const CToleranceFlow& tolerance, const CNoiseFlow& noise,
                               std::function<void()> redraw)
    : window_(window),
      session_(session),
      tolerance_(tolerance),
      noise_(noise),
      redraw_(std::move(redraw)) {}

QDialog* CResultWindows::Open(ResultWindow which) const {
    QDialog* dialog = open_[static_cast<size_t>(which)].data();
    return dialog != nullptr && dialog->isVisible() ? dialog : nullptr;
}

void CResultWindows::Show(ResultWindow which) {
    QPointer<QDialog>& slot = open_[static_cast<size_t>(which)];
    // A closed window is deleted once the events have run; until then it is gone already.
    if (slot != nullptr && !slot->isVisible()) {
        slot.clear();
    }
    if (slot == nullptr) {
        slot = Make(which);
        if (slot == nullptr) {
            return;
        }
        slot->setAttribute(Qt::WA_DeleteOnClose);
        slot->setModal(false);
        if (places_ != nullptr) {
            places_->Place(slot, kPlaces.at(static_cast<size_t>(which)));
        }
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
}

QDialog* CResultWindows::Make(ResultWindow which) {
    const CFilter& filter = session_.Filter();
    switch (which) {
        case ResultWindow::DIMENSIONING:
            return new CShowErgebnisDlg(filter, session_.OpAmps(), session_.Findings(), window_);
        case ResultWindow::PARAMETERS:
            if (const CFilterStructure* structure = session_.Current()) {
                return new CTableDlg(filter, session_.OpAmps(), *structure, window_);
            }
            return nullptr;
        case ResultWindow::SCHEMATIC:
            // A pair of type and structure that no circuit serves has no picture to show.
            if (const auto picture = ChooseSchematic(filter).picture) {
                return new CSchaltbildDlg(*picture, window_);
            }
            return nullptr;
        case ResultWindow::TOLERANCE:
            if (const ToleranceResult* result = tolerance_.Result()) {
                return new CToleranceResultDlg(*result, window_);
            }
            return nullptr;
        case ResultWindow::NOISE:
            if (const NoiseStudy* study = noise_.Result()) {
                return new CNoiseResultDlg(*study, window_);
            }
            return nullptr;
        case ResultWindow::FREQUENCY_MARKS: {
            auto* marks = new CFreqMarkDlg(session_, window_);
            QObject::connect(marks, &CMarkDlg::marksApplied, window_, [this] { redraw_(); });
            return marks;
        }
        case ResultWindow::AMPLITUDE_MARKS: {
            auto* marks = new CAmplMarkDlg(session_.Filter(), window_);
            QObject::connect(marks, &CMarkDlg::marksApplied, window_, [this] { redraw_(); });
            return marks;
        }
    }
    return nullptr;
}

void CResultWindows::Close(ResultWindow which) {
    QPointer<QDialog>& slot = open_[static_cast<size_t>(which)];
    if (slot != nullptr) {
        slot->close();
        slot.clear();
    }
}

void CResultWindows::CloseAll() {
    for (size_t i = 0; i < open_.size(); ++i) {
        Close(static_cast<ResultWindow>(i));
    }
}

}  // namespace vx
