#include "core/text.hpp"

namespace vorn {

std::string_view trim_trailing(std::string_view text) {
  const auto end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

std::string_view trim_leading(std::string_view text) {
  const auto start = text.find_first_not_of(' ');
  return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

std::string_view trim_blanks(std::string_view text) {
  return trim_trailing(trim_leading(text));
}

void append_latin1(std::string& out, char byte) {
  const auto b = static_cast<unsigned char>(byte);
  if (b < 0x80) {
    out += byte;
    return;
  }
  // Latin-1 is the first 256 code points.
  out += static_cast<char>(0xC0 | (b >> 6));
  out += static_cast<char>(0x80 | (b & 0x3F));
}

std::string latin1_to_utf8(std::string_view latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (const char ch : latin1) append_latin1(out, ch);
  return out;
}

}  // namespace vorn
