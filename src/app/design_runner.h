#pragma once

#include <functional>
#include <optional>
#include <string>

#include "structures/capacitors/capacitor_prompt.h"
#include "structures/design_monitor.h"

class QWidget;

namespace vx {

// Runs a design on a worker thread behind the modal progress dialog, so that the window stays
// alive: progress and cancel go through the design monitor, capacitor questions come to the
// window thread and block the worker until they are answered.
class CDesignRunner {
  public:
    using Job = std::function<void(DesignMonitor& monitor, CapacitorPrompt& prompt)>;

    // `prompt` answers the questions on the window thread.
    CDesignRunner(QWidget* window, CapacitorPrompt& prompt) : window_(window), prompt_(prompt) {}

    // Told before the worker starts (true) and after it has ended (false): meanwhile the
    // window must not read what the design writes.
    void SetRunningHook(std::function<void(bool)> hook) { runningHook_ = std::move(hook); }

    // Returns when the job has ended; the text of an exception it threw comes back.
    std::optional<std::string> Run(const Job& job);
    // A job that only reads the design, an analysis: the progress dialog shows `title` and
    // `line` of the percentage, and the running hook is not told, so that the window goes on
    // showing the design.
    std::optional<std::string> RunAnalysis(const Job& job, const char* title,
                                           std::function<std::string(int percent)> line);
    bool Running() const { return running_; }

  private:
    // With an `analysisLine`, as RunAnalysis; with an empty one, as Run.
    std::optional<std::string> RunJob(const Job& job, const char* title,
                                      std::function<std::string(int percent)> analysisLine);

    QWidget* window_;
    CapacitorPrompt& prompt_;
    std::function<void(bool)> runningHook_;
    bool running_ = false;
};

}  // namespace vx
