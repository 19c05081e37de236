#include "dialogs/tolerance_dlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/tolerance_input.h"
#include "analysis/tolerance_messages.h"
#include "dialogs/dialog_parts.h"
#include "dialogs/radio_group.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"

namespace vx {

namespace t = tolerance_text;

namespace {

struct FieldRow {
    ToleranceField field;
    const char* name;
    const char* label;
    const char* note;
};

constexpr FieldRow kToleranceRows[] = {
    {ToleranceField::RESISTORS, "resistorEdit", t::kResistorsLabel, t::kToleranceNote},
    {ToleranceField::CAPACITORS, "capacitorEdit", t::kCapacitorsLabel, t::kToleranceNote},
    {ToleranceField::GAIN_BANDWIDTH, "gainBandwidthEdit", t::kGainBandwidthLabel,
     t::kGainBandwidthNote},
};

constexpr FieldRow kRunRows[] = {
    {ToleranceField::RUNS, "runsEdit", t::kRunsLabel, t::kRunsNote},
    {ToleranceField::SEED, "seedEdit", t::kSeedLabel, t::kSeedNote},
};

}  // namespace

CToleranceDlg::CToleranceDlg(const ToleranceSettings& settings, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      distribution_(new CRadioGroup(t::kDistribution, "distribution", this)) {
    setObjectName("toleranceDlg");
    setWindowTitle(Qs(t::kCaption));
    const ToleranceInput input = ToleranceInputFrom(settings);
    // The labels of both groups share one width, so that their fields line up.
    std::vector<QGridLayout*> grids;
    int labelWidth = 0;
    auto group = [&](const char* title, const auto& rows) {
        auto* box = new QGroupBox(Qs(title), this);
        auto* grid = new QGridLayout(box);
        int r = 0;
        for (const FieldRow& row : rows) {
            auto* label = TextLabel(row.label, box);
            QLineEdit* edit = NumberEdit(row.name, box);
            edit->setText(Qs(input.Text(row.field)));
            fields_[static_cast<size_t>(row.field)] = edit;
            grid->addWidget(label, r, 0);
            grid->addWidget(edit, r, 1);
            grid->addWidget(TextLabel(row.note, box), r, 2);
            labelWidth = std::max(labelWidth, label->sizeHint().width());
            ++r;
        }
        grid->setColumnStretch(2, 1);
        grids.push_back(grid);
        return box;
    };
    QGroupBox* tolerances = group(t::kTolerancesGroup, kToleranceRows);
    QGroupBox* runs = group(t::kRunsGroup, kRunRows);
    for (QGridLayout* grid : grids) {
        grid->setColumnMinimumWidth(0, labelWidth);
    }
    distribution_->Add(t::kUniform);
    distribution_->Add(t::kNormal);
    distribution_->SetIndex(static_cast<int>(input.distribution));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tolerances);
    layout->addWidget(distribution_);
    layout->addWidget(runs);
    layout->addWidget(OkCancelButtons(this));
}

void CToleranceDlg::accept() {
    ToleranceInput input;
    for (size_t i = 0; i < fields_.size(); ++i) {
        input.Text(static_cast<ToleranceField>(i)) = Std(fields_[i]->text());
    }
    input.distribution = static_cast<ToleranceDistribution>(distribution_->Index());
    if (const auto refused = AcceptToleranceInput(input, settings_)) {
        ShowMessage(this, refused->message);
        fields_[static_cast<size_t>(refused->focus)]->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace vx
