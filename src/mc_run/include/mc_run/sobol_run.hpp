// Variance-based sensitivity of a scenario: its inputs evaluated on a Saltelli design of M
// base rows (M (p + 2) evaluations, p the [[vary]] entries; an "each" entry is one group of
// a column per chemical), and the first-order and total Sobol indices of every chemical's
// limiting quantity and of the stream totals, with bootstrap 95 % intervals.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "mc/realization.hpp"
#include "mc/resolved_scenario.hpp"
#include "sensitivity/sobol_report.hpp"

namespace vorn::mc {

inline constexpr std::size_t kDefaultBaseRows = 4096;  // 2^12

using SobolRun = sensitivity::SobolReport;

// The design's groups: the [[vary]] entry of each stream, and each entry's label.
struct SobolGroups {
  std::vector<std::size_t> group_of_stream;
  std::vector<std::string> labels;
};
SobolGroups sobol_groups(const ResolvedScenario& scenario, const SamplingPlan& plan);

// Evaluates every point of the design on `threads` threads; `progress` (may be empty) gets
// the evaluations done now and then. The bootstrap resamples with Philox(seed, replicate).
SobolRun evaluate_sobol_design(const McInput& input, const SamplingPlan& plan,
                               const SobolGroups& groups, std::size_t base_rows, unsigned threads,
                               const std::function<void(std::uint64_t)>& progress = {});

}  // namespace vorn::mc
