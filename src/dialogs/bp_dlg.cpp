#include "dialogs/bp_dlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_parts.h"
#include "dialogs/edit_bp_freqs_dlg.h"
#include "dialogs/gain_field_pair.h"
#include "dialogs/radio_group.h"
#include "dialogs/search_group.h"
#include "model/gain_fields.h"
#include "model/input_dialog_texts.h"
#include "model/number_format.h"
#include "qt/qt_text.h"
#include "session/design_session.h"

namespace vx {

CBpDlg::CBpDlg(CDesignSession& session, QWidget* parent) : CInputDlg(session, parent) {
    setObjectName("bpDlg");
    setWindowTitle(Qs(kBpDialogTitle));
    const BpInput in = BpInputFrom(session.Filter());

    auto* left = new QVBoxLayout;
    left->addWidget(MakeFieldsGroup());
    left->addWidget(MakeCharacteristicGroup());
    opAmps_ = AddOpAmpGroup(left, session.OpAmps(), in.opAmp, this);

    auto* right = new QVBoxLayout;
    sequence_ = AddGroup(right, kSequenceGroupBp, "sequence", kSequenceRadios);
    series_ = AddGroup(right, kSeriesGroup, "series", kSeriesRadios);
    steplessR2_ = new QCheckBox(Qs(kSteplessR2Check), series_);
    steplessR2_->setObjectName("steplessR2Check");
    series_->Layout()->addWidget(steplessR2_);
    distribution_ = AddGroup(right, kDistributionGroup, "distribution", kDistributionRadios);
    capacitors_ = AddGroup(right, kCapacitorGroup, "capacitor", kCapacitorRadios);
    search_ = new CSearchGroup(this);
    right->addWidget(search_);
    Arrange(left, right);
    MarkField(BpField::IMPEDANCE, impedance_);
    MarkField(BpField::FREQUENCY, frequency_);
    MarkField(BpField::GAIN_DB, [this]() -> QWidget* { return gain_->RefusedField(); });
    MarkField(BpField::BANDWIDTH, bandwidth_);
    MarkField(BpField::ORDER, order_);
    MarkField(BpField::RIPPLE, ripple_);
    MarkField(BpField::IMPEDANCE_WINDOW, search_->WindowField());

    order_->setText(Qs(FormatInt(in.order)));
    ShowNumber(frequency_, NumberFieldText(in.frequency), in.frequency);
    ShowNumber(bandwidth_, NumberFieldText(in.bandwidth), in.bandwidth);
    gain_->SetGainDb(in.gainDb);
    ShowNumber(impedance_, NumberFieldText(in.impedance), in.impedance);
    characteristic_->SetIndex(static_cast<int>(in.characteristic));
    ShowNumber(ripple_, RippleText(in.rippleDb), in.rippleDb);
    sequence_->SetIndex(static_cast<int>(in.sequence));
    series_->SetIndex(static_cast<int>(in.series));
    steplessR2_->setChecked(in.steplessR2);
    distribution_->SetIndex(static_cast<int>(in.distribution));
    capacitors_->SetIndex(static_cast<int>(in.capacitorMode));
    search_->Show(in.search);

    auto updateRipple = [this] {
        ripple_->setEnabled(characteristic_->Index() ==
                            static_cast<int>(Characteristic::CHEBYCHEV));
    };
    connect(characteristic_, &CRadioGroup::indexChanged, this, updateRipple);
    updateRipple();
}

QWidget* CBpDlg::MakeFieldsGroup() {
    auto* group = new QGroupBox(this);
    auto* form = new QFormLayout(group);
    order_ = NumberEdit("orderEdit", group);
    form->addRow(Qs(kOrderLabelBp), order_);
    frequency_ = NumberEdit("frequencyEdit", group);
    form->addRow(Qs(kCentreLabel), frequency_);
    bandwidth_ = NumberEdit("bandwidthEdit", group);
    form->addRow(Qs(kBandwidthLabel), bandwidth_);
    auto* edges = new QPushButton(Qs(kBandEdgesButton), group);
    edges->setObjectName("bandEdgesButton");
    connect(edges, &QPushButton::clicked, this, &CBpDlg::EnterBandEdges);
    form->addRow(QString(), edges);
    gain_ = new CGainFieldPair(group);
    form->addRow(Qs(kGainLinearLabel), gain_->LinearEdit());
    form->addRow(Qs(kGainDbLabel), gain_->DbEdit());
    impedance_ = NumberEdit("impedanceEdit", group);
    form->addRow(Qs(kInputImpedanceLabel), impedance_);
    return group;
}

QWidget* CBpDlg::MakeCharacteristicGroup() {
    characteristic_ = new CRadioGroup(kCharacteristicGroupBp, "characteristic", this);
    // The band-pass has no individual pole data.
    for (size_t k = 0; k + 1 < kCharacteristicRadios.size(); ++k) {
        characteristic_->Add(kCharacteristicRadios[k]);
    }
    ripple_ = AddRippleRow(characteristic_);
    return characteristic_;
}

BpInput CBpDlg::ReadFields() const {
    BpInput in;
    in.order = static_cast<int>(ParseInt(Std(order_->text())));
    in.frequency = ReadNumber(frequency_);
    in.bandwidth = ReadNumber(bandwidth_);
    in.gainDb = gain_->GainDb();
    in.impedance = ReadNumber(impedance_);
    in.characteristic = static_cast<Characteristic>(characteristic_->Index());
    in.rippleDb = ReadNumber(ripple_);
    in.sequence = static_cast<StageSequence>(sequence_->Index());
    in.series = static_cast<ResistorSeries>(series_->Index());
    in.steplessR2 = steplessR2_->isChecked();
    in.distribution = static_cast<GainDistribution>(distribution_->Index());
    in.capacitorMode = static_cast<CapacitorMode>(capacitors_->Index());
    in.opAmp = opAmps_->currentRow();
    in.search = search_->Read();
    return in;
}

void CBpDlg::EnterBandEdges() {
    // The fields keep the exact centre and bandwidth behind their four digits, so that the
    // edges come back as they were entered.
    CEditBpFreqsDlg dialog(ReadNumber(frequency_), ReadNumber(bandwidth_), this);
    if (dialog.exec() == QDialog::Accepted) {
        const CentreAndBandwidth& result = dialog.Result();
        ShowNumber(frequency_, NumberFieldText(result.centre), result.centre);
        ShowNumber(bandwidth_, NumberFieldText(result.bandwidth), result.bandwidth);
    }
}

void CBpDlg::accept() {
    Conclude(AcceptBpInput(ReadFields(), session_.Filter(), session_.Character()));
}

}  // namespace vx
