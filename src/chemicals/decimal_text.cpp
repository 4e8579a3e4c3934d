#include "chemicals/decimal_text.hpp"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <system_error>

#include "core/number_text.hpp"
#include "core/real_text.hpp"

namespace vorn::chemicals {
namespace {

bool digit(char c) {
  return c >= '0' && c <= '9';
}

// Largest exponent magnitude worth keeping: beyond it every value is 0 or out of range.
constexpr long kExponentLimit = 100000;

struct Parts {
  bool negative = false;
  std::string digits;  // significant digits, no leading zeros ("0" for zero)
  long exponent = 0;   // value = digits × 10^exponent
};

Parts parts_of(std::string_view text) {
  Parts p;
  std::size_t k = 0;
  if (text[k] == '+' || text[k] == '-') p.negative = text[k++] == '-';
  long fraction = 0;
  bool point = false;
  for (; k < text.size() && (digit(text[k]) || text[k] == '.'); ++k) {
    if (text[k] == '.') {
      point = true;
      continue;
    }
    if (point) ++fraction;
    if (!p.digits.empty() || text[k] != '0') p.digits += text[k];
  }
  long exponent = 0;
  if (k < text.size()) {  // E or e
    ++k;
    bool negative = false;
    if (text[k] == '+' || text[k] == '-') negative = text[k++] == '-';
    for (; k < text.size(); ++k) {
      if (exponent < kExponentLimit) exponent = exponent * 10 + (text[k] - '0');
    }
    if (negative) exponent = -exponent;
  }
  // Trailing zeros of the written digits stay: they are part of the number as written.
  p.exponent = exponent - fraction;
  if (p.digits.empty()) {
    p.digits = "0";
    p.exponent = 0;
  }
  return p;
}

}  // namespace

bool is_decimal(std::string_view text) {
  std::size_t k = 0;
  if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
  std::size_t before = 0, after = 0;
  while (k < text.size() && digit(text[k])) ++k, ++before;
  if (k < text.size() && text[k] == '.') {
    ++k;
    while (k < text.size() && digit(text[k])) ++k, ++after;
  }
  if (before + after == 0) return false;
  if (k < text.size() && (text[k] == 'E' || text[k] == 'e')) {
    ++k;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
    std::size_t exponent = 0;
    while (k < text.size() && digit(text[k])) ++k, ++exponent;
    if (exponent == 0) return false;
  }
  return k == text.size();
}

std::optional<double> decimal_value(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = read_real(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::string shift_decimal(std::string_view text, int places) {
  if (!is_decimal(text)) throw std::invalid_argument("not a decimal number: " + std::string(text));
  Parts p = parts_of(text);
  if (p.digits != "0") p.exponent += places;
  std::string out = p.negative ? "-" : "";
  out += p.digits[0];
  if (p.digits.size() > 1) out += "." + p.digits.substr(1);
  const long exponent = p.exponent + static_cast<long>(p.digits.size()) - 1;
  out += "E" + std::to_string(exponent);
  return out;
}

bool equals_to_digits(double value, std::string_view text) {
  if (!is_decimal(text)) return false;
  const Parts p = parts_of(text);
  const int digits = static_cast<int>(p.digits.size());
  char rounded[64];
  std::snprintf(rounded, sizeof rounded, "%.*e", digits - 1, value);
  return decimal_value(rounded) == decimal_value(text);
}

std::string shortest_text(double value) {
  return format_real(value);
}

}  // namespace vorn::chemicals
