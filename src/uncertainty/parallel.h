#pragma once
// Work items 0..n-1 shared among threads.
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <thread>
#include <vector>

namespace tarn {

// Calls work(i, thread) for i = 0..n-1 on up to `threads` threads (thread 0 is the
// caller's), each item once. A failure of an item stops the items not yet started; the
// failure of the lowest item that failed is passed on.
template <class Work>
void parallelFor(std::size_t n, unsigned threads, Work&& work) {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::vector<std::exception_ptr> failures(n);
    auto worker = [&](unsigned thread) {
        for (std::size_t i = next++; i < n && !failed; i = next++) {
            try {
                work(i, thread);
            } catch (...) {
                failures[i] = std::current_exception();
                failed = true;
            }
        }
    };
    const unsigned count = unsigned(std::max<std::size_t>(1, std::min<std::size_t>(threads, n)));
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < count; ++t) pool.emplace_back(worker, t);
    worker(0);
    for (std::thread& t : pool) t.join();
    for (const std::exception_ptr& f : failures)
        if (f) std::rethrow_exception(f);
}

}  // namespace tarn
