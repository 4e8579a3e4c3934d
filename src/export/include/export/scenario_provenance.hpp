// The provenance block of a probabilistic page, from its scenario as resolved.
#pragma once

#include <string>
#include <utility>

#include "export/provenance.hpp"

namespace vorn {

// From the scenario's canonical JSON: its VORN.IN's digest, its seed and (with
// `with_sampling`) its sampling, after `run` (label and HTML value: what was run); its own
// digest as the second input. Shards merged into the same scenario give the same block.
Provenance scenario_provenance(const std::string& scenario_json, const std::string& date,
                               const std::pair<std::string, std::string>& run, bool with_sampling);

}  // namespace vorn
