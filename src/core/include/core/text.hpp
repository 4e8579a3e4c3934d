// Blanks around texts of fixed width, and the input's Latin-1 bytes as UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace vorn {

// Only the space character counts as a blank.
std::string_view trim_trailing(std::string_view text);
std::string_view trim_leading(std::string_view text);
std::string_view trim_blanks(std::string_view text);

// Every byte read as a Latin-1 character: bytes from 0x80 up become two UTF-8 bytes.
std::string latin1_to_utf8(std::string_view latin1);
// The same for one byte, appended to `out`.
void append_latin1(std::string& out, char byte);

}  // namespace vorn
