// A probabilistic run: the scenario read and checked, the deterministic run on its VORN.IN
// as the baseline, then the realizations (all, or one shard's) and their mergeable state.
// Writes no files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "mc/mc_part.hpp"
#include "mc/mc_summary.hpp"
#include "mc/run_sensitivity.hpp"
#include "mc_run/sobol_run.hpp"
#include "nested/nested_part.hpp"
#include "nested/nested_summary.hpp"
#include "scenario/scenario.hpp"
#include "scenario/scenario_overrides.hpp"
#include "vorn/outcome.hpp"

namespace vorn::mc_run {

// More rows in a samples file than are allowed without forcing them.
inline constexpr std::uint64_t kMaxSampleRows = 1'000'000;

// A request that contradicts its scenario (a shard of a run that stops at a precision, too
// many sample rows, a realization outside 1..N); the message says which.
class McUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct McRequest {
  // The scenario file; with `scenario_text`, only the name messages give it (its `input`
  // is then taken from the current directory when relative).
  std::filesystem::path scenario;
  std::optional<std::string> scenario_text;
  // VORN.IN's bytes, in place of the file the scenario names.
  std::optional<std::string> input_text;
  scenario::ScenarioOverrides overrides;
  unsigned threads = 1;
  // Shard I of K (1 <= I <= K); none: every realization. A nested run shards its outer
  // draws.
  std::optional<std::pair<std::uint64_t, std::uint64_t>> shard;
  // Receives the samples file piece by piece, in realization order; none: no file. In a
  // nested run inner realization v of outer draw u is realization (u - 1) V + v.
  std::function<void(const std::string&)> samples;
  bool force_samples = false;  // more than kMaxSampleRows rows
  // Called now and then with (realizations done, realizations to do).
  std::function<void(std::uint64_t, std::uint64_t)> progress;
  // Called with each warning about the scenario or its VORN.IN (a percentile given as a
  // fraction, a NaN value, a chemical without DAF rows), before any realization.
  std::function<void(const std::string&)> warn;
  // Told, before the first realization, how many model evaluations the run makes (a run that
  // stops at a target precision: the most it may make) and what they are ("realizations
  // 1..5000 of 10000").
  std::function<void(std::uint64_t evaluations, const std::string& what)> cost;
  // Told what the run does that the scenario does not say ("file:line:column: vary[3]:
  // HENRY of 7440-38-2 (6) is missing as read ..."), before the first realization.
  std::function<void(const std::string&)> note;
};

struct McResult {
  // The deterministic run on the scenario's VORN.IN; when it did not complete nothing
  // else is set.
  Outcome baseline;
  mc::McPart part;  // the realizations run, of a one-dimensional run
  // A nested run's outer draws instead: the scenario has uncertainty inputs.
  std::optional<nested::NestedPart> nested;
};

// "I/K" with 1 <= I <= K <= mc::kMaxShards; none otherwise.
std::optional<std::pair<std::uint64_t, std::uint64_t>> parse_shard(std::string_view text);

// The request of every caller (the program, the Python module): the run of `scenario` with
// `overrides` over its own values, on `threads` threads (0: one per processor), of shard
// `shard` only (none: the whole run). The caller adds texts, samples and progress.
McRequest make_request(std::filesystem::path scenario, scenario::ScenarioOverrides overrides,
                       unsigned threads,
                       std::optional<std::pair<std::uint64_t, std::uint64_t>> shard);

// Throws ScenarioError listing every problem of the scenario, McUsageError.
McResult run_monte_carlo(const McRequest& request);

// What the documents show of a complete part: its statistics and its scenario.
struct McReport {
  mc::McSummary summary;
  std::string scenario_json;
  double decision_percentile = 90;
  // Ranked from the rows stored: realizations 1..min(N, kSampleRowLimit).
  mc::McSensitivity sensitivity;
};
// Without `sensitivity`, the report leaves the rank sensitivity (and its bootstrap) empty.
McReport report_of(const mc::McPart& part, bool sensitivity = true);

// The documents of a complete nested part.
struct NestedReport {
  nested::NestedSummary summary;
  std::string scenario_json;
};
NestedReport report_of(const nested::NestedPart& part);

// The design of `base_rows` base rows (a power of two) on the request's scenario, or of its
// shard (`request.shard`: base rows, not realizations), as a part; its realizations and
// sampling do not enter. `cost` is told (base rows, blocks) before the first evaluation;
// `request.progress` gets (evaluations done, evaluations); the samples file gets the points
// evaluated. Throws as run_monte_carlo does, McUsageError when the scenario correlates inputs
// (the estimators assume independent ones) or base_rows is not a power of two of at least 2.
struct SobolResult {
  Outcome baseline;  // as in McResult
  mc::SobolPart part;
};
SobolResult run_sobol(const McRequest& request, std::size_t base_rows,
                      const std::function<void(std::uint64_t, std::uint64_t)>& cost);

// The documents of a complete part of a design: its indices (estimated on `threads`
// threads, which change no bit) and its scenario.
struct SobolReport {
  SobolRun run;
  std::string scenario_json;
};
SobolReport report_of(const mc::SobolPart& part, unsigned threads = 1);

// Realization r's VORN.IN (see realization_input); in a nested run r = (u - 1) V + v. Throws as
// run_monte_carlo does, and std::invalid_argument when its values cannot be written.
struct RealizationText {
  Outcome baseline;  // as in McResult; `text` is empty unless it completed
  std::string text;
};
RealizationText realization_text(const McRequest& request, std::uint64_t r);

}  // namespace vorn::mc_run
