#include "report/svg_text.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "report/html_text.hpp"
#include "report/number_field.hpp"

namespace vorn {

std::string svg_coord(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", value);
  std::string s = buf;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

std::string exact_number(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, res.ptr);
}

std::string report_number(double value) {
  return std::string(trim_blanks(number_field(value)));
}

}  // namespace vorn
