// UTF-8 text (labels, paths, messages) for an HTML page that is also well-formed XML.
#pragma once

#include <string>
#include <string_view>

namespace vorn {

// Markup characters become references; bytes that are not UTF-8, and control
// characters other than tab and line feed, become U+FFFD.
std::string page_text(std::string_view text);

}  // namespace vorn
