// UTF-8 text (labels, paths, messages) for an HTML page that is also well-formed XML.
#pragma once

#include <string>

namespace vorn::batch {

// Markup characters become references; bytes that are not UTF-8, and control
// characters other than tab and line feed, become U+FFFD.
std::string page_text(const std::string& text);

}  // namespace vorn::batch
