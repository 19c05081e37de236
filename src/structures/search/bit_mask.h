#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vx {

// A set of indices 0 .. n-1 as bits: which lines of a search may hold a candidate.
class CBitMask {
  public:
    // Empties the mask and sizes it for n indices.
    void Clear(size_t n) { words_.assign((n + 63) / 64, 0); }
    // Adds first .. last-1.
    void Set(size_t first, size_t last) {
        for (size_t i = first; i < last; ++i) {
            words_[i / 64] |= std::uint64_t{1} << (i % 64);
        }
    }
    bool Keeps(long long i) const {
        const auto b = static_cast<size_t>(i);
        return (words_[b / 64] >> (b % 64)) & 1U;
    }
    // The first index after i in the mask, or `end` when there is none before it.
    long long Next(long long i, long long end) const {
        const auto b = static_cast<size_t>(i + 1);
        size_t word = b / 64;
        if (word >= words_.size()) {
            return end;
        }
        std::uint64_t bits = words_[word] & (~std::uint64_t{0} << (b % 64));
        while (bits == 0) {
            if (++word == words_.size()) {
                return end;
            }
            bits = words_[word];
        }
        const auto next =
            static_cast<long long>(word * 64 + static_cast<size_t>(std::countr_zero(bits)));
        return next < end ? next : end;
    }

  private:
    std::vector<std::uint64_t> words_;
};

}  // namespace vx
