#include "dialogs/br_tt_dlg.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "dialogs/dialog_parts.h"
#include "dialogs/radio_group.h"
#include "model/gain_fields.h"
#include "model/input_dialog_texts.h"
#include "qt/qt_text.h"
#include "session/design_session.h"

namespace vx {

namespace {

// E12 is not offered: the radios start at E24.
constexpr int kFirstSeries = static_cast<int>(ResistorSeries::E24);

}  // namespace

CBrTtDlg::CBrTtDlg(CDesignSession& session, QWidget* parent)
    : CInputDlg(session, parent),
      frequency_(NumberEdit("frequencyEdit", this)),
      quality_(NumberEdit("qualityEdit", this)),
      impedance_(NumberEdit("impedanceEdit", this)),
      gain_(new QLabel(this)) {
    setObjectName("brTtDlg");
    setWindowTitle(Qs(kBrTtDialogTitle));
    const BrTtInput in = BrTtInputFrom(session.Filter());
    gain_->setObjectName("bandStopGainText");

    auto* left = new QVBoxLayout;
    auto* fields = new QGroupBox(this);
    auto* form = new QFormLayout(fields);
    form->addRow(Qs(kCentreLabel), frequency_);
    form->addRow(Qs(kQualityLabel), quality_);
    form->addRow(Qs(kImpedanceLabel), impedance_);
    form->addRow(TextLabel(kBandStopGainNote, fields));
    form->addRow(TextLabel(kBandStopGainFormula, fields));
    form->addRow(Qs(kGainLinearLabel), gain_);
    left->addWidget(fields);
    opAmps_ = AddOpAmpGroup(left, session.OpAmps(), in.opAmp, this);

    auto* right = new QVBoxLayout;
    series_ = AddGroup(right, kSeriesGroup, "series", std::array<const char*, 0>{});
    for (size_t k = kFirstSeries; k < kSeriesRadios.size(); ++k) {
        series_->Add(kSeriesRadios[k]);
    }
    capacitors_ = AddGroup(right, kCapacitorGroup, "capacitor", kCapacitorRadios);
    Arrange(left, right);
    MarkField(BrTtField::IMPEDANCE, impedance_);
    MarkField(BrTtField::QUALITY, quality_);
    MarkField(BrTtField::FREQUENCY, frequency_);

    ShowNumber(frequency_, NumberFieldText(in.frequency), in.frequency);
    ShowNumber(quality_, NumberFieldText(in.quality), in.quality);
    ShowNumber(impedance_, NumberFieldText(in.impedance), in.impedance);
    series_->SetIndex(static_cast<int>(in.series) - kFirstSeries);
    capacitors_->SetIndex(static_cast<int>(in.capacitorMode));
    auto showGain = [this] { gain_->setText(Qs(BandStopGainText(ReadNumber(quality_)))); };
    connect(quality_, &QLineEdit::textChanged, this, showGain);
    showGain();
}

BrTtInput CBrTtDlg::ReadFields() const {
    BrTtInput in;
    in.frequency = ReadNumber(frequency_);
    in.quality = ReadNumber(quality_);
    in.impedance = ReadNumber(impedance_);
    in.series = static_cast<ResistorSeries>(series_->Index() + kFirstSeries);
    in.capacitorMode = static_cast<CapacitorMode>(capacitors_->Index());
    in.opAmp = opAmps_->currentRow();
    return in;
}

void CBrTtDlg::accept() {
    Conclude(AcceptBrTtInput(ReadFields(), session_.Filter()));
}

}  // namespace vx
