// A probabilistic run: the scenario read and checked, the deterministic run on its VORN.IN
// as the baseline, then the realizations and their statistics. Writes no files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "mc/mc_summary.hpp"
#include "mc/scenario.hpp"
#include "vorn/run.hpp"

namespace vorn::mc {

struct McRequest {
  std::filesystem::path scenario;
  ScenarioOverrides overrides;
  unsigned threads = 1;
  // Called now and then with (realizations done, realizations to do).
  std::function<void(std::uint64_t, std::uint64_t)> progress;
};

struct McResult {
  // The deterministic run on the scenario's VORN.IN; when it did not complete nothing
  // else is set.
  Outcome baseline;
  std::string scenario_json;  // the scenario as resolved, canonical
  double decision_percentile = 90;
  McSummary summary;
};

// Throws ScenarioError listing every problem of the scenario.
McResult run_monte_carlo(const McRequest& request);

}  // namespace vorn::mc
