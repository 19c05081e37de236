#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "structures/parallel_blocks.h"
#include "structures/search_options.h"

namespace vx {

// What a search tells the design it runs for, and how it learns of a cancel.
class SearchHost {
  public:
    virtual void SetProgress(long long done, long long total) = 0;
    // Hands the progress to the front end; true once the design has been cancelled.
    virtual bool PumpMessages() = 0;

  protected:
    ~SearchHost() = default;
};

// The search over standard values: steps through every combination of the axes in order (axis
// 0 outermost, the last axis fastest). `evaluate(indices, bound)` gives a candidate's error, or
// infinity when the candidate cannot be built; it may stop early and return any value above
// `bound`, which then cannot win. Only a strictly smaller error than the best so far wins, so of
// equal candidates the first stays. Reports progress, pumps messages and returns soon after a
// cancel.
//
// By default the candidates are split into contiguous blocks of that order, searched on several
// threads with pruning, and the block winners are compared by error, then position: the first
// candidate with the smallest error wins, as in the straightforward search, which stays
// selectable through the search options.
class CGridSearch {
  public:
    // Candidates between two looks at the stop request and updates of the progress count.
    static constexpr long long kCheckInterval = 256;

    CGridSearch(const SearchOptions& options, SearchHost& host) : options_(options), host_(host) {}

    // Returns whether a candidate beat `bestError`; its indices are then in `best` and its error
    // in `bestError`.
    template <size_t D, class Evaluate>
    bool Run(const std::array<int, D>& sizes, Evaluate&& evaluate, double& bestError,
             std::array<int, D>& best);

  private:
    // Every candidate in order on the calling thread, pumping every 20.
    template <size_t D, class Evaluate>
    bool RunInOrder(const std::array<int, D>& sizes, long long total, Evaluate& evaluate,
                    double& bestError, std::array<int, D>& best);
    // Lowers the shared bound to `error` when that is smaller.
    void Offer(double error) {
        double current = bound_.load(std::memory_order_relaxed);
        while (error < current &&
               !bound_.compare_exchange_weak(current, error, std::memory_order_relaxed)) {
        }
    }
    // The bound a candidate must not exceed: the block's own best, or a smaller one found
    // elsewhere. A stale value only prunes less.
    double Bound(double localBest) const {
        const double shared = bound_.load(std::memory_order_relaxed);
        return shared < localBest ? shared : localBest;
    }

    const SearchOptions& options_;
    SearchHost& host_;
    bool cancelled_ = false;
    // Shared by the workers of one run.
    std::atomic<double> bound_{INFINITY};
    std::atomic<long long> done_{0};
    CParallelBlocks blocks_;
};

template <size_t D, class Evaluate>
bool CGridSearch::RunInOrder(const std::array<int, D>& sizes, long long total, Evaluate& evaluate,
                             double& bestError, std::array<int, D>& best) {
    bool improved = false;
    std::array<int, D> index{};
    for (long long count = 0; count < total; ++count) {
        const double error = evaluate(std::as_const(index), INFINITY);
        if (error < bestError) {
            bestError = error;
            best = index;
            improved = true;
        }
        for (size_t d = D; d-- > 0;) {
            if (++index[d] < sizes[d]) {
                break;
            }
            index[d] = 0;
        }
        if ((count + 1) % 20 == 0) {
            host_.SetProgress(count + 1, total);
            if (host_.PumpMessages()) {
                return improved;
            }
        }
    }
    host_.SetProgress(total, total);
    host_.PumpMessages();
    return improved;
}

template <size_t D, class Evaluate>
bool CGridSearch::Run(const std::array<int, D>& sizes, Evaluate&& evaluate, double& bestError,
                      std::array<int, D>& best) {
    long long total = 1;
    for (int size : sizes) {
        total *= size;
    }
    if (total <= 0) {
        return false;
    }
    if (options_.IsStraightforward()) {
        return RunInOrder(sizes, total, evaluate, bestError, best);
    }
    // Small searches run on the calling thread; starting threads would cost more.
    constexpr long long kSmallSearch = 4096;
    constexpr long long kBlocksPerThread = 16;
    const int threads = total <= kSmallSearch ? 1 : CParallelBlocks::ThreadCount(options_.threads);
    const long long blockCount =
        std::clamp(total / kCheckInterval, 1LL, threads * kBlocksPerThread);
    struct Winner {
        double error;
        long long position;  // -1: nothing in the block beat the start
    };
    std::vector<Winner> winners(static_cast<size_t>(blockCount), Winner{0.0, -1});
    const double startError = bestError;
    const bool pruning = options_.pruning;

    auto runBlock = [&](long long block) {
        const long long begin = total / blockCount * block + std::min(block, total % blockCount);
        const long long end = begin + total / blockCount + (block < total % blockCount ? 1 : 0);
        std::array<int, D> index{};
        for (long long rest = begin, d = D; d-- > 0;) {
            index[static_cast<size_t>(d)] = static_cast<int>(rest % sizes[static_cast<size_t>(d)]);
            rest /= sizes[static_cast<size_t>(d)];
        }
        double localBest = startError;
        long long localPosition = -1;
        long long pending = 0;
        for (long long position = begin; position < end; ++position) {
            const double bound = pruning ? Bound(localBest) : INFINITY;
            const double error = evaluate(std::as_const(index), bound);
            // A pruned candidate returns a value above the bound and never wins; one whose
            // error equals the bound is summed in full and kept for the comparison by position.
            if (error < localBest && !(error > bound)) {
                localBest = error;
                localPosition = position;
                Offer(error);
            }
            for (size_t d = D; d-- > 0;) {
                if (++index[d] < sizes[d]) {
                    break;
                }
                index[d] = 0;
            }
            if (++pending == kCheckInterval) {
                done_.fetch_add(pending, std::memory_order_relaxed);
                pending = 0;
                if (blocks_.StopRequested()) {
                    break;
                }
            }
        }
        done_.fetch_add(pending, std::memory_order_relaxed);
        winners[static_cast<size_t>(block)] = {localBest, localPosition};
    };

    if (threads == 1 && blockCount == 1) {
        runBlock(0);
    } else {
        // The calling thread reports the progress of the candidates meanwhile.
        cancelled_ = blocks_.Run(
            threads, blockCount, [&](int, long long block) { runBlock(block); },
            [&] {
                host_.SetProgress(done_.load(std::memory_order_relaxed), total);
                return host_.PumpMessages();
            });
    }

    // Blocks in order and a strictly smaller error to replace: of equal errors the first wins.
    long long winner = -1;
    for (const Winner& w : winners) {
        if (w.position >= 0 && (winner < 0 || w.error < bestError)) {
            bestError = w.error;
            winner = w.position;
        }
    }
    if (winner >= 0) {
        for (size_t d = D; d-- > 0;) {
            best[d] = static_cast<int>(winner % sizes[d]);
            winner /= sizes[d];
        }
    }
    const bool improved = bestError < startError;
    if (cancelled_) {
        return improved;
    }
    host_.SetProgress(total, total);
    host_.PumpMessages();
    return improved;
}

}  // namespace vx
