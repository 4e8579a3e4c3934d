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

#include "mc/mc_part.hpp"
#include "mc/realization.hpp"
#include "mc/sobol_part.hpp"
#include "mc/sobol_report.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario_json.hpp"

namespace vorn::mc_run {

inline constexpr std::size_t kDefaultBaseRows = 4096;  // 2^12
inline constexpr std::size_t kBootstrapReplicates = 1000;

using SobolRun = mc::SobolReport;

// The design's groups: the [[vary]] entry of each stream, and each entry's label.
struct SobolGroups {
  std::vector<std::size_t> group_of_stream;
  std::vector<std::string> labels;
};
SobolGroups sobol_groups(const scenario::ResolvedScenario& scenario,
                         const scenario::SamplingPlan& plan);

// Evaluates base rows range.first..range.last of the design, all p + 2 points of each, on
// `threads` threads; `progress` (may be empty) gets the evaluations done now and then. With
// `design`, every evaluation's row, block by block and in each block by base row (block b, row
// j at b (last + 1 - first) + j - first): its sampled inputs, each chemical's limiting
// quantity, RI_TOT and HI_TOT (mc::SampleRowLayout's columns), in double precision.
std::vector<mc::SobolRow> evaluate_sobol_rows(
    const mc::McInput& input, const scenario::SamplingPlan& plan, const SobolGroups& groups,
    std::size_t base_rows, mc::ShardRange range, unsigned threads,
    const std::function<void(std::uint64_t)>& progress = {}, std::vector<double>* design = nullptr);

// The indices of a complete part, the one estimate of a whole design and of its merged
// shards. The bootstrap resamples with Philox(seed, replicate); the outputs are shared out
// among `threads` threads, which change no bit.
SobolRun sobol_indices(const mc::SobolPart& part, unsigned threads);

// The design as a samples file (CSV, RFC 4180): "evaluation" (1-based, in the layout [A; B;
// A_B^1 ... A_B^p], block b's row j numbered b M + j), the inputs' labels, "limiting ratio of
// <chemical> (<index>)" per chemical, "RI_TOT of the stream", "HI_TOT of the stream"; then
// rows first..last - 1 (0-based) of `design`, numbered from `number` on, NaN as an empty cell.
std::string sobol_design_header(const scenario::SamplingPlan& plan,
                                const std::vector<Chemical>& chemicals);
std::string sobol_design_rows(const std::vector<double>& design, std::size_t columns,
                              std::size_t first, std::size_t last, std::uint64_t number);

}  // namespace vorn::mc_run
