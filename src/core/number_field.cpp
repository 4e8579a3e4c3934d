#include "core/number_field.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace vorn {

std::string number_field(double value) {
  if (std::isnan(value)) return "       NaN";
  if (std::isinf(value)) return value > 0 ? "  Infinity" : " -Infinity";
  if (value == 0.0) return " 0.000E+00";

  // d.dde±X from the exact value, then shift to 0.ddd with the exponent raised by one.
  char buf[32];
  const auto res =
      std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 2);
  const std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
  const int exponent = std::atoi(std::string(s.substr(5)).c_str()) + 1;

  std::string out = value < 0 ? "-0." : " 0.";
  out += s[0];
  out += s[2];
  out += s[3];
  const int magnitude = std::abs(exponent);
  if (magnitude <= 99) out += 'E';
  out += exponent < 0 ? '-' : '+';
  if (magnitude > 99) out += static_cast<char>('0' + magnitude / 100);
  out += static_cast<char>('0' + magnitude / 10 % 10);
  out += static_cast<char>('0' + magnitude % 10);
  return out;
}

}  // namespace vorn
