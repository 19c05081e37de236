#include "dialogs/search_group.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "dialogs/dialog_parts.h"
#include "model/gain_fields.h"
#include "model/input_dialog_texts.h"
#include "qt/qt_text.h"

namespace vx {

CSearchGroup::CSearchGroup(QWidget* parent)
    : QGroupBox(Qs(kSearchGroup), parent),
      exhaustive_(new QRadioButton(Qs(kSearchExhaustiveRadio), this)),
      neighbours_(new QRadioButton(Qs(kSearchNeighboursRadio), this)),
      window_(NumberEdit("impedanceWindow", this)) {
    setObjectName("searchGroup");
    exhaustive_->setObjectName("searchExhaustive");
    neighbours_->setObjectName("searchNeighbours");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(exhaustive_);
    // The window belongs to the exhaustive search: its row sits below that button, indented.
    auto* row = new QHBoxLayout;
    row->addSpacing(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                    style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing));
    row->addWidget(TextLabel(kImpedanceWindowLabel, this));
    row->addWidget(window_);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addWidget(neighbours_);
    connect(exhaustive_, &QRadioButton::toggled, this, &CSearchGroup::UpdateEnabled);
}

void CSearchGroup::Show(const SearchInput& search) {
    (search.method == SearchMethod::EXHAUSTIVE ? exhaustive_ : neighbours_)->setChecked(true);
    ShowNumber(window_, NumberFieldText(search.window), search.window);
    UpdateEnabled();
}

SearchInput CSearchGroup::Read() const {
    return {exhaustive_->isChecked() ? SearchMethod::EXHAUSTIVE : SearchMethod::NEIGHBOURS,
            ReadNumber(window_)};
}

void CSearchGroup::UpdateEnabled() {
    window_->setEnabled(exhaustive_->isChecked());
}

}  // namespace vx
