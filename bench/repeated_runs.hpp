// Benchmarks that time whole runs: each repetition is one run, and on a shared machine the
// fastest of them is the figure to compare, reported as the "min" row beside mean and median.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace vorn::bench {

inline benchmark::internal::Benchmark* repeated_runs(benchmark::internal::Benchmark* b,
                                                     int repetitions) {
  return b->Unit(benchmark::kMillisecond)
      ->UseRealTime()
      ->Iterations(1)
      ->Repetitions(repetitions)
      ->ComputeStatistics(
          "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
      ->ReportAggregatesOnly();
}

}  // namespace vorn::bench
