// Runs independent tasks on the cores of the machine.
#pragma once

#include <cstddef>
#include <functional>

namespace tervan {

// Calls task(0) ... task(count - 1), on up to threads threads at once (0:
// one per core), each index exactly once; returns when all are done. The
// tasks are taken in index order, so put the longest first. With one
// thread, or one task, everything runs on the calling thread.
void runEach(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& task);

}  // namespace tervan
