#pragma once

#include <cstddef>
#include <functional>

namespace sondrel {

// Calls job(0) ... job(count - 1), each once, on up to `workers` threads
// that take the next index as they become free; returns when all are done.
// One worker runs them in order on the calling thread. The first exception a
// job throws is rethrown here once every thread has stopped; no new index is
// started after it.
void ForEachIndex(std::size_t count, unsigned workers, const std::function<void(std::size_t)>& job);

// The workers to use by default: one per core the system reports, at least one.
unsigned DefaultWorkers();

}  // namespace sondrel
