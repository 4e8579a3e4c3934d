#include "report/export_text.hpp"

#include "engine/log_line.hpp"

namespace vorn {

std::string export_text(std::string_view text) {
  const std::string_view kept = trim_trailing(text);
  std::string out;
  out.reserve(kept.size());
  for (const char ch : kept) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte < 0x80) {
      out += ch;
    } else {
      // Latin-1 is the first 256 code points: two UTF-8 bytes above 0x7F.
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

}  // namespace vorn
