// A Saltelli design against the Monte Carlo run of as many realizations, both of the shipped
// scenario (examples/montecarlo/scenario.toml) in process, after their baseline runs.
//
//   Design/M/T   `vorn mc --sobol --base-samples M` on T threads: its M (p + 2) evaluations,
//                the indices and their 1000 bootstrap replicates; wall-clock time. Counters:
//                evaluations, per_s (evaluations per second), outputs_MB (the outputs kept
//                for the estimators: the evaluations times the chemicals and 2 totals, as
//                doubles), peak_MB (the process's peak resident memory so far).
//   Realizations/M/T  the Monte Carlo run of the same number of realizations (per_s: the
//                realizations per second), to compare with Design/M/T: the design runs at
//                the Monte Carlo rate when the two per_s agree.
// The machine is shared: the minimum over the repetitions is the figure to compare.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "mc_run/mc_run.hpp"
#include "repeated_runs.hpp"

namespace {

namespace fs = std::filesystem;
using namespace vorn;

const fs::path kScenario =
    fs::path(__FILE__).parent_path().parent_path() / "examples" / "montecarlo" / "scenario.toml";

mc_run::McRequest request_on(unsigned threads) {
  mc_run::McRequest request;
  request.scenario = kScenario;
  request.threads = threads;
  return request;
}

double peak_MB() {
  rusage used{};
  getrusage(RUSAGE_SELF, &used);
  return static_cast<double>(used.ru_maxrss) / 1024.0;
}

// The design's evaluations for M base rows, from a run with M = 2.
std::uint64_t evaluations_for(std::size_t base_rows) {
  std::uint64_t blocks = 0;
  mc_run::run_sobol(request_on(1), 2, [&](std::uint64_t, std::uint64_t b) { blocks = b; });
  return blocks * base_rows;
}

void Design(benchmark::State& state) {
  const auto base_rows = static_cast<std::size_t>(state.range(0));
  const auto threads = static_cast<unsigned>(state.range(1));
  std::uint64_t evaluations = 0;
  double outputs_MB = 0;
  for (auto _ : state) {
    // The design and its indices with their bootstrap, as vorn mc --sobol makes them.
    const mc_run::SobolResult r =
        mc_run::run_sobol(request_on(threads), base_rows, [](std::uint64_t, std::uint64_t) {});
    if (r.baseline.status != Status::completed) throw std::runtime_error("no baseline");
    const mc_run::SobolReport report = mc_run::report_of(r.part, threads);
    evaluations = report.run.evaluations;
    outputs_MB =
        static_cast<double>(evaluations * r.part.outputs() * sizeof(double)) / (1024.0 * 1024.0);
  }
  state.counters["evaluations"] = static_cast<double>(evaluations);
  state.counters["per_s"] = benchmark::Counter(static_cast<double>(evaluations),
                                               benchmark::Counter::kIsIterationInvariantRate);
  state.counters["outputs_MB"] = outputs_MB;
  state.counters["peak_MB"] = peak_MB();
}

void Realizations(benchmark::State& state) {
  const auto base_rows = static_cast<std::size_t>(state.range(0));
  mc_run::McRequest request = request_on(static_cast<unsigned>(state.range(1)));
  request.overrides.realizations = evaluations_for(base_rows);
  for (auto _ : state) {
    const mc_run::McResult r = mc_run::run_monte_carlo(request);
    if (r.baseline.status != Status::completed) throw std::runtime_error("no baseline");
  }
  state.counters["realizations"] = static_cast<double>(*request.overrides.realizations);
  state.counters["per_s"] = benchmark::Counter(static_cast<double>(*request.overrides.realizations),
                                               benchmark::Counter::kIsIterationInvariantRate);
}

void configure(benchmark::internal::Benchmark* b) {
  vorn::bench::repeated_runs(b->ArgNames({"M", "T"})->ArgsProduct({{1024}, {1, 2}}), 3);
}
BENCHMARK(Design)->Apply(configure);
BENCHMARK(Realizations)->Apply(configure);

}  // namespace
