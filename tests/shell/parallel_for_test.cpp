#include "shell/parallel_for.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

namespace sondrel {
namespace {

// Every index exactly once, whatever the number of workers (none counts as one, more than indices is fine).
TEST(ForEachIndex, CallsEachIndexOnceOnUpToTheWorkersAsked)
{
    for (const auto& [count, workers] : {std::pair{1000UL, 4U}, {3UL, 8U}, {5UL, 0U}, {0UL, 2U}}) {
        std::vector<std::atomic<int>> calls(count);
        std::mutex lock;
        std::set<std::thread::id> threads;
        ForEachIndex(count, workers, [&](std::size_t n) {
            ++calls[n];
            const std::lock_guard guard(lock);
            threads.insert(std::this_thread::get_id());
        });
        for (std::size_t n = 0; n < count; ++n)
            EXPECT_EQ(calls[n], 1) << n;
        EXPECT_LE(threads.size(), std::max(workers, 1U));
    }
}

// One worker runs the jobs in order on the calling thread.
TEST(ForEachIndex, OneWorkerRunsInOrderHere)
{
    std::vector<std::size_t> order;
    const std::thread::id caller = std::this_thread::get_id();
    ForEachIndex(5, 1, [&](std::size_t n) {
        EXPECT_EQ(std::this_thread::get_id(), caller);
        order.push_back(n);
    });
    EXPECT_EQ(order, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
}

// The first failure comes back to the caller, and no index is started after it.
TEST(ForEachIndex, AFailureStopsTheRestAndIsRethrown)
{
    for (const unsigned workers : {1U, 2U}) {
        std::atomic<int> started{0};
        EXPECT_THROW(ForEachIndex(100000, workers,
                                  [&](std::size_t n) {
                                      ++started;
                                      if (n == 10)
                                          throw std::runtime_error("stop");
                                  }),
                     std::runtime_error);
        EXPECT_LT(started, 1000) << workers;
    }
}

}  // namespace
}  // namespace sondrel
