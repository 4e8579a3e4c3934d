// The rank sensitivity of a probabilistic run in its JSON document: what was ranked and how
// (with the size of the rows stored for it), and the indices of each output.
#pragma once

#include <nlohmann/json.hpp>

#include "mc/run_sensitivity.hpp"

namespace vorn {

// How the indices were computed, the rows used and their size, and the inputs whose draws
// lost their strata.
nlohmann::ordered_json sensitivity_note_json(const mc::McSensitivity& s);

// One output's indices: per input its label, Spearman and PRCC with their intervals, and
// whether it is negligible.
nlohmann::ordered_json ranked_output_json(const mc::McSensitivity& s,
                                          const mc::RankedOutput& output);

}  // namespace vorn
