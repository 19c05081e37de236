#pragma once

#include "structures/design_monitor.h"

namespace vx::cli {

// Shows the stage, the search round and the percentage on one line of standard error; silent
// when standard error is not a terminal.
class ProgressMonitor final : public DesignMonitor {
  public:
    explicit ProgressMonitor(bool enabled);
    ~ProgressMonitor() override;
    ProgressMonitor(const ProgressMonitor&) = delete;
    ProgressMonitor& operator=(const ProgressMonitor&) = delete;

    void Report(const DesignProgress& progress) override;
    bool CancelRequested() override { return false; }

  private:
    bool enabled_;
    bool shown_ = false;
    DesignProgress last_{-1, -1, -1};
};

}  // namespace vx::cli
