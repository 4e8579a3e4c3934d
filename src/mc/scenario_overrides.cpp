#include <cmath>

#include "mc/scenario.hpp"

namespace vorn::mc {

void apply_overrides(Scenario& scenario, const ScenarioOverrides& overrides) {
  std::vector<std::string> problems;
  if (overrides.realizations && *overrides.realizations == 0) {
    problems.emplace_back("command line: realizations: must be at least 1");
  }
  if (overrides.target_precision &&
      !(std::isfinite(*overrides.target_precision) && *overrides.target_precision > 0)) {
    problems.emplace_back("command line: target precision: must be a positive number");
  }
  if (!problems.empty()) throw ScenarioError(std::move(problems));
  if (overrides.realizations) scenario.realizations = *overrides.realizations;
  if (overrides.seed) scenario.seed = *overrides.seed;
  if (overrides.sampling) scenario.sampling = *overrides.sampling;
  if (overrides.target_precision) scenario.target_precision = overrides.target_precision;
}

}  // namespace vorn::mc
