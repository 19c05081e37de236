#include "dialogs/own_opamp_dlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <utility>

#include "dialogs/dialog_parts.h"
#include "model/opamp_table.h"
#include "model/opamp_texts.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"

namespace vx {

namespace {

struct FieldRow {
    std::string OwnOpAmpInput::*member;
    const char* label;
    const char* name;
};

// In the order of the form; rail-to-rail, a choice, comes before the source.
constexpr FieldRow kFieldRows[] = {
    {&OwnOpAmpInput::name, own_opamp::kName, "nameEdit"},
    {&OwnOpAmpInput::maker, own_opamp::kMaker, "makerEdit"},
    {&OwnOpAmpInput::gbw, own_opamp::kGbw, "gbwEdit"},
    {&OwnOpAmpInput::dcGainDb, own_opamp::kDcGain, "a0Edit"},
    {&OwnOpAmpInput::phaseMargin, own_opamp::kPhaseMargin, "phaseMarginEdit"},
    {&OwnOpAmpInput::slewRate, own_opamp::kSlewRate, "slewRateEdit"},
    {&OwnOpAmpInput::voltageNoise, own_opamp::kVoltageNoise, "voltageNoiseEdit"},
    {&OwnOpAmpInput::voltageNoiseCorner, own_opamp::kVoltageNoiseCorner, "voltageNoiseCornerEdit"},
    {&OwnOpAmpInput::currentNoise, own_opamp::kCurrentNoise, "currentNoiseEdit"},
    {&OwnOpAmpInput::currentNoiseCorner, own_opamp::kCurrentNoiseCorner, "currentNoiseCornerEdit"},
    {&OwnOpAmpInput::supplyMin, own_opamp::kSupplyMin, "supplyMinEdit"},
    {&OwnOpAmpInput::supplyMax, own_opamp::kSupplyMax, "supplyMaxEdit"},
    {&OwnOpAmpInput::swingToRail, own_opamp::kSwing, "swingEdit"},
};

}  // namespace

COwnOpAmpDlg::COwnOpAmpDlg(const COpv& known, const OwnOpAmpInput& input, std::string replacing,
                           QWidget* parent)
    : QDialog(parent),
      known_(known),
      replacing_(std::move(replacing)),
      railToRail_(new QComboBox(this)) {
    setObjectName("ownOpampDlg");
    setWindowTitle(Qs(replacing_.empty() ? opamp_text::kAddTitle : opamp_text::kChangeTitle));
    auto* form = new QFormLayout;
    for (const FieldRow& f : kFieldRows) {
        QLineEdit* edit = NumberEdit(f.name, this);
        edit->setText(Qs(input.*f.member));
        form->addRow(Qs(f.label), edit);
        fields_.push_back({f.member, edit});
    }
    railToRail_->setObjectName("railToRailCombo");
    for (const opamp_text::RailToRailChoice& choice : opamp_text::kRailToRailChoices) {
        railToRail_->addItem(Qs(choice.text), Qs(RailToRailText(choice.value)));
    }
    railToRail_->setCurrentIndex(std::max(0, railToRail_->findData(Qs(input.railToRail))));
    form->addRow(Qs(own_opamp::kRailToRail), railToRail_);
    auto* source = new QLineEdit(Qs(input.source), this);
    source->setObjectName("sourceEdit");
    form->addRow(Qs(own_opamp::kSource), source);
    fields_.push_back({&OwnOpAmpInput::source, source});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancelButtons(this));
}

OwnOpAmpInput COwnOpAmpDlg::Input() const {
    OwnOpAmpInput input;
    for (const Field& f : fields_) {
        input.*f.member = Std(f.edit->text().trimmed());
    }
    input.railToRail = Std(railToRail_->currentData().toString());
    return input;
}

void COwnOpAmpDlg::accept() {
    std::variant<OpAmpData, OwnOpAmpError> checked = CheckOwnOpAmp(Input(), known_, replacing_);
    if (const auto* error = std::get_if<OwnOpAmpError>(&checked)) {
        ShowMessage(this, error->message);
        for (const Field& f : fields_) {
            if (f.member == error->field) {
                f.edit->setFocus();
                f.edit->selectAll();
            }
        }
        if (error->field == &OwnOpAmpInput::railToRail) {
            railToRail_->setFocus();
        }
        return;
    }
    row_ = std::get<OpAmpData>(std::move(checked));
    QDialog::accept();
}

}  // namespace vx
