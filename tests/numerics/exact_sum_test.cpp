// Exact sums: cases whose true sum is known, order independence, the text form.
#include "numerics/exact_sum.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>
#include <vector>

namespace vorn::numerics {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kTiny = std::numeric_limits<double>::denorm_min();

ExactSum sum_of(const std::vector<double>& xs) {
  ExactSum s;
  for (double x : xs) s.add(x);
  return s;
}

TEST(ExactSum, ManyTenthsRoundToTheExactSum) {
  // The double 0.1 is 0.1000000000000000055511151231257827...: a million of them sum
  // to 100000.0000000000055..., which rounds to 100000 (naive summation: 100000.0000013).
  ExactSum s;
  for (int i = 0; i < 1000000; ++i) s.add(0.1);
  EXPECT_EQ(s.value(), 100000.0);
  EXPECT_EQ(sum_of(std::vector<double>(10, 0.1)).value(), 1.0);
}

TEST(ExactSum, CancellationsKeepTheSmallTerms) {
  EXPECT_EQ(sum_of({1e300, 1.0, -1e300}).value(), 1.0);
  EXPECT_EQ(sum_of({1e300, 0.1, -1e300, 0.2}).value(), 0.30000000000000004);  // 0.1 + 0.2
  EXPECT_EQ(sum_of({kMax, kMax, -kMax}).value(), kMax);
  EXPECT_EQ(sum_of({kMax, kMax}).value(), std::numeric_limits<double>::infinity());
  EXPECT_EQ(sum_of({-kMax, -kMax}).value(), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(sum_of({kTiny, kTiny, 1.0, -1.0}).value(), 2 * kTiny);
  EXPECT_EQ(sum_of({-0.0, 0.0, 3.0, -3.0}).value(), 0.0);
}

TEST(ExactSum, RoundsToNearestWithTiesToEvenAndStickyBitsFromFarBelow) {
  EXPECT_EQ(sum_of({1.0, 0x1p-53}).value(), 1.0);                      // tie, to even
  EXPECT_EQ(sum_of({1.0 + 0x1p-52, 0x1p-53}).value(), 1.0 + 0x1p-51);  // tie, to even
  EXPECT_EQ(sum_of({1.0, 0x1p-53, kTiny}).value(), 1.0 + 0x1p-52);     // above the tie
  EXPECT_EQ(sum_of({-1.0, -0x1p-53, -kTiny}).value(), -1.0 - 0x1p-52);
  EXPECT_EQ(sum_of({1.0, -0x1p-54, -kTiny}).value(), 1.0 - 0x1p-53);
  // Sum of 2^k, k = -1074..1022, is 2^1023 - 2^-1074: the longest carry chain, rounds up.
  ExactSum s;
  for (int k = -1074; k <= 1022; ++k) s.add(std::ldexp(1.0, k));
  EXPECT_EQ(s.value(), 0x1p1023);
}

TEST(ExactSum, StateDependsOnTheValuesAloneNotOnOrderOrGrouping) {
  std::mt19937_64 gen(20240611);
  std::vector<double> xs;
  for (int i = 0; i < 20000; ++i) {
    const double mantissa = std::uniform_real_distribution<double>(-1, 1)(gen);
    const int exponent = std::uniform_int_distribution<int>(-1074, 1000)(gen);
    xs.push_back(std::ldexp(mantissa, exponent));
  }
  // Every value also appears negated: the exact total is the one value left, 0.3.
  std::vector<double> all = xs;
  for (double x : xs) all.push_back(-x);
  all.push_back(0.3);
  std::shuffle(all.begin(), all.end(), gen);
  const ExactSum forward = sum_of(all);
  EXPECT_EQ(forward.value(), 0.3);
  EXPECT_EQ(forward, sum_of({0.3}));

  std::reverse(all.begin(), all.end());
  ExactSum merged;
  for (std::size_t begin = 0; begin < all.size(); begin += 6007) {
    ExactSum part;
    for (std::size_t i = begin; i < std::min(all.size(), begin + 6007); ++i) part.add(all[i]);
    merged.merge(part);
  }
  EXPECT_EQ(merged, forward);
  EXPECT_EQ(merged.to_string(), "0x13333333333333p-54");
}

TEST(ExactSum, CarriesHeldBackBetweenPassesLoseNothing) {
  // Adds pass their carries on every 2^16 adds; sums of large values of both signs over
  // many passes, and merges of sums between passes, stay exact: n (1 + 2^-52) 2^1000
  // - n 2^1000 is n 2^948.
  const int n = 3 * 65536 + 5;
  ExactSum whole, first, second;
  for (int i = 0; i < n; ++i) {
    for (ExactSum* s : {&whole, i < 70001 ? &first : &second}) {
      s->add((1 + 0x1p-52) * 0x1p1000);
      s->add(-0x1p1000);
    }
  }
  EXPECT_EQ(whole.value(), n * 0x1p948);
  first.merge(second);
  EXPECT_EQ(first, whole);
  EXPECT_EQ(first.to_string(), whole.to_string());
  ExactSum negative;
  for (int i = 0; i < n; ++i) negative.add(-kMax);
  negative.add(kTiny);
  EXPECT_EQ(ExactSum::parse(negative.to_string()), negative);
  EXPECT_EQ(negative.value(), -std::numeric_limits<double>::infinity());
}

TEST(ExactSum, NonFiniteValuesAreCountedApart) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(std::isnan(sum_of({1.0, std::nan("")}).value()));
  EXPECT_EQ(sum_of({1.0, inf, inf}).value(), inf);
  EXPECT_TRUE(std::isnan(sum_of({inf, -inf}).value()));
  const ExactSum s = sum_of({2.0, -inf, std::nan(""), std::nan("")});
  EXPECT_EQ(s.nan_count(), 2u);
  EXPECT_EQ(s.neg_inf_count(), 1u);
  EXPECT_EQ(s.pos_inf_count(), 0u);
}

TEST(ExactSum, TextFormIsTheExactValueAndRoundTrips) {
  EXPECT_EQ(ExactSum().to_string(), "0x0p0");
  EXPECT_EQ(sum_of({0.5}).to_string(), "0x1p-1");
  EXPECT_EQ(sum_of({-3.0}).to_string(), "-0x3p0");
  EXPECT_EQ(sum_of({kTiny}).to_string(), "0x1p-1074");
  EXPECT_EQ(sum_of({1.0, std::nan(""), -std::numeric_limits<double>::infinity()}).to_string(),
            "0x1p0;nan=1;-inf=1");
  for (const ExactSum& s :
       {sum_of({kMax, kMax, kMax, -kTiny}), sum_of({-1e-300, 1e-310, 7.0}),
        sum_of({1.0, std::nan(""), std::numeric_limits<double>::infinity()}), ExactSum()}) {
    const ExactSum back = ExactSum::parse(s.to_string());
    EXPECT_EQ(back, s) << s.to_string();
    EXPECT_EQ(back.to_string(), s.to_string());
  }
  for (const char* bad : {"", "0x", "1p0", "0x1", "0x1p", "0xgp0", "0x1p-1075", "0x1p0;nan=0",
                          "0x1p0;x=1", "0x1p2000", "0x1p0 "}) {
    EXPECT_THROW(ExactSum::parse(bad), std::invalid_argument) << bad;
  }
}

}  // namespace
}  // namespace vorn::numerics
