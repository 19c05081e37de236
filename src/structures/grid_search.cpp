#include "structures/grid_search.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace vx {

int CGridSearch::Threads() const {
    if (options_.threads > 0) {
        return options_.threads;
    }
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void CGridSearch::RunBlocks(int threads, long long blockCount, long long total,
                            const std::function<void(long long)>& runBlock) {
    std::atomic<long long> next{0};
    std::mutex mutex;
    std::condition_variable finished;
    int running = threads;
    std::exception_ptr failure;
    auto work = [&] {
        try {
            for (long long b = next.fetch_add(1);
                 b < blockCount && !stop_.load(std::memory_order_relaxed); b = next.fetch_add(1)) {
                runBlock(b);
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
            workers.emplace_back(work);
        }
        std::unique_lock lock(mutex);
        while (running > 0) {
            if (!finished.wait_for(lock, std::chrono::milliseconds(25),
                                   [&] { return running == 0; })) {
                lock.unlock();
                host_.SetProgress(done_.load(std::memory_order_relaxed), total);
                if (host_.PumpMessages()) {
                    cancelled_ = true;
                    stop_.store(true);
                }
                lock.lock();
            }
        }
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

}  // namespace vx
