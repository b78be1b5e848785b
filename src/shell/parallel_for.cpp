#include "shell/parallel_for.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace sondrel {

void ForEachIndex(std::size_t count, unsigned workers, const std::function<void(std::size_t)>& job)
{
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stopped{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto work = [&] {
        for (std::size_t n = next++; n < count && !stopped; n = next++) {
            try {
                job(n);
            } catch (...) {
                const std::lock_guard lock(failureLock);
                if (!failure)
                    failure = std::current_exception();
                stopped = true;
            }
        }
    };
    const std::size_t threads = std::min<std::size_t>(std::max(workers, 1U), count);
    std::vector<std::jthread> helpers;
    for (std::size_t n = 1; n < threads; ++n)
        helpers.emplace_back(work);
    work();
    helpers.clear();  // joins
    if (failure)
        std::rethrow_exception(failure);
}

unsigned DefaultWorkers()
{
    return std::max(std::thread::hardware_concurrency(), 1U);
}

}  // namespace sondrel
