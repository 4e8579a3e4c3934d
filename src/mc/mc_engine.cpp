#include "mc/mc_engine.hpp"

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

namespace vorn::mc {

McTally run_realizations(const McInput& input, const scenario::SamplingPlan& plan,
                         std::uint64_t first, std::uint64_t last, unsigned threads,
                         const std::function<void(std::uint64_t)>& progress,
                         const RealizationObserver& observe) {
  const std::size_t n = input.chemicals.size();
  McTally total(n);
  if (last < first) return total;
  constexpr std::uint64_t kChunk = 64;
  std::atomic<std::uint64_t> next{first};
  std::atomic<std::uint64_t> done{0};
  // Each thread's tally on its own: counters one thread writes for every realization
  // must not share a cache line with what the other reads.
  std::vector<std::unique_ptr<McTally>> partial;
  for (unsigned t = 0; t < std::max(threads, 1u); ++t)
    partial.push_back(std::make_unique<McTally>(n));
  auto work = [&](unsigned t) {
    RealizationEvaluator evaluator(input, plan);
    McTally& tally = *partial[t];
    for (;;) {
      const std::uint64_t start = next.fetch_add(kChunk);
      if (start > last) break;
      const std::uint64_t end = std::min(last, start + kChunk - 1);
      for (std::uint64_t r = start; r <= end; ++r) {
        evaluator.evaluate(r, tally);
        if (observe) observe(r, evaluator);
      }
      const std::uint64_t now = done.fetch_add(end - start + 1) + (end - start + 1);
      if (t == 0 && progress) progress(now);
    }
  };
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < partial.size(); ++t) pool.emplace_back(work, t);
  work(0);
  for (std::thread& th : pool) th.join();
  // Exact merges: the order cannot change the result.
  total = std::move(*partial.front());
  for (std::size_t t = 1; t < partial.size(); ++t) total.merge(*partial[t]);
  return total;
}

}  // namespace vorn::mc
