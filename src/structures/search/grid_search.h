#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "structures/search/parallel_blocks.h"
#include "structures/search/search_options.h"

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

// Half-open range [first, last) of indices along a search's last axis.
struct IndexRange {
    int first;
    int last;
};

// The search over standard values: steps through every combination of the axes in order (axis
// 0 outermost, the last axis fastest). Only a strictly smaller error than the best so far wins,
// so of equal candidates the first stays. Reports progress, pumps messages and returns soon
// after a cancel.
//
// The candidates that differ only in the last axis form a line. `makeLine()` gives an object
// (one per worker) with
//   IndexRange Start(const std::array<int, D>& index, double bound): takes the line through
//     `index` (its last entry is not read) and returns the range of the last axis that may hold
//     a candidate with an error not above `bound`; every candidate outside has a larger error;
//   double Error(int last, double bound): a candidate's error on that line, or infinity when it
//     cannot be built; it may stop early and return any value above `bound`, which then cannot
//     win;
//   optionally static constexpr int kBatch and void Errors(int first, int last, double bound,
//     double* errors): the errors of up to kBatch candidates first .. last-1 of the line, each
//     as Error gives it; a line without them is asked one candidate at a time;
//   optionally long long Skip(): after a Start that kept nothing, how many of the lines that
//     follow in the order of the search are known to keep nothing either.
//
// By default the candidates are split into contiguous blocks of that order, searched on several
// threads with pruning, and the block winners are compared by error, then position: the first
// candidate with the smallest error wins, as in the straightforward search, which stays
// selectable through the search options and asks every candidate with an infinite bound.
class CGridSearch {
  public:
    // Candidates between two looks at the stop request and updates of the progress count.
    static constexpr long long kCheckInterval = 256;

    CGridSearch(const SearchOptions& options, SearchHost& host) : options_(options), host_(host) {}

    // Returns whether a candidate beat `bestError`; its indices are then in `best` and its error
    // in `bestError`.
    template <size_t D, class MakeLine>
    bool RunLines(const std::array<int, D>& sizes, MakeLine&& makeLine, double& bestError,
                  std::array<int, D>& best);

    // The same for `evaluate(indices, bound)`, the error of one candidate (see Error above).
    template <size_t D, class Evaluate>
    bool Run(const std::array<int, D>& sizes, Evaluate&& evaluate, double& bestError,
             std::array<int, D>& best) {
        return RunLines(
            sizes,
            [&] {
                return EveryCandidate<D, Evaluate>{evaluate, sizes[D - 1]};
            },
            bestError, best);
    }

  private:
    // A line without a screen.
    template <size_t D, class Evaluate>
    struct EveryCandidate {
        Evaluate& evaluate;
        int size;
        std::array<int, D> index{};

        IndexRange Start(const std::array<int, D>& i, double) {
            index = i;
            return {0, size};
        }
        double Error(int last, double bound) {
            index[D - 1] = last;
            return evaluate(std::as_const(index), bound);
        }
    };

    // How many candidates a line gives at once (see RunLines).
    template <class Line>
    static constexpr int BatchOf() {
        if constexpr (requires { Line::kBatch; }) {
            return Line::kBatch;
        } else {
            return 1;
        }
    }
    // The errors of candidates first .. last-1 of the line, at most BatchOf() of them.
    template <class Line>
    static void Errors(Line& line, int first, int last, double bound, double* errors) {
        if constexpr (requires { line.Errors(first, last, bound, errors); }) {
            line.Errors(first, last, bound, errors);
        } else {
            static_assert(BatchOf<Line>() == 1, "a batch needs Errors");
            errors[0] = line.Error(first, bound);
        }
    }

    // Moves `index` to the start of the next line.
    template <size_t D>
    static void NextLine(const std::array<int, D>& sizes, std::array<int, D>& index) {
        index[D - 1] = 0;
        for (size_t d = D - 1; d-- > 0;) {
            if (++index[d] < sizes[d]) {
                return;
            }
            index[d] = 0;
        }
    }

