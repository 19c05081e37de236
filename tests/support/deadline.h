#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <utility>

namespace vx::test {

// Runs `work` on a thread of its own. Work that has not ended within `limit` (far more than it
// ever takes) ends the test program at once with a message, because the thread cannot be
// stopped: a hang shows as a failure instead of a test that never ends.
template <class Work>
void RunWithDeadline(const char* what, std::chrono::seconds limit, Work&& work) {
    std::future<void> done = std::async(std::launch::async, std::forward<Work>(work));
    if (done.wait_for(limit) != std::future_status::ready) {
        std::fprintf(stderr, "FAILED: %s did not end within %lld s\n", what,
                     static_cast<long long>(limit.count()));
        std::fflush(stderr);
        std::_Exit(1);
    }
    done.get();
}

}  // namespace vx::test
