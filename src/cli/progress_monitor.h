#pragma once

#include <functional>
#include <string>

#include "structures/design_monitor.h"

namespace vx::cli {

// Shows the progress on one line of standard error (by default the stage, the search round and
// the percentage); silent when standard error is not a terminal.
class ProgressMonitor final : public DesignMonitor {
  public:
    using LineText = std::function<std::string(const DesignProgress&)>;

    explicit ProgressMonitor(bool enabled, LineText lineText = {});
    ~ProgressMonitor() override;
    ProgressMonitor(const ProgressMonitor&) = delete;
    ProgressMonitor& operator=(const ProgressMonitor&) = delete;

    void Report(const DesignProgress& progress) override;
    bool CancelRequested() override { return false; }

  private:
    bool enabled_;
    LineText lineText_;
    bool shown_ = false;
    DesignProgress last_{-1, -1, -1};
};

}  // namespace vx::cli
