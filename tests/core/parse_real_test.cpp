// Reals read by the free-form reader against std::from_chars, on decimal tokens of every
// length and exponent form: the same double, bit for bit, sign of zero included.
#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <random>
#include <string>

#include "core/free_form.hpp"

namespace vorn {
namespace {

// std::from_chars on the token with a 'd' exponent written 'e' and no leading '+'.
double reference(std::string token) {
  for (char& c : token)
    if (c == 'd' || c == 'D') c = 'e';
  const std::size_t start = token[0] == '+' ? 1 : 0;
  double v = 0;
  const auto r = std::from_chars(token.data() + start, token.data() + token.size(), v);
  EXPECT_EQ(r.ec, std::errc()) << token;
  return v;
}

void expect_alike(const std::string& token) {
  double v = -1;
  ASSERT_TRUE(parse_real(token, v)) << token;
  const double expected = reference(token);
  ASSERT_EQ(std::memcmp(&v, &expected, sizeof v), 0)
      << token << " read as " << v << ", from_chars " << expected;
}

std::string digits(std::mt19937_64& rng, int count) {
  std::string s;
  for (int i = 0; i < count; ++i) s += static_cast<char>('0' + rng() % 10);
  return s;
}

TEST(ParseReal, DecimalTokensOfEveryLengthAsFromChars) {
  std::mt19937_64 rng(2718);
  const char* const marks[] = {"e", "E", "d", "D", "e+", "e-", "E-0", "d+00"};
  for (int k = 0; k < 300000; ++k) {
    std::string token = rng() % 4 == 0 ? "-" : rng() % 8 == 0 ? "+" : "";
    const int whole = static_cast<int>(rng() % 12);
    const int fraction = static_cast<int>(rng() % 14);
    token += digits(rng, whole);
    if (fraction > 0 || whole == 0) token += "." + digits(rng, fraction > 0 ? fraction : 1);
    if (rng() % 3 != 0) {
      token += marks[rng() % 8];
      token += std::to_string(rng() % 40);
    }
    expect_alike(token);
  }
}

TEST(ParseReal, MantissasAroundTwoToTheFiftyThirdAndTheExactPowers) {
  for (const char* mantissa : {"9007199254740992", "9007199254740993", "9007199254740991",
                               "18014398509481985", "1", "123456789012345678", "0", "-0"}) {
    for (int e = -25; e <= 25; ++e) {
      expect_alike(std::string(mantissa) + "e" + std::to_string(e));
      expect_alike(std::string(mantissa) + ".000e" + std::to_string(e));
      if (mantissa[0] != '-')
        expect_alike("0.0000" + std::string(mantissa) + "e" + std::to_string(e));
    }
  }
}

}  // namespace
}  // namespace vorn
