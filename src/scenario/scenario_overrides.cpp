#include "scenario/scenario_overrides.hpp"

#include <cmath>
#include <string>
#include <utility>

namespace vorn::scenario {

void apply_overrides(Scenario& scenario, const ScenarioOverrides& overrides) {
  std::vector<std::string> problems;
  const auto over_limit = [](std::uint64_t n, const char* key) {
    return std::string("command line: ") + key + ": " + std::to_string(n) +
           " is more than the limit, " + kMaxDrawsText;
  };
  if (overrides.realizations && *overrides.realizations == 0) {
    problems.emplace_back("command line: realizations: must be at least 1");
  }
  if (overrides.realizations && *overrides.realizations > kMaxDraws)
    problems.push_back(over_limit(*overrides.realizations, "realizations"));
  if (overrides.target_precision &&
      !(std::isfinite(*overrides.target_precision) && *overrides.target_precision > 0)) {
    problems.emplace_back("command line: target precision: must be a positive number");
  }
  for (const auto& [n, key] :
       {std::pair{overrides.outer, "outer"}, std::pair{overrides.inner, "inner"}}) {
    if (!n) continue;
    if (*n == 0) problems.push_back(std::string("command line: ") + key + ": must be at least 1");
    if (*n > kMaxDraws) problems.push_back(over_limit(*n, key));
    if (!scenario.nested())
      problems.push_back(std::string("command line: ") + key +
                         ": the scenario has no input of kind \"uncertainty\"");
  }
  if (scenario.nested() && overrides.realizations)
    problems.emplace_back(
        "command line: realizations: the scenario has uncertainty inputs: give outer and inner");
  if (scenario.nested() && overrides.target_precision)
    problems.emplace_back("command line: target precision: a nested run runs all its draws");
  if (!problems.empty()) throw ScenarioError(std::move(problems));
  if (overrides.outer) scenario.outer = *overrides.outer;
  if (overrides.inner) scenario.inner = *overrides.inner;
  if (overrides.realizations) scenario.realizations = *overrides.realizations;
  if (overrides.seed) scenario.seed = *overrides.seed;
  if (overrides.sampling) scenario.sampling = *overrides.sampling;
  if (overrides.target_precision) scenario.target_precision = overrides.target_precision;
}

}  // namespace vorn::scenario
