#include "dialogs/polparameter_dlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/dialog_parts.h"
#include "model/input_dialog_texts.h"
#include "model/pole_input.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"

namespace vx {

CPolparameterDlg::CPolparameterDlg(CCharacter& character, QWidget* parent)
    : QDialog(parent), character_(character) {
    setObjectName("polparameterDlg");
    setWindowTitle(Qs(kPoleDialogTitle));
    auto* layout = new QVBoxLayout(this);
    auto* note = TextLabel(kPoleFrequencyNote, this);
    layout->addWidget(note);
    auto* grid = new QGridLayout;
    for (int k = 0; k < kMaxStages; ++k) {
        const auto i = static_cast<size_t>(k);
        frequency_[i] = NumberEdit(QString("poleFrequencyEdit%1").arg(k), this);
        quality_[i] = NumberEdit(QString("poleQualityEdit%1").arg(k), this);
        ShowNumber(frequency_[i], PoleValueText(character.individualFrequency[i]),
                   character.individualFrequency[i]);
        ShowNumber(quality_[i], PoleValueText(character.individualQ[i]), character.individualQ[i]);
        grid->addWidget(new QLabel(Qs(StageRowLabel(k + 1)), this), k, 0);
        grid->addWidget(TextLabel(kPoleFrequencyLabel, this), k, 1);
        grid->addWidget(frequency_[i], k, 2);
        grid->addWidget(TextLabel(kPoleQualityLabel, this), k, 3);
        grid->addWidget(quality_[i], k, 4);
    }
    layout->addLayout(grid);
    layout->addWidget(OkCancelButtons(this));
}

void CPolparameterDlg::accept() {
    PoleRows frequencies{};
    PoleRows qualities{};
    for (size_t i = 0; i < frequency_.size(); ++i) {
        frequencies[i] = ReadNumber(frequency_[i]);
        qualities[i] = ReadNumber(quality_[i]);
    }
    if (const auto error = AcceptPoleRows(frequencies, qualities, character_)) {
        ShowMessage(this, error->message);
        const auto stage = static_cast<size_t>(error->focus.stage);
        (error->focus.quality ? quality_[stage] : frequency_[stage])->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace vx
