#pragma once

#include <atomic>
#include <functional>

namespace vx {

// Work split into numbered blocks, run on several threads while the calling thread keeps the
// front end informed.
class CParallelBlocks {
  public:
    // How often the calling thread reports and looks for a cancel.
    static constexpr int kPollMilliseconds = 25;

    // Runs `runBlock(worker, block)` for block = 0 .. blockCount-1 on `threads` worker threads
    // (worker 0 .. threads-1), the blocks handed out in order. Meanwhile the calling thread calls
    // `poll()` every kPollMilliseconds; once it returns true no further block starts, and a
    // block may end early by looking at StopRequested(). Returns after every worker has ended:
    // true when `poll` asked to stop. An exception thrown by a block stops the others and is
    // rethrown here.
    bool Run(int threads, long long blockCount,
             const std::function<void(int worker, long long block)>& runBlock,
             const std::function<bool()>& poll);

    bool StopRequested() const { return stop_.load(std::memory_order_relaxed); }

    // The threads to use when `asked` are asked for: 0 takes one per core.
    static int ThreadCount(int asked);

  private:
    std::atomic<bool> stop_{false};
};

}  // namespace vx
