#include "export/svg_text.hpp"

#include <cstdio>
#include <string_view>

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

}  // namespace vorn
