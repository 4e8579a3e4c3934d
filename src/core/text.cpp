#include "core/text.hpp"

#include <cstdint>
#include <cstring>

namespace vorn {

std::string_view trim_trailing(std::string_view text) {
  // Thirty-two and then eight blanks at a time first: fixed-width names are mostly padding.
  constexpr std::uint64_t kEightBlanks = 0x2020202020202020;
  std::size_t end = text.size();
  for (std::uint64_t w[4]; end >= 32; end -= 32) {
    std::memcpy(w, text.data() + end - 32, sizeof w);
    if (((w[0] ^ kEightBlanks) | (w[1] ^ kEightBlanks) | (w[2] ^ kEightBlanks) |
         (w[3] ^ kEightBlanks)) != 0)
      break;
  }
  for (std::uint64_t word = 0; end >= 8; end -= 8) {
    std::memcpy(&word, text.data() + end - 8, 8);
    if (word != kEightBlanks) break;
  }
  while (end > 0 && text[end - 1] == ' ') --end;
  return text.substr(0, end);
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
