#include "core/real_text.hpp"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/bit_cast.hpp"
#include "core/exact_powers.hpp"
#include "core/number_text.hpp"

namespace vorn {
namespace {

// The significant digits of a value, d1 d2 ... dn, with the power of ten of d1.
struct Digits {
  char text[20];
  int count;
  int exponent;
};

constexpr std::uint64_t kFifteenDigits = 1'000'000'000'000'000;  // 10^15

// a * 10^k and d * 10^-k for |k| <= kMaxExactPower: one rounding each, as the exact powers
// make them.
double scaled(double a, int k) {
  return k >= 0 ? a * kExactPowersOfTen[k] : a / kExactPowersOfTen[-k];
}
double unscaled(std::uint64_t d, int k) {
  const double v = static_cast<double>(d);
  return k >= 0 ? v / kExactPowersOfTen[k] : v * kExactPowersOfTen[-k];
}

// The shortest digits of a > 0 when at most 15 significant digits read back as a. No two
// decimals of 15 digits or fewer round to the same double, so those digits are then the
// shortest that do, the same that std::to_chars finds. False when a needs more digits, or
// lies outside about [1e-8, 1e37) where the powers of ten are not all exact.
bool short_digits(double a, Digits& out) {
  const auto bits = vorn::bit_cast<std::uint64_t>(a);
  const int e2 = static_cast<int>(bits >> 52) - 1023;  // a in [2^e2, 2^(e2 + 1))
  if (e2 < -30 || e2 > 125) return false;
  // floor(e2 log10 2), or one less: 78913 / 2^18 lies just below log10 2, 78914 / 2^18 above.
  int e10 = e2 >= 0 ? (e2 * 78913) >> 18 : -((-e2 * 78914 + (1 << 18) - 1) >> 18);
  // Fifteen digits at the scale 10^k; a low e10 gives sixteen, and one more try.
  std::uint64_t d = 0;
  int k = 0;
  for (int tries = 0;; ++tries) {
    k = 14 - e10;
    if (k < -kMaxExactPower || k > kMaxExactPower || tries == 3) return false;
    d = static_cast<std::uint64_t>(scaled(a, k) + 0.5);
    if (d < kFifteenDigits) break;
    ++e10;
  }
  // The nearest integer to the scaled value is the only candidate at that scale.
  if (unscaled(d, k) != a) return false;
  // Trailing zeros off: 8, 4, 2 and 1 of them take away up to 15.
  int count = 15;
  for (int zeros = 8; zeros > 0; zeros /= 2) {
    const std::uint64_t power = static_cast<std::uint64_t>(kExactPowersOfTen[zeros]);
    if (d % power == 0) {
      d /= power;
      count -= zeros;
    }
  }
  for (int i = count - 1; i >= 0; --i, d /= 10) out.text[i] = static_cast<char>('0' + d % 10);
  out.count = count;
  out.exponent = e10;
  return true;
}

// The shortest digits from std::to_chars: d[.ddd]e±XX.
Digits shortest_digits(double a) {
  char buf[kNumberTextSize];
  const char* end = write_shortest_scientific(buf, a);
  const char* e =
      static_cast<const char*>(std::memchr(buf, 'e', static_cast<std::size_t>(end - buf)));
  Digits d{};
  std::from_chars(e + 1 + (e[1] == '+'), end, d.exponent);
  for (const char* p = buf; p != e; ++p)
    if (*p != '.') d.text[d.count++] = *p;
  return d;
}

char* write_scientific_form(char* out, const Digits& d) {
  *out++ = d.text[0];
  if (d.count > 1) {
    *out++ = '.';
    std::memcpy(out, d.text + 1, static_cast<std::size_t>(d.count - 1));
    out += d.count - 1;
  }
  *out++ = 'e';
  *out++ = d.exponent < 0 ? '-' : '+';
  const int magnitude = std::abs(d.exponent);
  if (magnitude >= 100) *out++ = static_cast<char>('0' + magnitude / 100);
  *out++ = static_cast<char>('0' + magnitude / 10 % 10);
  *out++ = static_cast<char>('0' + magnitude % 10);
  return out;
}

char* write_fixed_form(char* out, const Digits& d) {
  const std::size_t count = static_cast<std::size_t>(d.count);
  if (d.exponent < 0) {
    *out++ = '0';
    *out++ = '.';
    for (int k = -1; k > d.exponent; --k) *out++ = '0';
    std::memcpy(out, d.text, count);
    return out + count;
  }
  const auto int_len = static_cast<std::size_t>(d.exponent) + 1;
  if (count <= int_len) {
    std::memcpy(out, d.text, count);
    out += count;
    for (std::size_t k = count; k < int_len; ++k) *out++ = '0';
    *out++ = '.';
    *out++ = '0';
    return out;
  }
  std::memcpy(out, d.text, int_len);
  out += int_len;
  *out++ = '.';
  std::memcpy(out, d.text + int_len, count - int_len);
  return out + (count - int_len);
}

}  // namespace

char* write_real(char* out, double value) {
  if (std::isnan(value) || std::isinf(value)) {
    const char* word = std::isnan(value) ? "NaN" : value > 0 ? "Infinity" : "-Infinity";
    const std::size_t size = std::strlen(word);
    std::memcpy(out, word, size);
    return out + size;
  }
  if (std::signbit(value)) *out++ = '-';
  const double a = std::fabs(value);
  Digits d{};
  if (a == 0.0) {
    d = {{'0'}, 1, 0};
  } else if (!short_digits(a, d)) {
    d = shortest_digits(a);
  }
  return d.exponent < -4 || d.exponent >= 16 ? write_scientific_form(out, d)
                                             : write_fixed_form(out, d);
}

std::string format_real(double value) {
  char buf[kRealTextSize];
  return std::string(buf, write_real(buf, value));
}

}  // namespace vorn
