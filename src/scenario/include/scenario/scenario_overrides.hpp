// What the command line may change in a scenario between reading and resolving.
#pragma once

#include <cstdint>
#include <optional>

#include "numerics/sampling.hpp"
#include "scenario/scenario.hpp"

namespace vorn::scenario {

// What the command line may change between reading and resolving.
// The initializers let callers name only what they override.
struct ScenarioOverrides {
  std::optional<std::uint64_t> realizations{}, seed{};
  std::optional<std::uint64_t> outer{}, inner{};  // of a nested run
  std::optional<numerics::Sampling> sampling{};
  std::optional<double> target_precision{};
};

// Throws ScenarioError when an override is out of range (realizations 0, a precision
// that is not a positive number) or does not fit the run: realizations or a precision for a
// nested run, outer or inner for one that is not.
void apply_overrides(Scenario& scenario, const ScenarioOverrides& overrides);

}  // namespace vorn::scenario
