#include "dialogs/freq_mark_dlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "dialogs/dialog_parts.h"
#include "plot/graph_option_texts.h"
#include "qt/qt_text.h"
#include "session/design_session.h"

namespace vx {

CFreqMarkDlg::CFreqMarkDlg(CDesignSession& session, QWidget* parent)
    : CMarkDlg(MarkKind::FREQUENCY, kFrequencyMarksTitle, kFrequencyMarkColumn, parent),
      session_(session) {
    setObjectName("freqMarkDlg");
    Grid()->addWidget(TextLabel(kFrequencyMarkLevelColumn, this), 0, 2);
    const auto fields = FrequencyMarkFields(session.Filter());
    for (int i = 0; i < kFrequencyMarks; ++i) {
        AddRow(i, fields[static_cast<size_t>(i)]);
        auto* level = new QLabel(this);
        level->setObjectName(QString("markLevel%1").arg(i));
        // Room for "-123.45 dB" before any level is known.
        level->setMinimumWidth(level->fontMetrics().horizontalAdvance("-1234.56 dB"));
        Grid()->addWidget(level, i + 1, 2);
        levels_.push_back(level);
        connect(Edit(i), &QLineEdit::editingFinished, this, [this, i] { ShowLevel(i); });
        ShowLevel(i);
    }
    Finish();
}

void CFreqMarkDlg::ShowLevel(int index) {
    const std::string text =
        Checked(index) ? FrequencyMarkLevelText(session_, Std(Edit(index)->text())) : "";
    levels_[static_cast<size_t>(index)]->setText(Qs(text));
}

void CFreqMarkDlg::RowToggled(int index) {
    ShowLevel(index);
}

void CFreqMarkDlg::Apply() {
    ApplyFrequencyMarks(session_.Filter(), RowFields<kFrequencyMarks>());
}

}  // namespace vx
