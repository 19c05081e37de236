#include "dialogs/freq_ber_dlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_parts.h"
#include "plot/graph_option_texts.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"

namespace vx {

CFreqBerDlg::CFreqBerDlg(CFilter& filter, QWidget* parent)
    : QDialog(parent),
      filter_(filter),
      form_(filter),
      startFactor_(NumberEdit("startFactorEdit", this)),
      endFactor_(NumberEdit("endFactorEdit", this)),
      startHz_(NumberEdit("startHzEdit", this)),
      endHz_(NumberEdit("endHzEdit", this)) {
    setObjectName("freqBerDlg");
    setWindowTitle(Qs(kRangeTitle));
    auto* group = new QGroupBox(Qs(kRangeGroup), this);
    auto* grid = new QGridLayout(group);
    auto addRow = [&](int row, const QString& label, const QString& reference, QLineEdit* edit,
                      const QString& hint) {
        grid->addWidget(new QLabel(label, group), row, 0);
        grid->addWidget(new QLabel(reference, group), row, 1);
        grid->addWidget(edit, row, 2);
        grid->addWidget(new QLabel(hint, group), row, 3);
    };
    const QString reference = Qs(form_.ReferenceLabel());
    addRow(0, Qs(kRangeStartFactorLabel), reference, startFactor_, Qs(kRangeStartFactorHint));
    addRow(1, Qs(kRangeEndFactorLabel), reference, endFactor_, Qs(kRangeEndFactorHint));
    grid->addWidget(new QLabel(Qs(kRangeOr), group), 2, 0);
    addRow(3, Qs(kRangeStartHzLabel), QString(), startHz_, Qs(form_.StartHzHint()));
    addRow(4, Qs(kRangeEndHzLabel), QString(), endHz_, Qs(form_.EndHzHint()));
    grid->setRowMinimumHeight(2, 2 * fontMetrics().height());

    // Typing in one field rewrites its partner; the partner's own edit signal stays quiet.
    auto follow = [this](QLineEdit* edit, void (CPlotRangeForm::*edited)(const std::string&)) {
        connect(edit, &QLineEdit::textEdited, this, [this, edited](const QString& text) {
            (form_.*edited)(Std(text));
            ShowFields();
        });
    };
    follow(startFactor_, &CPlotRangeForm::EditStartFactor);
    follow(endFactor_, &CPlotRangeForm::EditEndFactor);
    follow(startHz_, &CPlotRangeForm::EditStartHz);
    follow(endHz_, &CPlotRangeForm::EditEndHz);

    auto* standard = new QPushButton(Qs(kRangeStandardButton), this);
    standard->setObjectName("standardButton");
    connect(standard, &QPushButton::clicked, this, [this] {
        form_.Standard();
        ShowFields();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(standard);
    buttons->addStretch(1);
    buttons->addWidget(OkCancelButtons(this));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    ShowFields();
}

void CFreqBerDlg::ShowFields() {
    // Only the fields whose text differs are set, so that the one being typed in keeps its
    // cursor.
    auto show = [](QLineEdit* edit, const std::string& text) {
        if (edit->text() != Qs(text)) {
            edit->setText(Qs(text));
        }
    };
    show(startFactor_, form_.StartFactor());
    show(endFactor_, form_.EndFactor());
    show(startHz_, form_.StartHz());
    show(endHz_, form_.EndHz());
}

void CFreqBerDlg::accept() {
    if (const auto refused = form_.Apply(filter_)) {
        ShowMessage(this, *refused);
        return;
    }
    QDialog::accept();
}

}  // namespace vx
