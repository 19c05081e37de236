#include "dialogs/radio_group.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "qt/qt_text.h"

namespace vx {

CRadioGroup::CRadioGroup(const char* title, const QString& name, QWidget* parent)
    : QGroupBox(Qs(title), parent),
      name_(name),
      group_(new QButtonGroup(this)),
      layout_(new QVBoxLayout(this)) {
    setObjectName(name + "Group");
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) {
            emit indexChanged(id);
        }
    });
}

QRadioButton* CRadioGroup::Add(const char* text, QWidget* beside) {
    auto* button = new QRadioButton(Qs(text), this);
    const int index = static_cast<int>(buttons_.size());
    button->setObjectName(name_ + "Radio" + QString::number(index));
    group_->addButton(button, index);
    if (beside != nullptr) {
        auto* row = new QHBoxLayout;
        row->addWidget(button);
        row->addWidget(beside, 1);
        layout_->addLayout(row);
    } else {
        layout_->addWidget(button);
    }
    buttons_.push_back(button);
    return button;
}

int CRadioGroup::Index() const {
    return group_->checkedId();
}

void CRadioGroup::SetIndex(int index) {
    if (QRadioButton* button = Button(index)) {
        button->setChecked(true);
    }
}

QRadioButton* CRadioGroup::Button(int index) const {
    return index >= 0 && index < static_cast<int>(buttons_.size())
               ? buttons_[static_cast<size_t>(index)]
               : nullptr;
}

}  // namespace vx
