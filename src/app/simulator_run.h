#pragma once

#include <optional>

#include "spice/ngspice_job.h"
#include "spice/process_runner.h"

class QWidget;

namespace vx {

// Runs the simulator's process without blocking the window thread: the wait dialog with
// "Abbrechen" stays up until the process ends, and a time limit ends a process that hangs.
class CSimulatorRun {
  public:
    explicit CSimulatorRun(QWidget* window) : window_(window) {}

    void SetTimeLimit(int seconds) { limitSeconds_ = seconds; }
    int TimeLimit() const { return limitSeconds_; }

    // How the process ended (timedOut when the limit ended it); nothing when the user cancelled.
    std::optional<ProcessResult> Run(const ProcessRequest& request) const;
    // Starts the process on its own and returns at once; false when it could not be started.
    static bool StartDetached(const ProcessRequest& request);

  private:
    QWidget* window_;
    int limitSeconds_ = kSpiceTimeLimitSeconds;
};

}  // namespace vx
