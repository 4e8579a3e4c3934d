// The checks of the correlations of a resolved scenario.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "scenario/resolved_scenario.hpp"

namespace vorn::scenario {

// What is wrong with the correlations of a resolved scenario: an end on a constant, an
// uncertainty input paired with a variability one, a draw paired with itself, a pair asked for
// twice, a group of correlations whose normal correlation matrix is not positive definite.
struct CorrelationProblem {
  std::size_t entry = 0;  // the [[correlate]] entry, 0-based
  const char* key = "";   // "a", "b", or "" for the entry as a whole
  std::string message;
};
std::vector<CorrelationProblem> correlation_problems(const ResolvedScenario& scenario);

}  // namespace vorn::scenario
