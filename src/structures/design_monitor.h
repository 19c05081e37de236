#pragma once

// What a running design tells the front end, and how the front end stops it. A design may run
// on a worker thread: implementations must be safe to call from any thread.
namespace vx {

struct DesignProgress {
    int stage = 0;       // 0-based index of the stage being designed
    int retry = 0;       // additional search rounds of this stage so far
    int percent = 0;     // progress of the current search, 0..100
    int stageCount = 0;  // stages of the design; 0 before the first stage is prepared
};

class DesignMonitor {
  public:
    virtual ~DesignMonitor() = default;
    virtual void Report(const DesignProgress& progress) = 0;
    virtual bool CancelRequested() = 0;
};

// For designs nobody watches.
class SilentMonitor final : public DesignMonitor {
  public:
    void Report(const DesignProgress&) override {}
    bool CancelRequested() override { return false; }
};

}  // namespace vx
