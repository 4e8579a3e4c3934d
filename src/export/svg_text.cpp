#include "export/svg_text.hpp"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "core/number_text.hpp"

namespace vorn {

std::string svg_coord(double value) {
  char buf[64];
  std::size_t n = static_cast<std::size_t>(std::snprintf(buf, sizeof buf, "%.2f", value));
  // "%.2f" always writes a point: drop trailing zeros, then a trailing point.
  while (buf[n - 1] == '0') --n;
  if (buf[n - 1] == '.') --n;
  const std::string_view s(buf, n);
  return s == "-0" ? std::string("0") : std::string(s);
}

std::string exact_number(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  char buf[kNumberTextSize];
  return std::string(buf, write_shortest(buf, value));
}

}  // namespace vorn
