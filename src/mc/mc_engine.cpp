#include "mc/mc_engine.hpp"

#include <algorithm>
#include <atomic>
#include <memory>

#include "mc/unit_pool.hpp"

namespace vorn::mc {

McTally run_realizations(const McInput& input, const scenario::SamplingPlan& plan,
                         std::uint64_t first, std::uint64_t last, unsigned threads,
                         const std::function<void(std::uint64_t)>& progress,
                         const RealizationObserver& observe) {
  const std::size_t n = input.chemicals.size();
  McTally total(n);
  if (last < first) return total;
  constexpr std::uint64_t kChunk = 64;
  std::atomic<std::uint64_t> done{0};
  // Each thread's tally on its own: counters one thread writes for every realization
  // must not share a cache line with what the other reads.
  std::vector<std::unique_ptr<McTally>> partial;
  for (unsigned t = 0; t < std::max(threads, 1u); ++t)
    partial.push_back(std::make_unique<McTally>(n));
  auto worker = [&](unsigned t) -> UnitRunner {
    auto evaluator = std::make_shared<RealizationEvaluator>(input, plan);
    return [&, t, evaluator](std::uint64_t r) {
      evaluator->evaluate(r, *partial[t]);
      if (observe) observe(r, *evaluator);
    };
  };
  auto chunk_done = [&](unsigned t, std::uint64_t units) {
    const std::uint64_t now = done.fetch_add(units) + units;
    if (t == 0 && progress) progress(now);
  };
  run_units(first, last, UnitPool{threads, kChunk, "realization"}, worker, chunk_done);
  // Exact merges: the order cannot change the result.
  total = std::move(*partial.front());
  for (std::size_t t = 1; t < partial.size(); ++t) total.merge(*partial[t]);
  return total;
}

}  // namespace vorn::mc
