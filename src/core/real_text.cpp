#include "core/real_text.hpp"

#include <charconv>
#include <cmath>
#include <cstring>

#include "core/number_text.hpp"

namespace vorn {

char* write_real(char* out, double value) {
  if (std::isnan(value) || std::isinf(value)) {
    const char* word = std::isnan(value) ? "NaN" : value > 0 ? "Infinity" : "-Infinity";
    const std::size_t size = std::strlen(word);
    std::memcpy(out, word, size);
    return out + size;
  }
  char buf[kNumberTextSize];
  const char* end = write_shortest_scientific(buf, value);
  const char* e =
      static_cast<const char*>(std::memchr(buf, 'e', static_cast<std::size_t>(end - buf)));
  int exponent = 0;
  std::from_chars(e + 1 + (e[1] == '+'), end, exponent);
  if (exponent < -4 || exponent >= 16) {
    std::memcpy(out, buf, static_cast<std::size_t>(end - buf));
    return out + (end - buf);
  }

  // Fixed form from the shortest digits d[.ddd].
  const char* mant = buf;
  if (*mant == '-') *out++ = *mant++;
  char digits[20];
  std::size_t count = 0;
  for (const char* p = mant; p != e; ++p)
    if (*p != '.') digits[count++] = *p;
  if (exponent < 0) {
    *out++ = '0';
    *out++ = '.';
    for (int k = -1; k > exponent; --k) *out++ = '0';
    std::memcpy(out, digits, count);
    return out + count;
  }
  const auto int_len = static_cast<std::size_t>(exponent) + 1;
  if (count <= int_len) {
    std::memcpy(out, digits, count);
    out += count;
    for (std::size_t k = count; k < int_len; ++k) *out++ = '0';
    *out++ = '.';
    *out++ = '0';
    return out;
  }
  std::memcpy(out, digits, int_len);
  out += int_len;
  *out++ = '.';
  std::memcpy(out, digits + int_len, count - int_len);
  return out + (count - int_len);
}

std::string format_real(double value) {
  char buf[kRealTextSize];
  return std::string(buf, write_real(buf, value));
}

}  // namespace vorn
