#include "mc_run/mc_run.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <thread>
#include <vector>

#include "mc/realization_input.hpp"
#include "mc/run_sensitivity.hpp"
#include "mc_run/samples_table.hpp"
#include "nested/outer_sampler.hpp"
#include "nested_run.hpp"
#include "run_setup.hpp"
#include "scenario/plan_from_scenario.hpp"

namespace vorn::mc_run {
namespace {

// Whether n realizations can bound the q-th percentile at all: the ranks of its 95 %
// confidence interval, nq -/+ 1.96 sqrt(nq(1 - q)), lie within 1..n. Fewer realizations
// give an interval clamped to the extremes, as narrow as it is meaningless (one
// realization's is a point).
bool bounded(std::uint64_t n, double q) {
  const double m = static_cast<double>(n) * q;
  const double half = 1.96 * std::sqrt(m * (1 - q));
  return m - half >= 1 && m + half <= static_cast<double>(n);
}

// Every decision percentile's confidence interval within `precision` of its value, and
// every chemical's verdict settled.
bool precise_enough(const mc::McSummary& summary, double decision_percentile, double precision) {
  if (summary.convergence.empty() ||
      !bounded(summary.convergence.back().realizations, (100 - decision_percentile) / 100))
    return false;
  for (const mc::Decision& d : summary.convergence.back().chemicals) {
    if (d.verdict == mc::Verdict::undetermined) return false;
    for (const mc::PercentileValue& p : {d.gw_allowable, d.sf_allowable}) {
      const double width = (p.upper - p.lower) / std::fabs(p.value);
      if (!(width <= precision)) return false;
    }
  }
  return true;
}

// Stores the rows of realizations range.first..range.last, each in its own slot, so that
// threads never share one.
class RowKeeper {
 public:
  RowKeeper(const Setup& s, mc::SampleRowRange range)
      : layout_{s.plan.parameters.size(), s.input.chemicals.size()}, range_(range) {
    values_.assign(range.count() * layout_.columns(), 0.0f);
  }
  mc::RealizationObserver observer() {
    return [this](std::uint64_t r, const mc::RealizationEvaluator& e) {
      if (r >= range_.first && r <= range_.last)
        mc::fill_sample_row(e, values_.data() + (r - range_.first) * layout_.columns());
    };
  }
  // The rows of realizations up to `done`.
  mc::SampleRows rows(std::uint64_t done) && {
    mc::SampleRows out;
    out.columns = layout_.columns();
    const std::uint64_t last = std::min(done, range_.last);
    if (last < range_.first) return out;
    values_.resize((last + 1 - range_.first) * layout_.columns());
    out.blocks.emplace(range_.first, std::move(values_));
    return out;
  }

 private:
  mc::SampleRowLayout layout_;
  mc::SampleRowRange range_;
  std::vector<float> values_;
};

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
  mc::McPart& part = result.part;
  part.scenario_json = scenario::to_json(s.resolved);
  part.seed = s.resolved.seed;
  part.realizations = n;
  part.baseline = mc::baseline_of(s.input);
  const auto [index, count] = request.shard.value_or(std::pair<std::uint64_t, std::uint64_t>{1, 1});
  part.shard_count = count;
  const mc::ShardRange range = mc::shard_range(index, count, n);
  part.shards = {range};
  if (request.shard && s.resolved.target_precision)
    throw McUsageError("a run that stops at a target precision cannot be split into shards");
  const std::uint64_t rows = range.last + 1 - range.first;
  if (request.samples && rows > kMaxSampleRows && !request.force_samples)
    throw McUsageError("--samples: " + std::to_string(rows) + " rows, more than " +
                       std::to_string(kMaxSampleRows) + "; --force writes them");
  if (request.samples) request.samples(SamplesTable(s.plan, s.input.chemicals).header());
  if (request.cost)
    request.cost(rows, (s.resolved.target_precision ? "at most " : "") +
                           units_of(range, count, n, "realizations"));

