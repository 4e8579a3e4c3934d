// The shortest real texts of the log against std::to_chars, on the values a log mostly holds:
// decimals of few digits as read from an input, and the doubles next to them.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "core/real_text.hpp"

namespace vorn {
namespace {

// The text from std::to_chars's shortest scientific digits: fixed form for the exponents
// -4..15, that scientific text otherwise.
std::string from_to_chars(double v) {
  char buf[64];
  char* end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific).ptr;
  const std::string text(buf, end);
  const std::size_t e = text.find('e');
  const int exponent = std::stoi(text.substr(e + 1));
  if (exponent < -4 || exponent >= 16) return text;
  std::string sign = v < 0 || (v == 0 && std::signbit(v)) ? "-" : "";
  std::string digits;
  for (char c : text.substr(0, e))
    if (c >= '0' && c <= '9') digits += c;
  if (exponent < 0) return sign + "0." + std::string(-exponent - 1, '0') + digits;
  const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= whole) return sign + digits + std::string(whole - digits.size(), '0') + ".0";
  return sign + digits.substr(0, whole) + "." + digits.substr(whole);
}

double read(const std::string& text) {
  double v = 0;
  std::from_chars(text.data(), text.data() + text.size(), v);
  return v;
}

void expect_alike(double v) {
  ASSERT_EQ(format_real(v), from_to_chars(v)) << std::hexfloat << v;
}

TEST(FormatReal, DecimalsOfOneToSeventeenDigitsAndTheirNeighboursAsToChars) {
  std::mt19937_64 rng(424242);
  for (int k = 0; k < 400000; ++k) {
    const int digits = 1 + static_cast<int>(rng() % 17);
    std::string text;
    for (int i = 0; i < digits; ++i) text += static_cast<char>('0' + rng() % 10);
    text += "e" + std::to_string(static_cast<int>(rng() % 90) - 45);
    const double v = read(text);
    expect_alike(v);
    expect_alike(-v);
    expect_alike(std::nextafter(v, 0.0));
    expect_alike(std::nextafter(v, 1e300));
  }
}

TEST(FormatReal, PowersOfTenAndTheEdgesOfTheExactScalesAsToChars) {
  for (int e = -330; e <= 310; ++e) {
    for (const char* mantissa : {"1", "9.99999999999999", "9.999999999999999", "1.00000000000001",
                                 "5", "2.5", "0.999999999999999"}) {
      const double v = read(std::string(mantissa) + "e" + std::to_string(e));
      expect_alike(v);
      expect_alike(std::nextafter(v, 0.0));
      expect_alike(std::nextafter(v, std::numeric_limits<double>::infinity()));
    }
  }
  for (double v : {0.0, -0.0, 1.0, 1e15, 999999999999999.0, 9007199254740992.0, 1e-8, 1e-9, 1e36,
                   1e37, 123456789012345.6, 0.30000000000000004, 5e-324,
                   std::numeric_limits<double>::max(), std::numeric_limits<double>::min()})
    expect_alike(v);
}

TEST(FormatReal, RandomDoublesAsToChars) {
  std::mt19937_64 rng(11);
  for (int k = 0; k < 200000; ++k) {
    const std::uint64_t bits = rng();
    double v = 0;
    std::memcpy(&v, &bits, sizeof v);
    if (std::isfinite(v)) expect_alike(v);
    // Integers and binary fractions of every size.
    expect_alike(std::ldexp(static_cast<double>(bits >> (11 + rng() % 50)),
                            static_cast<int>(rng() % 120) - 60));
  }
}

}  // namespace
}  // namespace vorn
