// The scenario of a probabilistic run for people: how it samples and what it varies.
#pragma once

#include <string>

#include "mc/mc_summary.hpp"

namespace vorn {

// HTML: the sampling, the seed and a table of the varying inputs, from the scenario as
// resolved (its canonical JSON). Chemicals chosen by index are named from `summary`.
std::string scenario_section(const std::string& scenario_json, const mc::McSummary& summary);

// "Latin hypercube" for "lhs", and so on (HTML-safe).
std::string sampling_words(const std::string& sampling);

}  // namespace vorn
