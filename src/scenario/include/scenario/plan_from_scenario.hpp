// The sampling plan of a resolved scenario: each entry's draws with the fields they go to.
#pragma once

#include "scenario/resolved_scenario.hpp"
#include "scenario/sampling_plan.hpp"

namespace vorn::scenario {

// `chemicals` are the records the scenario was resolved against, for the samples labels.
SamplingPlan plan_from_scenario(const ResolvedScenario& scenario,
                                const std::vector<Chemical>& chemicals);

}  // namespace vorn::scenario
