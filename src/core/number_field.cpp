#include "core/number_field.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/bit_cast.hpp"
#include "core/number_text.hpp"

namespace vorn {
namespace {

constexpr int kPowerRange = 300;

// 10^k for |k| <= kPowerRange, each the double nearest to it.
double power_of_ten(int k) {
  static const auto table = [] {
    std::array<double, 2 * kPowerRange + 1> t{};
    for (int i = -kPowerRange; i <= kPowerRange; ++i) {
      char text[8] = "1e";
      const auto end = std::to_chars(text + 2, text + sizeof text, i).ptr;
      read_real(text, end, t[static_cast<std::size_t>(i + kPowerRange)]);
    }
    return t;
  }();
  return table[static_cast<std::size_t>(k + kPowerRange)];
}

// The value is 0.ddd times 10^exponent, with ddd (100..999) in `digits`.
struct ThreeDigits {
  int digits;
  int exponent;
};

// Scales into [100, 1000) with at most two roundings (about 1e-13 off there) and rounds to
// the nearest integer; false when the scaled value is too near a half for that to be safe.
// Subnormal values take the exact way.
bool three_digits_fast(double a, ThreeDigits& out) {
  const int biased = static_cast<int>(vorn::bit_cast<std::uint64_t>(a) >> 52);
  if (biased == 0) return false;
  const int binary = biased - 1023;  // a >= 2^binary
  // floor(log10(a)) or one less: floor(binary log10 2), where 78913 / 2^18 lies just below
  // log10 2 and 78914 / 2^18 just above, so the integer forms are never above it.
  int e = binary >= 0 ? (binary * 78913) >> 18 : -((-binary * 78914 + (1 << 18) - 1) >> 18);
  if (2 - e <= -kPowerRange || 2 - e > kPowerRange) return false;
  double q = a * power_of_ten(2 - e);
  if (q >= 1000.0) {
    ++e;
    q = a * power_of_ten(2 - e);
  }
  if (q < 100.0 || q >= 1000.0) return false;
  const int whole = static_cast<int>(q);  // floor(q), q being positive
  const double frac = q - whole;
  if (std::fabs(frac - 0.5) < 1e-9) return false;
  int n = whole + (frac > 0.5 ? 1 : 0);
  if (n == 1000) {
    n = 100;
    ++e;
  }
  out = {n, e + 1};
  return true;
}

// From the exact value: d.dde±X, then 0.ddd with the exponent raised by one.
ThreeDigits three_digits_exact(double a) {
  char buf[kNumberTextSize];
  const char* end = write_scientific(buf, a, 2);
  int exponent = 0;
  std::from_chars(buf + 5 + (buf[5] == '+'), end, exponent);
  return {(buf[0] - '0') * 100 + (buf[2] - '0') * 10 + (buf[3] - '0'), exponent + 1};
}

}  // namespace

char* write_number_field(char* out, double value) {
  const char* special = std::isnan(value)   ? "       NaN"
                        : std::isinf(value) ? (value > 0 ? "  Infinity" : " -Infinity")
                        : value == 0.0      ? " 0.000E+00"
                                            : nullptr;
  if (special != nullptr) {
    std::memcpy(out, special, kNumberWidth);
    return out + kNumberWidth;
  }
  const double a = std::fabs(value);
  ThreeDigits t{};
  if (!three_digits_fast(a, t)) t = three_digits_exact(a);
  *out++ = value < 0 ? '-' : ' ';
  *out++ = '0';
  *out++ = '.';
  *out++ = static_cast<char>('0' + t.digits / 100);
  *out++ = static_cast<char>('0' + t.digits / 10 % 10);
  *out++ = static_cast<char>('0' + t.digits % 10);
  const int magnitude = std::abs(t.exponent);
  if (magnitude <= 99) *out++ = 'E';
  *out++ = t.exponent < 0 ? '-' : '+';
  if (magnitude > 99) *out++ = static_cast<char>('0' + magnitude / 100);
  *out++ = static_cast<char>('0' + magnitude / 10 % 10);
  *out++ = static_cast<char>('0' + magnitude % 10);
  return out;
}

std::string number_field(double value) {
  std::string out(kNumberWidth, ' ');
  write_number_field(out.data(), value);
  return out;
}

}  // namespace vorn
