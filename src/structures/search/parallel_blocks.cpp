#include "structures/search/parallel_blocks.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace vx {

int CParallelBlocks::ThreadCount(int asked) {
    if (asked > 0) {
        return asked;
    }
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

bool CParallelBlocks::Run(int threads, long long blockCount,
                          const std::function<void(int, long long)>& runBlock,
                          const std::function<bool()>& poll) {
    std::atomic<long long> next{0};
    std::mutex mutex;
    std::condition_variable finished;
    int running = threads;
    bool stopped = false;
    std::exception_ptr failure;
    auto work = [&](int worker) {
        try {
            for (long long b = next.fetch_add(1); b < blockCount && !StopRequested();
                 b = next.fetch_add(1)) {
                runBlock(worker, b);
            }
        } catch (...) {
            stop_.store(true);
            const std::lock_guard lock(mutex);
            if (!failure) {
                failure = std::current_exception();
            }
        }
        const std::lock_guard lock(mutex);
        --running;
        finished.notify_one();
    };
    {
        std::vector<std::jthread> workers;
        workers.reserve(static_cast<size_t>(threads));
        for (int i = 0; i < threads; ++i) {
            workers.emplace_back(work, i);
        }
        std::unique_lock lock(mutex);
        while (running > 0) {
            if (!finished.wait_for(lock, std::chrono::milliseconds(kPollMilliseconds),
                                   [&] { return running == 0; })) {
                lock.unlock();
                if (poll()) {
                    stopped = true;
                    stop_.store(true);
                }
                lock.lock();
            }
        }
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    return stopped;
}

}  // namespace vx
