// A check the TOML parser leaves to its callers: it asserts (and, built without assertions,
// assumes) that the key of a table header starts with a key character or a quote, so "[/x]"
// or "[[ =" must not reach it. Private to the layer.
#pragma once

#include <optional>
#include <string_view>

#include "scenario/scenario_error.hpp"

namespace vorn::scenario {

// Where the first table header whose key starts with another character has that character
// (line and column, as the parser counts them); none when every header starts well. Strings,
// comments and the arrays and inline tables of values are skipped as the parser reads them;
// text it would refuse for another reason (an unterminated string) ends the search.
std::optional<SourcePosition> bad_table_header(std::string_view text);

}  // namespace vorn::scenario
