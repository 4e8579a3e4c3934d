#include "pdf/base64.hpp"

#include <cstdint>

namespace vorn::pdf {
namespace {

// The value of a base64 digit, or -1.
int digit(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

}  // namespace

std::optional<std::string> base64_decode(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::string out;
  out.reserve(text.size() / 4 * 3);
  for (std::size_t k = 0; k < text.size(); k += 4) {
    const bool last = k + 4 == text.size();
    // Padding: only in the last group, "x==" or "xx=".
    const std::size_t pad = last ? (text[k + 3] == '=') + (text[k + 2] == '=') : 0;
    if (pad == 1 && text[k + 2] == '=') return std::nullopt;
    std::uint32_t group = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      const int d = i < 4 - pad ? digit(text[k + i]) : 0;
      if (d < 0) return std::nullopt;
      group = group << 6 | static_cast<std::uint32_t>(d);
    }
    const char bytes[3] = {static_cast<char>(group >> 16), static_cast<char>(group >> 8 & 0xFF),
                           static_cast<char>(group & 0xFF)};
    out.append(bytes, 3 - pad);
  }
  return out;
}

}  // namespace vorn::pdf
