// The canonical JSON form of a resolved scenario.
#pragma once

#include <string>
#include <string_view>

#include "scenario/resolved_scenario.hpp"

namespace vorn::scenario {

// The canonical JSON form: defaults filled, selectors as indices (1-based, as in the
// file), the input as its SHA-256; a nested run's outer and inner draws in place of the
// realizations, and every input's kind. Two resolved scenarios are equal iff these are.
std::string to_json(const ResolvedScenario& scenario);
// Throws ScenarioError when the text is not a resolved scenario.
ResolvedScenario from_json(std::string_view json);

inline bool operator==(const ResolvedScenario& a, const ResolvedScenario& b) {
  return to_json(a) == to_json(b);
}

}  // namespace vorn::scenario
