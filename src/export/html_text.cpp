#include "export/html_text.hpp"

#include "core/text.hpp"

namespace vorn {

std::string html_text(std::string_view latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (const char ch : latin1) {
    const auto byte = static_cast<unsigned char>(ch);
    switch (byte) {
      case '&':
        out += "&amp;";
        continue;
      case '<':
        out += "&lt;";
        continue;
      case '>':
        out += "&gt;";
        continue;
      case '"':
        out += "&quot;";
        continue;
      case '\'':
        out += "&#39;";
        continue;
      case '\t':
      case '\n':
        out += ch;
        continue;
      default:
        break;
    }
    if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0))
      out += "\xEF\xBF\xBD";
    else
      append_latin1(out, ch);
  }
  return out;
}

}  // namespace vorn
