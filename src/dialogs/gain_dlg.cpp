#include "dialogs/gain_dlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/dialog_parts.h"
#include "model/gain_fields.h"
#include "model/input_dialog_texts.h"
#include "model/stage_gain_input.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"

namespace vx {

CGainDlg::CGainDlg(CFilter& filter, QWidget* parent) : QDialog(parent), filter_(filter) {
    setObjectName("gainDlg");
    setWindowTitle(Qs(kGainDialogTitle));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (int k = 0; k < kMaxStages; ++k) {
        QLineEdit*& edit = gains_[static_cast<size_t>(k)];
        edit = NumberEdit(QString("stageGainEdit%1").arg(k), this);
        ShowNumber(edit, LinearGainText(filter.GetStageGain(k)), filter.GetStageGain(k));
        grid->addWidget(new QLabel(Qs(StageRowLabel(k + 1)), this), k, 0);
        grid->addWidget(edit, k, 1);
        grid->addWidget(TextLabel(kStageGainNote, this), k, 2);
    }
    layout->addLayout(grid);
    layout->addWidget(OkCancelButtons(this));
}

void CGainDlg::accept() {
    StageGains gains{};
    for (size_t i = 0; i < gains.size(); ++i) {
        gains[i] = ReadNumber(gains_[i]);
    }
    if (const auto message = AcceptStageGains(gains, filter_)) {
        ShowMessage(this, *message);
        return;
    }
    QDialog::accept();
}

}  // namespace vx
