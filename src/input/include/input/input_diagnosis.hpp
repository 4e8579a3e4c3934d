// A fatal input error or a stop on the unit lines, explained in plain words: the line, the
// section and the field, what was found, and the likely cause where the pattern is known (a
// heading where a value was expected, a decimal comma, a unit type, shifted unit lines).
// The log keeps its own line; these are the program's message.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/free_form.hpp"

namespace vorn {

// The lines explaining a read that failed on `input` (VORN.IN's text): the first says where
// and what, a second the likely cause when one is recognised.
std::vector<std::string> explain_read_error(const FreeFormError& error, std::string_view input);

// The same for any other fatal input error: its message in plain words.
std::vector<std::string> explain_input_error(std::string_view message);

// The lines explaining why the unit lines of `input` stopped the run (a unit type, a waste
// volume, a volume unit or an active life the run refuses); empty when they pass.
std::vector<std::string> explain_unit_stop(std::string_view input);

}  // namespace vorn
