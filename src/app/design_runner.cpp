#include "app/design_runner.h"

#include <QMetaObject>
#include <atomic>
#include <exception>
#include <thread>
#include <utility>

#include "app/relayed_capacitor_prompt.h"
#include "dialogs/progress_dlg.h"

namespace vx {

namespace {

// Progress and cancel shared by the worker (and its search threads) and the window thread.
class SharedMonitor final : public DesignMonitor {
  public:
    void Report(const DesignProgress& p) override {
        stage_ = p.stage;
        retry_ = p.retry;
        percent_ = p.percent;
        stageCount_ = p.stageCount;
    }
    bool CancelRequested() override { return cancel_; }

    DesignProgress Progress() const { return {stage_, retry_, percent_, stageCount_}; }
    void Cancel() { cancel_ = true; }

  private:
    std::atomic<int> stage_{0};
    std::atomic<int> retry_{0};
    std::atomic<int> percent_{0};
    std::atomic<int> stageCount_{0};
    std::atomic<bool> cancel_{false};
};

std::string Describe(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return {};
    }
}

}  // namespace

std::optional<std::string> CDesignRunner::Run(const Job& job) {
    return RunJob(job, nullptr, {});
}

std::optional<std::string> CDesignRunner::RunAnalysis(
    const Job& job, const char* title, std::function<std::string(int percent)> line) {
    return RunJob(job, title, std::move(line));
}

std::optional<std::string> CDesignRunner::RunJob(
    const Job& job, const char* title, std::function<std::string(int percent)> analysisLine) {
    SharedMonitor monitor;
    CProgressDlg dialog([&monitor] { return monitor.Progress(); }, window_);
    const bool tellHook = runningHook_ && !analysisLine;
    if (analysisLine) {
        dialog.ShowAsAnalysis(title, std::move(analysisLine));
    }
    QObject::connect(&dialog, &CProgressDlg::cancelRequested, &dialog,
                     [&monitor] { monitor.Cancel(); });
    CRelayedCapacitorPrompt relay(&dialog, prompt_);

    running_ = true;
    if (tellHook) {
        runningHook_(true);
    }
    std::exception_ptr failure;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        try {
            job(monitor, relay);
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
        QMetaObject::invokeMethod(
            &dialog, [&dialog] { dialog.done(QDialog::Accepted); }, Qt::QueuedConnection);
    });
    // Only the worker's end closes the dialog; should anything else end its loop, it goes on,
    // since the worker may be waiting for an answer on this thread.
    while (!finished) {
        dialog.exec();
    }
    worker.join();
    running_ = false;
    if (tellHook) {
        runningHook_(false);
    }
    if (failure) {
        return Describe(failure);
    }
    return std::nullopt;
}

}  // namespace vx
