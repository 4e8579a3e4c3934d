// The mean and sd of a quantity's finite values against closed forms, where rounded squares
// cancel or overflow.
#include "numerics/quantity_stats.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>

namespace vorn::numerics {
namespace {

// The values b + k 2^e, k = 0..n-1, have the sd 2^e sqrt(n (n + 1) / 12) (divisor n - 1).
double closed_form_sd(std::uint64_t n, int e) {
  const double nd = static_cast<double>(n);
  return std::ldexp(std::sqrt(nd * (nd + 1) / 12), e);
}

QuantityStats ladder(double b, int e, std::uint64_t n, double baseline, std::uint64_t from = 0) {
  QuantityStats s;
  for (std::uint64_t k = from; k < n; ++k)
    s.add(b + std::ldexp(static_cast<double>(k), e), baseline);
  return s;
}

double ulps_apart(double a, double b) {
  return std::fabs(a - b) / (std::nextafter(b, std::numeric_limits<double>::infinity()) - b);
}

TEST(QuantityStats, SdOfANarrowLadderFarFromZeroIsTheClosedForm) {
  // 1e8 + k 2^-20: each square rounds by up to 1 while the spread squared is 1e-7 per value;
  // rounded squares summed exactly gave sd 0 here.
  for (const std::uint64_t n : {2u, 3u, 1000u, 4097u}) {
    for (const double b : {1e8, -3 * 0x1p25}) {
      for (const double baseline : {0.0, 0.5, -1e8}) {
        SCOPED_TRACE(testing::Message() << "n " << n << " b " << b << " baseline " << baseline);
        const QuantityStats s = ladder(b, -20, n, baseline);
        EXPECT_LE(ulps_apart(s.sd(baseline), closed_form_sd(n, -20)), 1.0)
            << s.sd(baseline) << " vs " << closed_form_sd(n, -20);
        // The mean of b + k 2^-20 is b + (n - 1) 2^-21, exactly a double here.
        EXPECT_EQ(s.mean(baseline), b + std::ldexp(static_cast<double>(n - 1), -21));
      }
    }
  }
}

TEST(QuantityStats, SdWhoseSumOfSquaresPassesTheDoubleRangeIsScaled) {
  // 2^500 (1 + k 2^-40): squares near 2^1000, their sum over 4096 values past 2^1011.
  const std::uint64_t n = 4096;
  const QuantityStats s = ladder(0x1p500, 460, n, 0.0);
  EXPECT_LE(ulps_apart(s.sd(0.0), closed_form_sd(n, 460)), 1.0);
  // As large as sd goes: 2^510, from a baseline on the other side, squares past 2^1022.
  QuantityStats edge;
  for (int k = 0; k < 64; ++k) edge.add(k % 2 ? 0x1p509 : -0x1p509, 0.0);
  EXPECT_LE(ulps_apart(edge.sd(0.0), std::ldexp(std::sqrt(64.0 / 63.0), 509)), 1.0);
}

TEST(QuantityStats, SdIsNaNOnceAValueOrItsDistanceFromTheBaselinePasses2To510) {
  QuantityStats s = ladder(1.0, 0, 10, 0.0);
  EXPECT_FALSE(s.beyond_squares(0.0));
  s.add(0x1p511, 0.0);
  EXPECT_TRUE(s.beyond_squares(0.0));
  EXPECT_TRUE(std::isnan(s.sd(0.0)));
  // Values of moderate size far from their baseline.
  const QuantityStats far = ladder(0x1p510, 0, 10, -0x1p509);
  EXPECT_TRUE(far.beyond_squares(-0x1p509));
  EXPECT_TRUE(std::isnan(far.sd(-0x1p509)));
  EXPECT_FALSE(far.beyond_squares(0x1p509));
  EXPECT_EQ(far.sd(0x1p509), 0.0);
  // A constant quantity has sd 0, exactly; one value has none.
  QuantityStats constant;
  for (int k = 0; k < 5; ++k) constant.add(0.1, 0.3);
  EXPECT_EQ(constant.sd(0.3), 0.0);
  EXPECT_TRUE(std::isnan(ladder(0.1, -60, 1, 0.0).sd(0.0)));
}

TEST(QuantityStats, SplitMergedAndReadBackGiveTheSameBits) {
  const std::uint64_t n = 3000;
  const QuantityStats whole = ladder(1e8, -20, n, 2.5);
  QuantityStats merged = ladder(1e8, -20, 1234, 2.5);
  merged.merge(ladder(1e8, -20, n, 2.5, 1234));
  EXPECT_EQ(merged, whole);
  nlohmann::ordered_json j;
  whole.to_json(j);
  const QuantityStats back = QuantityStats::from_json(j);
  EXPECT_EQ(back, whole);
  EXPECT_EQ(back.sd(2.5), whole.sd(2.5));
}

}  // namespace
}  // namespace vorn::numerics
