// Text from outside (a stream's name, a label) inside a page's style sheet.
#pragma once

#include <string>
#include <string_view>

namespace vorn {

// A CSS string literal, quotes included, that reads back as `utf8`: letters, digits, the
// space, . , - _ : / # + = ! ? % and well-formed UTF-8 beyond ASCII stay as they are; every
// other ASCII character (quotes, backslash, line ends and other controls, < > &, brackets,
// semicolons) becomes a hexadecimal escape, so nothing can end the string, the rule or the
// <style> element, and the page stays well-formed XML. Bytes that are not UTF-8, and NUL,
// become U+FFFD.
std::string css_string(std::string_view utf8);

}  // namespace vorn
