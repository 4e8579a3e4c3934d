// The number texts over fmt (shortest digits by its Dragonbox, exact digits at a given
// precision) and fast_float (reading), for standard libraries without floating-point
// to_chars and from_chars. Each function gives std::to_chars's or std::from_chars's bytes.
#define FMT_HEADER_ONLY
#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

#include "core/number_text_backends.hpp"

namespace vorn::fmt_text {
namespace {

// Shortest digits d1 d2 ... dn of |value| > 0, with value = 0.d1...dn x 10^(exponent + 1),
// i.e. d1.d2...dn x 10^exponent.
struct ShortestDigits {
  char digits[20];
  int count;
  int exponent;
};

ShortestDigits shortest_digits(double magnitude) {
  const auto decimal = fmt::detail::dragonbox::to_decimal(magnitude);
  ShortestDigits d{};
  char reversed[20];
  int n = 0;
  for (std::uint64_t s = decimal.significand; s != 0; s /= 10)
    reversed[n++] = static_cast<char>('0' + s % 10);
  for (int k = 0; k < n; ++k) d.digits[k] = reversed[n - 1 - k];
  d.count = n;
  d.exponent = decimal.exponent + n - 1;
  return d;
}

// "inf", "-inf", "nan", "-nan", "0", "-0" as to_chars writes them; nullptr otherwise.
char* write_special(char* out, double value) {
  if (std::signbit(value) && (std::isnan(value) || std::isinf(value) || value == 0.0)) *out++ = '-';
  const char* word = std::isnan(value) ? "nan" : std::isinf(value) ? "inf" : nullptr;
  if (word != nullptr) {
    std::memcpy(out, word, 3);
    return out + 3;
  }
  return nullptr;
}

char* write_exponent(char* out, int exponent) {
  *out++ = 'e';
  *out++ = exponent < 0 ? '-' : '+';
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude >= 100) *out++ = static_cast<char>('0' + magnitude / 100);
  *out++ = static_cast<char>('0' + magnitude / 10 % 10);
  *out++ = static_cast<char>('0' + magnitude % 10);
  return out;
}

char* write_scientific_digits(char* out, const ShortestDigits& d) {
  *out++ = d.digits[0];
  if (d.count > 1) {
    *out++ = '.';
    std::memcpy(out, d.digits + 1, static_cast<std::size_t>(d.count - 1));
    out += d.count - 1;
  }
  return write_exponent(out, d.exponent);
}

}  // namespace

char* write_shortest_scientific(char* out, double value) {
  if (char* end = write_special(out, value)) return end;
  if (value == 0.0) {
    if (std::signbit(value)) *out++ = '-';
    std::memcpy(out, "0e+00", 5);
    return out + 5;
  }
  if (value < 0) *out++ = '-';
  return write_scientific_digits(out, shortest_digits(std::fabs(value)));
}

char* write_shortest(char* out, double value) {
  if (char* end = write_special(out, value)) return end;
  if (value == 0.0) {
    if (std::signbit(value)) *out++ = '-';
    *out++ = '0';
    return out;
  }
  if (value < 0) *out++ = '-';
  const ShortestDigits d = shortest_digits(std::fabs(value));
  const int n = d.count;
  const int e = d.exponent;
  const int magnitude = e < 0 ? -e : e;
  const int scientific_size = n + (n > 1 ? 1 : 0) + 2 + (magnitude >= 100 ? 3 : 2);
  // Fixed: an integer of e + 1 digits, digits with a point inside, or 0.00ddd.
  const int fixed_size = e >= n - 1 ? e + 1 : e >= 0 ? n + 1 : n + 1 - e;
  if (scientific_size < fixed_size) return write_scientific_digits(out, d);
  if (e >= n - 1) {
    // An integer: its exact digits, which for a value beyond 2^53 may differ from the
    // shortest digits padded with zeros.
    return fmt::format_to(out, "{:.0f}", std::fabs(value));
  }
  if (e >= 0) {
    std::memcpy(out, d.digits, static_cast<std::size_t>(e + 1));
    out += e + 1;
    *out++ = '.';
    std::memcpy(out, d.digits + e + 1, static_cast<std::size_t>(n - e - 1));
    return out + (n - e - 1);
  }
  *out++ = '0';
  *out++ = '.';
  for (int k = -1; k > e; --k) *out++ = '0';
  std::memcpy(out, d.digits, static_cast<std::size_t>(n));
  return out + n;
}

char* write_scientific(char* out, double value, int precision) {
  if (precision < 0 || precision > kMaxTextPrecision)
    throw std::out_of_range("write_scientific: precision " + std::to_string(precision));
  if (char* end = write_special(out, value)) return end;
  return fmt::format_to(out, "{:.{}e}", value, precision);
}

ReadRealResult read_real(const char* first, const char* last, double& value, RealTextForm form) {
  double v = 0.0;
  const auto r =
      fast_float::from_chars(first, last, v,
                             form == RealTextForm::scientific ? fast_float::chars_format::scientific
                                                              : fast_float::chars_format::general);
  if (r.ec != std::errc()) return {r.ptr, r.ec};
  // fast_float gives an infinity or a zero where the value is beyond the doubles;
  // from_chars calls that out of range and keeps the value it was given.
  const char* p = first + (*first == '-' ? 1 : 0);
  if (std::isinf(v) && *p != 'i' && *p != 'I') return {r.ptr, std::errc::result_out_of_range};
  if (v == 0.0) {
    for (; p != r.ptr && *p != 'e' && *p != 'E'; ++p)
      if (*p >= '1' && *p <= '9') return {r.ptr, std::errc::result_out_of_range};
  }
  value = v;
  return {r.ptr, std::errc()};
}

}  // namespace vorn::fmt_text
