#include "export/page_text.hpp"

#include "export/utf8_sequence.hpp"

namespace vorn {
namespace {

std::string ascii_text(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    case '\'':
      return "&#39;";
    case '\t':
    case '\n':
      return std::string(1, c);
    default: {
      const auto b = static_cast<unsigned char>(c);
      return b < 0x20 || b == 0x7F ? std::string(kReplacementCharacter) : std::string(1, c);
    }
  }
}

}  // namespace

std::string page_text(std::string_view text) {
  std::string out;
  for (std::size_t k = 0; k < text.size();) {
    const std::size_t n = utf8_sequence_length(text, k);
    if (n == 0) {
      out += kReplacementCharacter;
      ++k;
    } else {
      out += n == 1 ? ascii_text(text[k]) : std::string(text.substr(k, n));
      k += n;
    }
  }
  return out;
}

}  // namespace vorn
