// What rank sensitivity adds to a 100,000-realization run of the shipped scenario
// (examples/montecarlo/scenario.toml), in process, after its baseline run.
//
// Every vorn mc run keeps realizations 1..100,000 as float rows and ranks them when its
// documents are made. Shard 1/2 of a 200,000-realization run is realizations 1..100,000, with
// their rows; shard 2/2 is 100,001..200,000, past the rows, so nothing is kept or ranked: the
// same model work without rank sensitivity.
//
//   Ranked/T     shard 1/2 on T threads and its report (summary and ranking); wall-clock time.
//                Counters: rank_s, the report's time; rows_MB, the rows kept.
//   Unranked/T   shard 2/2 on T threads and its report.
// The overhead is Ranked / Unranked - 1. The machine is shared: compare the minima.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
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

void run_shard(benchmark::State& state, std::uint64_t shard) {
  mc_run::McRequest request;
  request.scenario = kScenario;
  request.threads = static_cast<unsigned>(state.range(0));
  request.overrides.realizations = 200000;
  request.shard = {{shard, 2}};
  double rank_s = 0, rows_MB = 0;
  for (auto _ : state) {
    const mc_run::McResult r = mc_run::run_monte_carlo(request);
    if (r.baseline.status != Status::completed) throw std::runtime_error("no baseline");
    const auto start = std::chrono::steady_clock::now();
    const mc_run::McReport report = mc_run::report_of(r.part);
    rank_s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    benchmark::DoNotOptimize(report.sensitivity);
    rows_MB = static_cast<double>(r.part.rows.count() * r.part.rows.columns * sizeof(float)) /
              (1024.0 * 1024.0);
  }
  state.counters["rank_s"] = rank_s;
  state.counters["rows_MB"] = rows_MB;
}

void Ranked(benchmark::State& state) {
  run_shard(state, 1);
}

void Unranked(benchmark::State& state) {
  run_shard(state, 2);
}

void configure(benchmark::internal::Benchmark* b) {
  vorn::bench::repeated_runs(b->ArgNames({"T"})->Arg(2), 3);
}
BENCHMARK(Ranked)->Apply(configure);
BENCHMARK(Unranked)->Apply(configure);

}  // namespace
