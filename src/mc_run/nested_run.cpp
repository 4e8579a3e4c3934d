#include "nested_run.hpp"

#include "mc_run/samples_table.hpp"
#include "nested/nested_engine.hpp"

namespace vorn::mc_run {

nested::NestedPart run_nested(const Setup& s, const McRequest& request) {
  const nested::NestedDesign design = nested::design_of(s.resolved);
  nested::NestedPart part;
  part.scenario_json = scenario::to_json(s.resolved);
  part.seed = s.resolved.seed;
  part.outer = design.outer;
  part.inner = design.inner;
  part.baseline = mc::baseline_of(s.input);
  const auto [index, count] = request.shard.value_or(std::pair<std::uint64_t, std::uint64_t>{1, 1});
  part.shard_count = count;
  const mc::ShardRange range = mc::shard_range(index, count, design.outer);
  part.shards = {range};
  // The resolved scenario holds U V below 2^64.
  const std::uint64_t rows = (range.last + 1 - range.first) * design.inner;
  if (request.samples && rows > kMaxSampleRows && !request.force_samples)
    throw McUsageError("--samples: " + std::to_string(rows) + " rows, more than " +
                       std::to_string(kMaxSampleRows) + "; --force writes them");

  if (request.cost)
    request.cost(rows, units_of(range, count, design.outer, "outer draws") + " x " +
                           std::to_string(design.inner) + " inner realizations");

  auto progress = [&](std::uint64_t done) {
    if (request.progress) request.progress(done, rows);
  };
  nested::InnerRun in_order;
  if (request.samples) {
    request.samples(SamplesTable(s.plan, s.input.chemicals).header());
    in_order = [&](std::uint64_t u, const scenario::SamplingPlan& inner, unsigned threads) {
      return run_range(s.input, inner, request, 1, design.inner, threads, (u - 1) * design.inner,
                       {});
    };
  }
  part.records = nested::run_outer_draws(s.input, s.plan, design, range.first, range.last,
                                         request.threads, progress, in_order);
  return part;
}

}  // namespace vorn::mc_run
