#pragma once

#include <atomic>
#include <cmath>
#include <functional>

namespace vx {

// What the workers of one parallel search share: the smallest error any of them has found (a
// bound for pruning), the number of candidates done (for the progress) and the stop request.
class CSearchBlocks {
  public:
    // Candidates between two looks at the stop flag and updates of the progress count.
    static constexpr long long kCheckInterval = 256;

    // Runs `runBlock(b)` for b = 0 .. blockCount-1 on `threads` worker threads, the blocks
    // handed out in order. Meanwhile the calling thread calls `poll()` every 25 ms; when it
    // returns true the workers are asked to stop. Returns after every worker has ended; an
    // exception thrown by a block is rethrown here.
    void Run(int threads, long long blockCount, const std::function<void(long long)>& runBlock,
             const std::function<bool()>& poll);

    // Lowers the shared bound to `error` when that is smaller.
    void Offer(double error) {
        double current = best_.load(std::memory_order_relaxed);
        while (error < current &&
               !best_.compare_exchange_weak(current, error, std::memory_order_relaxed)) {
        }
    }
    // The bound a candidate must not exceed: the block's own best, or a smaller one found
    // elsewhere. A stale value only prunes less.
    double Bound(double localBest) const {
        const double shared = best_.load(std::memory_order_relaxed);
        return shared < localBest ? shared : localBest;
    }
    void AddDone(long long count) { done_.fetch_add(count, std::memory_order_relaxed); }
    long long Done() const { return done_.load(std::memory_order_relaxed); }
    bool StopRequested() const { return stop_.load(std::memory_order_relaxed); }

  private:
    std::atomic<double> best_{INFINITY};
    std::atomic<long long> done_{0};
    std::atomic<bool> stop_{false};
};

}  // namespace vx
