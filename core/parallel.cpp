#include "core/parallel.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace tervan {

void runEach(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& task) {
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t workers = std::min<std::size_t>(threads, count);
    if (workers <= 1) {
        for (std::size_t i = 0; i < count; ++i) task(i);
        return;
    }
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++) task(i);
    };
    std::vector<std::thread> others;
    others.reserve(workers - 1);
    for (std::size_t i = 1; i < workers; ++i) others.emplace_back(work);
    work();
    for (std::thread& t : others) t.join();
}

}  // namespace tervan
