#include "export/css_string.hpp"

#include "export/utf8_sequence.hpp"

namespace vorn {
namespace {

// Characters that mean nothing inside a CSS string, an HTML <style> element or XML text.
bool plain_in_css(char c) {
  static constexpr std::string_view kPunctuation = " .,-_:/#+=!?%";
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         kPunctuation.find(c) != std::string_view::npos;
}

// "\22 ": the escape's blank ends it, so the character after it is read as itself.
std::string hex_escape(unsigned char c) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string s = "\\";
  if (c >= 16) s += kHex[c >> 4];
  return s + kHex[c & 15] + " ";
}

}  // namespace

std::string css_string(std::string_view utf8) {
  std::string out = "\"";
  for (std::size_t k = 0; k < utf8.size();) {
    const std::size_t n = utf8_sequence_length(utf8, k);
    const auto c = static_cast<unsigned char>(utf8[k]);
    if (n == 0 || (n == 1 && c == 0)) {
      out += kReplacementCharacter;
      ++k;
    } else if (n > 1) {
      out += utf8.substr(k, n);
      k += n;
    } else {
      out += plain_in_css(utf8[k]) ? std::string(1, utf8[k]) : hex_escape(c);
      ++k;
    }
  }
  return out + "\"";
}

}  // namespace vorn