    // The indices of the candidate at `position` in the order of the search.
    template <size_t D>
    static std::array<int, D> IndexAt(const std::array<int, D>& sizes, long long position) {
        std::array<int, D> index{};
        for (size_t d = D; d-- > 0;) {
            index[d] = static_cast<int>(position % sizes[d]);
            position /= sizes[d];
        }
        return index;
    }

    // A good candidate early: from the middle of every axis (where the searches put their start
    // values), the best candidate along one axis at a time, until a sweep over all axes finds
    // nothing better. Returns the smallest error seen, at most `bound`; every error is one of
    // a candidate of the search, so it bounds the winner's.
    template <size_t D, class Line>
    static double Descend(const std::array<int, D>& sizes, Line& line, double bound);
    // Every candidate in order on the calling thread, pumping every 20.
    template <size_t D, class Line>
    bool RunInOrder(const std::array<int, D>& sizes, long long total, Line& line, double& bestError,
                    std::array<int, D>& best);

    // The best candidate of a block of the search.
    struct Winner {
        double error;
        long long position;  // -1: nothing in the block beat the start
    };
    // Searches the candidates at positions begin .. end-1 with the block's own line; the winner
    // must beat `startError`.
    template <size_t D, class MakeLine>
    Winner RunBlock(const std::array<int, D>& sizes, long long begin, long long end,
                    MakeLine& makeLine, double startError);
    // The position of the winner over the blocks, -1 for none; its error goes to `bestError`.
    // Blocks in order and a strictly smaller error to replace: of equal errors the first wins.
    static long long FirstSmallest(const std::vector<Winner>& winners, double& bestError) {
        long long winner = -1;
        for (const Winner& w : winners) {
            if (w.position >= 0 && (winner < 0 || w.error < bestError)) {
                bestError = w.error;
                winner = w.position;
            }
        }
        return winner;
    }

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

template <size_t D, class Line>
bool CGridSearch::RunInOrder(const std::array<int, D>& sizes, long long total, Line& line,
                             double& bestError, std::array<int, D>& best) {
    bool improved = false;
    std::array<int, D> index{};
    for (long long count = 0; count < total; ++count) {
        if (index[D - 1] == 0) {
            line.Start(std::as_const(index), INFINITY);
        }
        const double error = line.Error(index[D - 1], INFINITY);
        if (error < bestError) {
            bestError = error;
            best = index;
            improved = true;
        }
        if (++index[D - 1] == sizes[D - 1]) {
            NextLine(sizes, index);
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

template <size_t D, class Line>
double CGridSearch::Descend(const std::array<int, D>& sizes, Line& line, double bound) {
    constexpr int kMaxSweeps = 8;
    std::array<int, D> index{};
    for (size_t d = 0; d < D; ++d) {
        index[d] = sizes[d] / 2;
    }
    double best = bound;
    for (int sweep = 0; sweep < kMaxSweeps; ++sweep) {
        bool moved = false;
        for (size_t d = 0; d < D; ++d) {
            std::array<int, D> at = index;
            int bestAt = index[d];
            IndexRange range{0, sizes[D - 1]};
            if (d == D - 1) {
                range = line.Start(std::as_const(at), best);
            }
            for (int i = 0; i < sizes[d]; ++i) {
                at[d] = i;
                if (d != D - 1) {
                    range = line.Start(std::as_const(at), best);
                }
                const int last = at[D - 1];
                if (last < range.first || last >= range.last) {
                    continue;
                }
                const double error = line.Error(last, best);
                if (error < best) {
                    best = error;
                    bestAt = i;
                }
            }
            if (bestAt != index[d]) {
                index[d] = bestAt;
                moved = true;
            }
        }
        if (!moved) {
            break;
        }
    }
    return best;
}

template <size_t D, class MakeLine>
bool CGridSearch::RunLines(const std::array<int, D>& sizes, MakeLine&& makeLine, double& bestError,
                           std::array<int, D>& best) {
    long long total = 1;
    for (int size : sizes) {
        total *= size;
    }
    if (total <= 0) {
        return false;
    }
    if (options_.IsStraightforward()) {
        auto line = makeLine();
        return RunInOrder(sizes, total, line, bestError, best);
    }
    // Small searches run on the calling thread; starting threads would cost more.
    constexpr long long kSmallSearch = 4096;
    constexpr long long kBlocksPerThread = 16;
    const int threads = total <= kSmallSearch ? 1 : CParallelBlocks::ThreadCount(options_.threads);
    const long long blockCount =
        std::clamp(total / kCheckInterval, 1LL, threads * kBlocksPerThread);
    std::vector<Winner> winners(static_cast<size_t>(blockCount), Winner{0.0, -1});
    const double startError = bestError;
    if (options_.pruning) {
        auto line = makeLine();
        Offer(Descend(sizes, line, startError));
    }

    auto runBlock = [&](long long block) {
        const long long begin = total / blockCount * block + std::min(block, total % blockCount);
        const long long end = begin + total / blockCount + (block < total % blockCount ? 1 : 0);
        winners[static_cast<size_t>(block)] = RunBlock(sizes, begin, end, makeLine, startError);
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

    const long long winner = FirstSmallest(winners, bestError);
    if (winner >= 0) {
        best = IndexAt(sizes, winner);
    }
    const bool improved = bestError < startError;
    if (cancelled_) {
        return improved;
    }
    host_.SetProgress(total, total);
    host_.PumpMessages();
    return improved;
}

template <size_t D, class MakeLine>
CGridSearch::Winner CGridSearch::RunBlock(const std::array<int, D>& sizes, long long begin,
                                          long long end, MakeLine& makeLine, double startError) {
    const bool pruning = options_.pruning;
    const int lineSize = sizes[D - 1];
    std::array<int, D> index = IndexAt(sizes, begin);
    auto line = makeLine();
    constexpr int kBatch = BatchOf<decltype(line)>();
    Winner local{startError, -1};
    long long pending = 0;
    for (long long position = begin; position < end;) {
        // The block's part of this line: from index[D - 1] to `to`.
        const int from = index[D - 1];
        const int to = static_cast<int>(std::min<long long>(lineSize, from + (end - position)));
        const long long lineStart = position - from;
        const IndexRange range =
            line.Start(std::as_const(index), pruning ? Bound(local.error) : INFINITY);
        const int stop = std::min(to, range.last);
        for (int i = std::max(from, range.first); i < stop; i += kBatch) {
            const int count = std::min(kBatch, stop - i);
            // One bound for the batch: a bound that has since tightened only prunes less.
            const double bound = pruning ? Bound(local.error) : INFINITY;
            std::array<double, kBatch> errors;
            Errors(line, i, i + count, bound, errors.data());
            for (int j = 0; j < count; ++j) {
                const double error = errors[static_cast<size_t>(j)];
                // A pruned candidate returns a value above the bound and never wins; one whose
                // error equals the bound is summed in full and kept for the comparison by
                // position.
                if (error < local.error && !(error > bound)) {
                    local = {error, lineStart + i + j};
                    Offer(error);
                }
            }
        }
        position += to - from;
        NextLine(sizes, index);
        pending += to - from;
        if constexpr (requires { line.Skip(); }) {
            // A line that holds nothing may know that the lines after it hold nothing either.
            const long long skip = range.first < range.last ? 0 : line.Skip() * lineSize;
            if (skip > 0 && position < end) {
                const long long next = std::min(end, position + skip);
                pending += next - position;
                position = next;
                index = IndexAt(sizes, std::min(position, end - 1));
            }
        }
        if (pending >= kCheckInterval) {
            done_.fetch_add(pending, std::memory_order_relaxed);
            pending = 0;
            if (blocks_.StopRequested()) {
                break;
            }
        }
    }
    done_.fetch_add(pending, std::memory_order_relaxed);
    return local;
}

}  // namespace vx
