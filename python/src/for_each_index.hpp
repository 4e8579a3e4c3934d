// Work on a few threads over the items of a list.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace vorn::python {

// Calls body(k) for k in [0, count) on `threads` threads (at most one per item), in no
// particular order; `body` must not throw.
template <typename Body>
void for_each_index(std::size_t count, unsigned threads, const Body& body) {
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t k = next++; k < count; k = next++) body(k);
  };
  const std::size_t n = std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(count, 1));
  std::vector<std::thread> pool;
  for (std::size_t t = 1; t < n; ++t) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();
}

}  // namespace vorn::python
