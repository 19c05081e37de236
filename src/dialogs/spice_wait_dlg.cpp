#include "dialogs/spice_wait_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/qt_text.h"
#include "shell/shell_messages.h"
#include "spice/spice_messages.h"

namespace vx {

CSpiceWaitDlg::CSpiceWaitDlg(QWidget* parent)
    : QDialog(parent), cancel_(new QPushButton(Qs(kCancelButton), this)) {
    setObjectName("spiceWaitDlg");
    setWindowTitle(Qs(spice_text::kWaitTitle));
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    auto* text = new QLabel(Qs(spice_text::kWaitText), this);
    text->setMinimumWidth(text->sizeHint().width() + 80);
    auto* bar = new QProgressBar(this);
    bar->setRange(0, 0);  // busy: ngspice tells nothing of its progress
    cancel_->setObjectName("cancelButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(bar);
    layout->addLayout(buttons);
    connect(cancel_, &QPushButton::clicked, this, &CSpiceWaitDlg::reject);
}

void CSpiceWaitDlg::reject() {
    cancel_->setEnabled(false);
    emit cancelRequested();
}

}  // namespace vx
