#include "dialogs/hp_lp_dlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_parts.h"
#include "dialogs/gain_dlg.h"
#include "dialogs/gain_field_pair.h"
#include "dialogs/polparameter_dlg.h"
#include "dialogs/radio_group.h"
#include "dialogs/search_group.h"
#include "model/gain_fields.h"
#include "model/input_dialog_texts.h"
#include "model/number_format.h"
#include "qt/qt_text.h"
#include "session/design_session.h"

namespace vx {

CHpLpDlg::CHpLpDlg(FilterType type, StructureKind structure, CDesignSession& session,
                   QWidget* parent)
    : CInputDlg(session, parent), type_(type), structure_(structure) {
    setObjectName("hpLpDlg");
    setWindowTitle(Qs(HpLpDialogTitle(type, structure)));

    auto* left = new QVBoxLayout;
    left->addWidget(MakeCharacteristicGroup());
    left->addWidget(MakeFieldsGroup());
    opAmps_ = AddOpAmpGroup(left, session.OpAmps(), session.Filter().OpAmp(), this);

    auto* right = new QVBoxLayout;
    if (!ThirdOrder()) {
        sequence_ = AddGroup(right, kSequenceGroup, "sequence", kSequenceRadios);
    }
    series_ = AddGroup(right, kSeriesGroup, "series", kSeriesRadios);
    if (!ThirdOrder()) {
        right->addWidget(MakeDistributionGroup());
        capacitors_ = AddGroup(right, kCapacitorGroup, "capacitor", kCapacitorRadios);
    } else {
        auto* options = new QGroupBox(this);
        auto* box = new QVBoxLayout(options);
        equalCapacitors_ = new QCheckBox(Qs(kEqualCapacitorsCheck), options);
        equalCapacitors_->setObjectName("equalCapacitorsCheck");
        box->addWidget(equalCapacitors_);
        box->addWidget(TextLabel(kEqualCapacitorsNeed, options));
        box->addWidget(TextLabel(kEqualCapacitorsWarning, options));
        right->addWidget(options);
    }
    search_ = new CSearchGroup(this);
    right->addWidget(search_);
    Arrange(left, right);

    MarkField(HpLpField::IMPEDANCE, impedance_);
    MarkField(HpLpField::FREQUENCY, frequency_);
    MarkField(HpLpField::GAIN_DB, [this]() -> QWidget* { return gain_->RefusedField(); });
    MarkField(HpLpField::ORDER, order_);
    MarkField(HpLpField::RIPPLE, ripple_);
    MarkField(HpLpField::POLE_PARAMETERS, poleParameters_);
    MarkField(HpLpField::IMPEDANCE_WINDOW, search_->WindowField());
    ShowSpecification();
    connect(characteristic_, &CRadioGroup::indexChanged, this, &CHpLpDlg::UpdateEnabled);
    UpdateEnabled();
}

QWidget* CHpLpDlg::MakeCharacteristicGroup() {
    characteristic_ = new CRadioGroup(kCharacteristicGroup, "characteristic", this);
    for (size_t k = 0; k < kCharacteristicRadios.size(); ++k) {
        // The third-order structure offers no individual characteristic.
        if (!(ThirdOrder() && k == static_cast<size_t>(Characteristic::INDIVIDUAL))) {
            characteristic_->Add(kCharacteristicRadios[k]);
        }
    }
    ripple_ = AddRippleRow(characteristic_);
    if (!ThirdOrder()) {
        poleParameters_ = new QPushButton(Qs(kPoleParametersButton), characteristic_);
        poleParameters_->setObjectName("poleParametersButton");
        connect(poleParameters_, &QPushButton::clicked, this, &CHpLpDlg::EnterPoleParameters);
        characteristic_->Layout()->addWidget(poleParameters_, 0, Qt::AlignLeft);
    }
    return characteristic_;
}

QWidget* CHpLpDlg::MakeFieldsGroup() {
    auto* group = new QGroupBox(this);
    auto* form = new QFormLayout(group);
    if (!ThirdOrder()) {
        order_ = NumberEdit("orderEdit", group);
        form->addRow(Qs(kOrderLabel), order_);
    }
    frequency_ = NumberEdit("frequencyEdit", group);
    form->addRow(Qs(kCutoffLabel), frequency_);
    impedance_ = NumberEdit("impedanceEdit", group);
    form->addRow(Qs(kImpedanceLabel), impedance_);
    gain_ = new CGainFieldPair(group);
    form->addRow(Qs(kGainLinearLabel), gain_->LinearEdit());
    form->addRow(Qs(kGainDbLabel), gain_->DbEdit());
    return group;
}

QWidget* CHpLpDlg::MakeDistributionGroup() {
    distribution_ = new CRadioGroup(kDistributionGroup, "distribution", this);
    distribution_->AddAll(kDistributionRadios);
    auto* stageGains = new QPushButton(Qs(kStageGainsButton), distribution_);
    stageGains->setObjectName("stageGainsButton");
    connect(stageGains, &QPushButton::clicked, this, &CHpLpDlg::EnterStageGains);
    distribution_->Add("", stageGains);
    return distribution_;
}

void CHpLpDlg::ShowSpecification() {
    const HpLpInput in = HpLpInputFrom(session_.Filter(), structure_);
    characteristic_->SetIndex(static_cast<int>(in.characteristic));
    ShowNumber(ripple_, RippleText(in.rippleDb), in.rippleDb);
    if (order_ != nullptr) {
        order_->setText(Qs(FormatInt(in.order)));
    }
    ShowNumber(frequency_, NumberFieldText(in.frequency), in.frequency);
    ShowNumber(impedance_, NumberFieldText(in.impedance), in.impedance);
    gain_->SetGainDb(in.gainDb);
    series_->SetIndex(static_cast<int>(in.series));
    if (!ThirdOrder()) {
        sequence_->SetIndex(static_cast<int>(in.sequence));
        distribution_->SetIndex(static_cast<int>(in.distribution));
        capacitors_->SetIndex(static_cast<int>(in.capacitorMode));
    } else {
        equalCapacitors_->setChecked(in.equalCapacitors);
    }
    search_->Show(in.search);
}

HpLpInput CHpLpDlg::ReadFields() const {
    HpLpInput in = HpLpInputFrom(session_.Filter(), structure_);
    in.characteristic = static_cast<Characteristic>(characteristic_->Index());
    in.rippleDb = ReadNumber(ripple_);
    if (order_ != nullptr) {
        in.order = static_cast<int>(ParseInt(Std(order_->text())));
    }
    in.frequency = ReadNumber(frequency_);
    in.impedance = ReadNumber(impedance_);
    in.gainDb = gain_->GainDb();
    in.series = static_cast<ResistorSeries>(series_->Index());
    if (!ThirdOrder()) {
        in.sequence = static_cast<StageSequence>(sequence_->Index());
        in.distribution = static_cast<GainDistribution>(distribution_->Index());
        in.capacitorMode = static_cast<CapacitorMode>(capacitors_->Index());
    } else {
        in.equalCapacitors = equalCapacitors_->isChecked();
    }
    in.opAmp = opAmps_->currentRow();
    in.search = search_->Read();
    return in;
}

void CHpLpDlg::UpdateEnabled() {
    const int chosen = characteristic_->Index();
    ripple_->setEnabled(chosen == static_cast<int>(Characteristic::CHEBYCHEV));
    if (poleParameters_ != nullptr) {
        poleParameters_->setEnabled(chosen == static_cast<int>(Characteristic::INDIVIDUAL));
    }
}

void CHpLpDlg::EnterPoleParameters() {
    CPolparameterDlg dialog(session_.Character(), this);
    dialog.exec();
}

void CHpLpDlg::EnterStageGains() {
    distribution_->SetIndex(static_cast<int>(GainDistribution::VALUES));
    CGainDlg dialog(session_.Filter(), this);
    if (dialog.exec() == QDialog::Accepted) {
        const int order = static_cast<int>(ParseInt(Std(order_->text())));
        gain_->SetGainDb(StageGainProductDb(session_.Filter().Specification().stageGain, order));
    }
}

void CHpLpDlg::accept() {
    Conclude(
        AcceptHpLpInput(ReadFields(), type_, structure_, session_.Filter(), session_.Character()));
}

}  // namespace vx
