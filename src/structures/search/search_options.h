#pragma once

namespace vx {

// How the standard-value searches run. Every setting gives the same result; the straightforward
// search (one thread, every candidate's error summed in full) is the reference the others must
// reproduce bit for bit.
struct SearchOptions {
    int threads = 0;      // worker threads; 0 takes one per core
    bool pruning = true;  // stop summing a candidate's error once it cannot win

    static constexpr SearchOptions Straightforward() { return {1, false}; }
    bool IsStraightforward() const { return threads == 1 && !pruning; }
    bool operator==(const SearchOptions&) const = default;
};

}  // namespace vx
