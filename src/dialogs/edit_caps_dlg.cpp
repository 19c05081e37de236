#include "dialogs/edit_caps_dlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/cap_dlg.h"
#include "dialogs/dialog_parts.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"
#include "structures/capacitors/capacitor_dialog_texts.h"
#include "structures/filter_structure.h"

namespace vx {

CEditCapsDlg::CEditCapsDlg(CFilterStructure& structure, QWidget* parent)
    : QDialog(parent),
      structure_(structure),
      caps_(StoredCapacitors(structure)),
      stored_(caps_),
      labels_(structure.CapacitorLabels()),
      page_(new QWidget(this)),
      more_(new QPushButton(Qs(kEditMoreStagesButton), this)) {
    setObjectName("editCapsDlg");
    setWindowTitle(Qs(kEditCapacitorsTitle));
    more_->setObjectName("moreStagesButton");
    more_->setEnabled(static_cast<int>(caps_.size()) > kEditStagesPerPage);
    connect(more_, &QPushButton::clicked, this, [this] {
        firstStage_ += kEditStagesPerPage;
        if (firstStage_ >= static_cast<int>(caps_.size())) {
            firstStage_ = 0;
        }
        ShowPage();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(more_);
    buttons->addStretch(1);
    buttons->addWidget(OkCancelButtons(this));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page_);
    layout->addLayout(buttons);
    ShowPage();
}

double& CEditCapsDlg::ValueOf(int stage, int which) {
    StageCapacitors& c = caps_[static_cast<size_t>(stage)];
    return which == 0 ? c.first : c.second;
}

double CEditCapsDlg::MinimumOf(int stage, int which) const {
    return EditedCapacitorMinimum(structure_, stage, which,
                                  caps_[static_cast<size_t>(stage)].first);
}

void CEditCapsDlg::ShowPage() {
    // The page is rebuilt from a button on it: the old widgets go when the click is handled.
    delete grid_;
    for (QWidget* child : page_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        child->hide();
        child->deleteLater();
    }
    grid_ = new QGridLayout(page_);
    grid_->addWidget(TextLabel(kEditComponentColumn, page_), 0, 1);
    grid_->addWidget(TextLabel(kEditMinimumColumn, page_), 0, 2);
    grid_->addWidget(TextLabel(kEditCurrentColumn, page_), 0, 3);
    const int last = std::min(firstStage_ + kEditStagesPerPage, static_cast<int>(caps_.size()));
    int row = 1;
    for (int stage = firstStage_; stage < last; ++stage) {
        grid_->addWidget(new QLabel(Qs(EditStageLabel(stage + 1)), page_), row, 0);
        AddRow(stage, 0, row++);
        // A first-order stage and a structure with one capacitor to choose have no second row.
        if (!labels_.second.empty() && !structure_.IsFirstOrderStage(stage)) {
            AddRow(stage, 1, row++);
        }
    }
}

void CEditCapsDlg::AddRow(int stage, int which, int row) {
    const QString id = QString("%1_%2").arg(stage).arg(which);
    grid_->addWidget(new QLabel(Qs(which == 0 ? labels_.first : labels_.second), page_), row, 1);
    auto* minimum = new QLabel(Qs(FormatCapacitance(MinimumOf(stage, which))), page_);
    minimum->setObjectName("minimum_" + id);
    grid_->addWidget(minimum, row, 2);
    auto* current = new QLabel(Qs(FormatCapacitance(ValueOf(stage, which))), page_);
    current->setObjectName("current_" + id);
    grid_->addWidget(current, row, 3);
    auto* change = new QPushButton(Qs(kEditChangeButton), page_);
    change->setObjectName("change_" + id);
    connect(change, &QPushButton::clicked, this, [this, stage, which] { Change(stage, which); });
    grid_->addWidget(change, row, 4);
}

void CEditCapsDlg::Change(int stage, int which) {
    const std::string& caption = which == 0 ? labels_.first : labels_.second;
    CCapDlg dialog({caption, stage + 1, static_cast<int>(caps_.size()), MinimumOf(stage, which)},
                   ValueOf(stage, which), this);
    if (dialog.exec() == QDialog::Accepted) {
        ValueOf(stage, which) = dialog.Value();
        ShowPage();
    }
}

void CEditCapsDlg::accept() {
    if (const auto message = CheckEditedCapacitors(structure_, caps_)) {
        ShowMessage(this, *message);
        return;
    }
    for (size_t i = 0; i < caps_.size(); ++i) {
        changed_ =
            changed_ || caps_[i].first != stored_[i].first || caps_[i].second != stored_[i].second;
    }
    if (changed_) {
        ApplyEditedCapacitors(structure_, caps_);
    }
    QDialog::accept();
}

}  // namespace vx
