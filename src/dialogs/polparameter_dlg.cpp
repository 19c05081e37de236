#include "dialogs/polparameter_dlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/dialog_parts.h"
#include "model/input_dialog_texts.h"
#include "model/number_text.h"
#include "model/pole_input.h"
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
        frequency_[i]->setText(Qs(PoleValueText(character.individualFrequency[i])));
        quality_[i]->setText(Qs(PoleValueText(character.individualQ[i])));
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
    for (size_t i = 0; i < frequency_.size(); ++i) {
        character_.individualFrequency[i] = ParseValue(Std(frequency_[i]->text()));
        character_.individualQ[i] = ParseValue(Std(quality_[i]->text()));
    }
    QDialog::accept();
}

}  // namespace vx
