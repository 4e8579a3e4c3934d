#include "batch/page_text.hpp"

#include <cstddef>

namespace vorn::batch {
namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";

// A UTF-8 sequence by its first byte: its length and the range of its second byte,
// which rules out overlong forms, surrogates and code points beyond U+10FFFF.
struct Lead {
  std::size_t length;
  unsigned char low, high;
};

Lead lead_of(unsigned char b) {
  if (b < 0x80) return {1, 0, 0};
  if (b >= 0xC2 && b <= 0xDF) return {2, 0x80, 0xBF};
  if (b == 0xE0) return {3, 0xA0, 0xBF};
  if (b == 0xED) return {3, 0x80, 0x9F};
  if (b >= 0xE1 && b <= 0xEF) return {3, 0x80, 0xBF};
  if (b == 0xF0) return {4, 0x90, 0xBF};
  if (b >= 0xF1 && b <= 0xF3) return {4, 0x80, 0xBF};
  if (b == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

// The length of the UTF-8 sequence at text[k], or 0 when there is none.
std::size_t sequence_length(const std::string& text, std::size_t k) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const Lead lead = lead_of(byte(k));
  if (lead.length <= 1) return lead.length;
  if (k + lead.length > text.size() || byte(k + 1) < lead.low || byte(k + 1) > lead.high) return 0;
  for (std::size_t i = 2; i < lead.length; ++i)
    if (byte(k + i) < 0x80 || byte(k + i) > 0xBF) return 0;
  return lead.length;
}

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
      return b < 0x20 || b == 0x7F ? kReplacement : std::string(1, c);
    }
  }
}

}  // namespace

std::string page_text(const std::string& text) {
  std::string out;
  for (std::size_t k = 0; k < text.size();) {
    const std::size_t n = sequence_length(text, k);
    if (n == 0) {
      out += kReplacement;
      ++k;
    } else {
      out += n == 1 ? ascii_text(text[k]) : text.substr(k, n);
      k += n;
    }
  }
  return out;
}

}  // namespace vorn::batch
