// The sampling plan of a resolved scenario: each entry's draws with the fields they go to.
#pragma once

#include "scenario/resolved_scenario.hpp"
#include "scenario/sampling_plan.hpp"

namespace vorn::scenario {

// What the chemicals given to plan_from_scenario hold: the values read, or their names alone.
enum class ChemicalValues { read, names_only };

// `chemicals` are the records the scenario was resolved against, for the samples labels.
// With their values read, a factor leaves a chemical whose value lies outside its field's
// domain (missing) as read (see input_domains.hpp); with their names only it names every
// chemical the entry selects.
SamplingPlan plan_from_scenario(const ResolvedScenario& scenario,
                                const std::vector<Chemical>& chemicals,
                                ChemicalValues values = ChemicalValues::names_only);

}  // namespace vorn::scenario
