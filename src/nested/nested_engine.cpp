#include "nested/nested_engine.hpp"

#include <algorithm>
#include <atomic>
#include <memory>

#include "mc/mc_engine.hpp"
#include "mc/unit_pool.hpp"
#include "nested/outer_sampler.hpp"

namespace vorn::nested {

std::vector<OuterRecord> run_outer_draws(const mc::McInput& input,
                                         const scenario::SamplingPlan& plan,
                                         const NestedDesign& design, std::uint64_t first,
                                         std::uint64_t last, unsigned threads,
                                         const std::function<void(std::uint64_t)>& progress,
                                         const InnerRun& inner_run) {
  std::vector<OuterRecord> records;
  if (last < first) return records;
  records.resize(last - first + 1);
  threads = std::max(threads, 1u);
  // An outer draw on each thread wastes none at the end of an inner run; a draw left alone
  // takes every thread.
  const unsigned workers =
      inner_run ? 1u : static_cast<unsigned>(std::min<std::uint64_t>(threads, records.size()));
  const unsigned inner_threads = threads / workers;
  const InnerRun engine = [&](std::uint64_t, const scenario::SamplingPlan& inner, unsigned t) {
    return mc::run_realizations(input, inner, 1, design.inner, t);
  };
  const InnerRun& run_inner = inner_run ? inner_run : engine;
  std::atomic<std::uint64_t> done{0};
  auto worker = [&](unsigned w) -> mc::UnitRunner {
    auto sampler = std::make_shared<OuterSampler>(plan, design.outer);
    return [&, w, sampler](std::uint64_t u) {
      const mc::McTally tally = run_inner(u, sampler->inner_plan(u), inner_threads);
      records[u - first] = reduce(u, tally, design);
      const std::uint64_t draws = done.fetch_add(1) + 1;
      if (w == 0 && progress) progress(draws * design.inner);
    };
  };
  mc::run_units(first, last, mc::UnitPool{workers, 1, "outer draw"}, worker);
  return records;
}

}  // namespace vorn::nested
