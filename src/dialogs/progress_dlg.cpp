#include "dialogs/progress_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "qt/qt_text.h"
#include "shell/shell_messages.h"

namespace vx {

namespace {

// Often enough to look live, rarely enough to cost the search nothing.
constexpr int kPollMilliseconds = 100;

}  // namespace

CProgressDlg::CProgressDlg(std::function<DesignProgress()> poll, QWidget* parent)
    : QDialog(parent),
      poll_(std::move(poll)),
      stage_(new QLabel(this)),
      retry_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton(Qs(kCancelButton), this)),
      timer_(new QTimer(this)) {
    setObjectName("progressDlg");
    setWindowTitle(Qs(kProgressTitle));
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    stage_->setObjectName("stageText");
    retry_->setObjectName("retryText");
    bar_->setObjectName("progressBar");
    bar_->setRange(0, 100);
    cancel_->setObjectName("cancelButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stage_);
    layout->addWidget(retry_);
    layout->addWidget(bar_);
    layout->addLayout(buttons);
    // Room for the longest texts, so that the dialog does not grow while it runs.
    stage_->setMinimumWidth(fontMetrics().horizontalAdvance(Qs(ProgressRetryText(5))) + 40);
    retry_->setMinimumHeight(fontMetrics().height());
    connect(cancel_, &QPushButton::clicked, this, &CProgressDlg::reject);
    connect(timer_, &QTimer::timeout, this, &CProgressDlg::Update);
    timer_->start(kPollMilliseconds);
    Update();
}

void CProgressDlg::ShowAsAnalysis(const char* title, std::function<std::string(int percent)> line) {
    setWindowTitle(Qs(title));
    analysisLine_ = std::move(line);
    Update();
}

void CProgressDlg::Update() {
    const DesignProgress p = poll_();
    if (analysisLine_) {
        stage_->setText(Qs(analysisLine_(p.percent)));
        retry_->clear();
    } else {
        stage_->setText(Qs(ProgressStageText(p.stage, p.stageCount)));
        retry_->setText(Qs(ProgressRetryText(p.retry)));
    }
    bar_->setValue(p.percent);
}

void CProgressDlg::reject() {
    cancel_->setEnabled(false);
    emit cancelRequested();
}

}  // namespace vx
