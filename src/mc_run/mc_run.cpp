#include "mc_run/mc_run.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "mc/realization_input.hpp"
#include "mc_run/samples_table.hpp"
#include "nested/outer_sampler.hpp"
#include "nested_run.hpp"
#include "run_setup.hpp"

namespace vorn::mc {
namespace {

// Every decision percentile's confidence interval within `precision` of its value.
bool precise_enough(const McSummary& summary, double precision) {
  if (summary.convergence.empty()) return false;
  for (const Decision& d : summary.convergence.back().chemicals) {
    for (const PercentileValue& p : {d.gw_allowable, d.sf_allowable}) {
      const double width = (p.upper - p.lower) / std::fabs(p.value);
      if (!(width <= precision)) return false;
    }
  }
  return true;
}

}  // namespace

McResult run_monte_carlo(const McRequest& request) {
  Setup s = set_up(request);
  McResult result;
  result.baseline = s.baseline;
  if (s.baseline.status != Status::completed) return result;
  if (s.resolved.nested()) {
    result.nested = run_nested(s, request);
    return result;
  }

  const std::uint64_t n = s.plan.realizations;
  McPart& part = result.part;
  part.scenario_json = to_json(s.resolved);
  part.seed = s.resolved.seed;
  part.realizations = n;
  part.baseline = baseline_of(s.input);
  const auto [index, count] = request.shard.value_or(std::pair<std::uint64_t, std::uint64_t>{1, 1});
  part.shard_count = count;
  const ShardRange range = shard_range(index, count, n);
  part.shards = {range};
  if (request.shard && s.resolved.target_precision)
    throw McUsageError("a run that stops at a target precision cannot be split into shards");
  const std::uint64_t rows = range.last + 1 - range.first;
  if (request.samples && rows > kMaxSampleRows && !request.force_samples)
    throw McUsageError("--samples: " + std::to_string(rows) + " rows, more than " +
                       std::to_string(kMaxSampleRows) + "; --force writes them");
  if (request.samples) request.samples(SamplesTable(s.plan, s.input.chemicals).header());

  auto progress = [&](std::uint64_t done) {
    if (request.progress) request.progress(done, rows);
  };
  if (!s.resolved.target_precision) {
    part.tally =
        run_range(s.input, s.plan, request, range.first, range.last, request.threads, 0, progress);
    return result;
  }
  // Checkpoints at N = 2^k: stop at the first whose decision percentiles are precise enough.
  part.tally = McTally(s.input.chemicals.size());
  std::uint64_t done = 0;
  for (std::uint64_t checkpoint = 1;; checkpoint *= 2) {
    const std::uint64_t last = std::min(checkpoint, n);
    part.tally.merge(run_range(s.input, s.plan, request, done + 1, last, request.threads, 0, {}));
    done = last;
    progress(done);
    const McSummary summary = summarize(part.baseline, part.tally, s.resolved.percentiles,
                                        s.resolved.decision_percentile);
    if (done == n || precise_enough(summary, *s.resolved.target_precision)) break;
  }
  part.shards = {ShardRange{1, 1, done}};
  return result;
}

McReport report_of(const McPart& part) {
  const ResolvedScenario scenario = from_json(part.scenario_json);
  McReport report;
  report.summary =
      summarize(part.baseline, part.tally, scenario.percentiles, scenario.decision_percentile);
  report.scenario_json = part.scenario_json;
  report.decision_percentile = scenario.decision_percentile;
  return report;
}

NestedReport report_of(const nested::NestedPart& part) {
  return NestedReport{nested::summarize_nested(part), part.scenario_json};
}

RealizationText realization_text(const McRequest& request, std::uint64_t r) {
  Setup s = set_up(request);
  RealizationText out;
  out.baseline = s.baseline;
  if (s.baseline.status != Status::completed) return out;
  const std::uint64_t inner = s.plan.realizations;
  const std::uint64_t n = s.resolved.nested() ? s.resolved.outer * inner : inner;
  if (r < 1 || r > n)
    throw McUsageError("--realization " + std::to_string(r) + ": the run has realizations 1.." +
                       std::to_string(n));
  if (!s.resolved.nested()) {
    RealizationEvaluator evaluator(s.input, s.plan);
    out.text = realization_input(s.input, evaluator, r);
    return out;
  }
  // Realization (u - 1) V + v: inner realization v of outer draw u.
  const std::uint64_t u = (r - 1) / inner + 1, v = (r - 1) % inner + 1;
  const SamplingPlan plan = nested::OuterSampler(s.plan, s.resolved.outer).inner_plan(u);
  RealizationEvaluator evaluator(s.input, plan);
  out.text = realization_input(s.input, evaluator, v);
  return out;
}

}  // namespace vorn::mc
