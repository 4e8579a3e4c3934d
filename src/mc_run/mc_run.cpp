#include "mc_run/mc_run.hpp"

#include <cmath>

#include "core/input_file.hpp"
#include "core/log_unit.hpp"
#include "core/output_file.hpp"
#include "input/chemical_records.hpp"
#include "input/site_parameters.hpp"
#include "mc/mc_engine.hpp"
#include "mc/plan_from_scenario.hpp"
#include "mc/resolved_scenario.hpp"

namespace vorn::mc {
namespace {

// The records of VORN.IN as read; the deterministic run has checked them already.
void read_records(const std::string& bytes, McInput& input) {
  InputFile in(bytes);
  StringSink log;
  const LogUnit debug(log, kDebugUnit);
  input.unit = readsiteparameters(in, debug);
  int n = 0;
  readchemicals(in, debug, input.chemicals, n);
  readdaftable(in, debug, *input.daf);
}

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
  Scenario scenario = read_scenario(request.scenario);
  apply_overrides(scenario, request.overrides);

  McResult result;
  MemoryFiles files;
  std::string bytes, why;
  if (read_file(scenario.input.string(), bytes, why)) files.input = bytes;
  result.baseline = run(files);
  if (result.baseline.status != Status::completed) return result;

  McInput input;
  read_records(bytes, input);
  const ResolvedScenario resolved = resolve_scenario(scenario, input.chemicals, bytes);
  result.scenario_json = to_json(resolved);
  result.decision_percentile = resolved.decision_percentile;
  const SamplingPlan plan = plan_from_scenario(resolved, input.chemicals);
  if (!prepare_input(input)) throw ScenarioError({"VORN.IN cannot be evaluated as read"});

  const std::uint64_t n = plan.realizations;
  auto progress = [&](std::uint64_t done) {
    if (request.progress) request.progress(done, n);
  };
  if (!resolved.target_precision) {
    const McTally tally = run_realizations(input, plan, 1, n, request.threads, progress);
    result.summary = summarize(input, tally, resolved.percentiles, resolved.decision_percentile);
    return result;
  }
  // Checkpoints at N = 2^k: stop at the first whose decision percentiles are precise enough.
  McTally tally(input.chemicals.size());
  std::uint64_t done = 0;
  for (std::uint64_t checkpoint = 1;; checkpoint *= 2) {
    const std::uint64_t last = std::min(checkpoint, n);
    tally.merge(run_realizations(input, plan, done + 1, last, request.threads));
    done = last;
    progress(done);
    result.summary = summarize(input, tally, resolved.percentiles, resolved.decision_percentile);
    if (done == n || precise_enough(result.summary, *resolved.target_precision)) break;
  }
  return result;
}

}  // namespace vorn::mc
