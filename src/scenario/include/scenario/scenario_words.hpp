// The words a scenario file is written in: its keys, the fields that can vary and the
// distribution families with their parameters (taken from the tables that read them), and
// the message a word outside them gets: the accepted words and the nearest of them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "numerics/distribution.hpp"

namespace vorn::scenario {

const std::vector<std::string>& top_level_keys();
const std::vector<std::string>& vary_keys();
const std::vector<std::string>& correlate_keys();
// The family's parameters as a scenario gives them, in the family table's order.
std::vector<std::string> family_parameters(numerics::Family family);
std::vector<std::string> family_names();

// The nearest accepted word: an alias first (sigma: sd, mu: mean), then nearest_word().
std::optional<std::string> suggested_word(std::string_view word,
                                          const std::vector<std::string>& accepted);

// "unknown WHAT "WORD": did you mean X? (LABEL: a, b or c)", without the question when no
// accepted word is near.
std::string unknown_word_message(std::string_view what, std::string_view word,
                                 const std::vector<std::string>& accepted, std::string_view label);

// The reference of a scenario file's words, one topic a paragraph, lines within 79 columns
// after `indent`: for `vorn mc --help` and the README.
std::string scenario_reference(std::string_view indent);

}  // namespace vorn::scenario
