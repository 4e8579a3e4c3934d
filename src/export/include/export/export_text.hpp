// Texts of a run as the JSON and CSV exports write them.
#pragma once

#include <string>
#include <string_view>

namespace vorn {

// The text without its trailing blanks (leading blanks kept), its bytes read as
// Latin-1 and written as UTF-8.
std::string export_text(std::string_view text);

}  // namespace vorn
