// Two checks the TOML parser leaves to its callers. It asserts (and, built without
// assertions, assumes) that the key of a table header starts with a key character or a quote,
// so "[/x]" or "[[ =" must not reach it; and asking whether a character outside the ASCII
// range is white space reaches a point it marks unreachable for most of U+00A1..U+0499, so
// such a character where a key, a value or white space goes must not reach it either. Both
// are invalid TOML everywhere outside strings and comments. Private to the layer.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "scenario/scenario_error.hpp"

namespace vorn::scenario {

struct TomlTextProblem {
  SourcePosition at;  // line and column, as the parser counts them
  std::string message;
};

// The first such problem; none when there is none. Strings, comments and the arrays and
// inline tables of values are skipped as the parser reads them; text it would refuse
// before (an unterminated string) ends the search.
std::optional<TomlTextProblem> toml_text_problem(std::string_view text);

}  // namespace vorn::scenario