  auto progress = [&](std::uint64_t done) {
    if (request.progress) request.progress(done, rows);
  };
  RowKeeper keeper(s, mc::sample_row_range(range.first, range.last));
  const mc::RealizationObserver keep = keeper.observer();
  if (!s.resolved.target_precision) {
    part.tally = run_range(s.input, s.plan, request, range.first, range.last, request.threads, 0,
                           progress, keep);
    part.rows = std::move(keeper).rows(range.last);
    return result;
  }
  // Checkpoints at N = 2^k: stop at the first whose decision percentiles are precise enough.
  part.tally = mc::McTally(s.input.chemicals.size());
  std::uint64_t done = 0;
  for (std::uint64_t checkpoint = 1;; checkpoint *= 2) {
    const std::uint64_t last = std::min(checkpoint, n);
    part.tally.merge(
        run_range(s.input, s.plan, request, done + 1, last, request.threads, 0, {}, keep));
    done = last;
    progress(done);
    const mc::McSummary summary = mc::summarize(part.baseline, part.tally, s.resolved.percentiles,
                                                s.resolved.decision_percentile);
    if (done == n ||
        precise_enough(summary, s.resolved.decision_percentile, *s.resolved.target_precision))
      break;
  }
  part.shards = {mc::ShardRange{1, 1, done}};
  part.rows = std::move(keeper).rows(done);
  return result;
}

namespace {

// The inputs as the plan names them: the plan rebuilt from the scenario and the chemicals'
// names, which is all a part keeps of VORN.IN.
mc::McSensitivity sensitivity_of(const mc::McPart& part,
                                 const scenario::ResolvedScenario& scenario) {
  std::vector<Chemical> chemicals(part.baseline.names.size());
  for (std::size_t i = 0; i < chemicals.size(); ++i) {
    chemicals[i].CHEMNAME = part.baseline.names[i];
    chemicals[i].CHEMCAS = part.baseline.cas[i];
  }
  std::vector<mc::RunInput> inputs;
  std::map<std::uint32_t, std::size_t> first_of_stream;
  for (const scenario::PlanParameter& p :
       scenario::plan_from_scenario(scenario, chemicals).parameters) {
    inputs.push_back(
        {p.label, p.chemicals, p.correlated && scenario.sampling != numerics::Sampling::random});
    // Chemicals sharing a CAS share an "each" DAF factor's stream: one draw, listed once.
    const auto [first, fresh] = first_of_stream.emplace(p.stream, inputs.size() - 1);
    if (fresh) continue;
    inputs.back().repeats = true;
    std::vector<std::size_t>& to = inputs[first->second].chemicals;
    to.insert(to.end(), p.chemicals.begin(), p.chemicals.end());
  }
  return mc::rank_run(std::move(inputs), chemicals.size(), part.rows.joined(), part.seed);
}

}  // namespace

std::optional<std::pair<std::uint64_t, std::uint64_t>> parse_shard(std::string_view text) {
  std::uint64_t i = 0, k = 0;
  const char* end = text.data() + text.size();
  const auto first = std::from_chars(text.data(), end, i);
  if (first.ec != std::errc() || first.ptr == end || *first.ptr != '/') return std::nullopt;
  const auto second = std::from_chars(first.ptr + 1, end, k);
  if (second.ec != std::errc() || second.ptr != end || i < 1 || i > k || k > mc::kMaxShards)
    return std::nullopt;
  return std::pair{i, k};
}

McRequest make_request(std::filesystem::path scenario, scenario::ScenarioOverrides overrides,
                       unsigned threads,
                       std::optional<std::pair<std::uint64_t, std::uint64_t>> shard) {
  McRequest request;
  request.scenario = std::move(scenario);
  request.overrides = std::move(overrides);
  request.threads = threads > 0 ? threads : std::max(1u, std::thread::hardware_concurrency());
  request.shard = shard;
  return request;
}

McReport report_of(const mc::McPart& part, bool sensitivity) {
  const scenario::ResolvedScenario scenario = scenario::from_json(part.scenario_json);
  McReport report;
  report.summary =
      mc::summarize(part.baseline, part.tally, scenario.percentiles, scenario.decision_percentile);
  report.scenario_json = part.scenario_json;
  report.decision_percentile = scenario.decision_percentile;
  if (sensitivity) report.sensitivity = sensitivity_of(part, scenario);
  return report;
}

NestedReport report_of(const nested::NestedPart& part) {
  return NestedReport{nested::summarize_nested(part), part.scenario_json};
}

SobolResult run_sobol(const McRequest& request, std::size_t base_rows,
                      const std::function<void(std::uint64_t, std::uint64_t)>& cost) {
  Setup s = set_up(request);
  SobolResult out;
  out.baseline = s.baseline;
  if (s.baseline.status != Status::completed) return out;
  if (s.resolved.nested())
    throw McUsageError(
        "--sobol: the scenario has uncertainty inputs; Sobol indices are for "
        "one-dimensional runs");
  if (!s.resolved.correlate.empty())
    throw McUsageError(
        "--sobol: the scenario correlates inputs ([[correlate]]), and Sobol "
        "indices assume independent ones");
  if (base_rows < 2 || (base_rows & (base_rows - 1)) != 0 || base_rows > scenario::kMaxDraws)
    throw McUsageError("--base-samples " + std::to_string(base_rows) +
                       ": give a power of two from 2 to 2^31 (the limit is " +
                       scenario::kMaxDrawsText + ")");
  const SobolGroups groups = sobol_groups(s.resolved, s.plan);
  mc::SobolPart& part = out.part;
  part.scenario_json = scenario::to_json(s.resolved);
  part.seed = s.resolved.seed;
  part.base_rows = base_rows;
  part.baseline = mc::baseline_of(s.input);
  part.groups = groups.labels;
  const auto [index, count] = request.shard.value_or(std::pair<std::uint64_t, std::uint64_t>{1, 1});
  part.shard_count = count;
  const mc::ShardRange range = mc::shard_range(index, count, base_rows);
  part.shards = {range};
  const std::uint64_t rows = range.last + 1 - range.first, blocks = part.blocks();
  if (request.samples && rows * blocks > kMaxSampleRows && !request.force_samples)
    throw McUsageError("--samples: " + std::to_string(rows * blocks) + " rows, more than " +
                       std::to_string(kMaxSampleRows) + "; --force writes them");
  if (cost) cost(rows, blocks);
  auto progress = [&](std::uint64_t done) {
    if (request.progress) request.progress(done, rows * blocks);
  };
  std::vector<double> design;
  part.rows = evaluate_sobol_rows(s.input, s.plan, groups, base_rows, range, request.threads,
                                  progress, request.samples ? &design : nullptr);
  if (!request.samples) return out;
  request.samples(sobol_design_header(s.plan, s.input.chemicals));
  const std::size_t columns = s.plan.parameters.size() + s.input.chemicals.size() + 2;
  for (std::uint64_t block = 0; block < blocks; ++block)
    for (std::uint64_t e = 0; e < rows; e += kSampleBatch)
      request.samples(sobol_design_rows(design, columns, block * rows + e,
                                        block * rows + std::min(e + kSampleBatch, rows),
                                        block * base_rows + range.first + e));
  return out;
}

SobolReport report_of(const mc::SobolPart& part, unsigned threads) {
  return SobolReport{sobol_indices(part, threads), part.scenario_json};
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
    mc::RealizationEvaluator evaluator(s.input, s.plan);
    out.text = mc::realization_input(s.input, evaluator, r);
    return out;
  }
  // Realization (u - 1) V + v: inner realization v of outer draw u.
  const std::uint64_t u = (r - 1) / inner + 1, v = (r - 1) % inner + 1;
  const scenario::SamplingPlan plan = nested::OuterSampler(s.plan, s.resolved.outer).inner_plan(u);
  mc::RealizationEvaluator evaluator(s.input, plan);
  out.text = mc::realization_input(s.input, evaluator, v);
  return out;
}

}  // namespace vorn::mc_run
