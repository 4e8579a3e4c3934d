#include "export/utf8_sequence.hpp"

namespace vorn {
namespace {

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

}  // namespace

std::size_t utf8_sequence_length(std::string_view text, std::size_t k) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const Lead lead = lead_of(byte(k));
  if (lead.length <= 1) return lead.length;
  if (k + lead.length > text.size() || byte(k + 1) < lead.low || byte(k + 1) > lead.high) return 0;
  for (std::size_t i = 2; i < lead.length; ++i)
    if (byte(k + i) < 0x80 || byte(k + i) > 0xBF) return 0;
  return lead.length;
}

std::string well_formed_utf8(std::string_view text) {
  std::string out;
  for (std::size_t k = 0; k < text.size();) {
    const std::size_t n = utf8_sequence_length(text, k);
    out += n == 0 ? kReplacementCharacter : text.substr(k, n);
    k += n == 0 ? 1 : n;
  }
  return out;
}

}  // namespace vorn
