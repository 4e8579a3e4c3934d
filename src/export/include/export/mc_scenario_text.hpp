// The scenario of a probabilistic run for people: how it samples and what it varies.
#pragma once

#include <string>

#include "mc/mc_summary.hpp"

namespace vorn {

// HTML: the sampling, the seed and a table of the varying inputs, from the scenario as
// resolved (its canonical JSON). Chemicals chosen by index are named from `summary`.
std::string scenario_section(const std::string& scenario_json, const mc::McSummary& summary);

// <section id="differing">, "Values that differ from the tables": every [[vary]] entry with
// its note, when any entry has one; "" otherwise, leaving the page as it was.
std::string vary_notes_section(const std::string& scenario_json, const mc::McSummary& summary);

// "Latin hypercube" for "lhs", and so on (HTML-safe).
std::string sampling_words(const std::string& sampling);

}  // namespace vorn
