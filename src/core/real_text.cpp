#include "core/real_text.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace vorn {

std::string format_real(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  char buf[64];
  auto sci = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  std::string_view s(buf, static_cast<std::size_t>(sci.ptr - buf));
  const std::size_t epos = s.find('e');
  const int exponent = std::atoi(std::string(s.substr(epos + 1)).c_str());
  if (exponent < -4 || exponent >= 16) return std::string(s);

  // Fixed form from the shortest digits.
  std::string_view mant = s.substr(0, epos);
  const bool negative = mant.front() == '-';
  if (negative) mant.remove_prefix(1);
  std::string digits;
  for (char c : mant)
    if (c != '.') digits.push_back(c);
  std::string out = negative ? "-" : "";
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  } else {
    const auto int_len = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= int_len) {
      out += digits;
      out.append(int_len - digits.size(), '0');
      out += ".0";
    } else {
      out += digits.substr(0, int_len);
      out += '.';
      out += digits.substr(int_len);
    }
  }
  return out;
}

}  // namespace vorn
