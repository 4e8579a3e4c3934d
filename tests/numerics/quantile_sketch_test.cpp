// The percentile sketch's buckets, those of the library logarithm to the bit, and its
// copies.
#include "numerics/quantile_sketch.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace vorn::numerics {
namespace {

constexpr double kAlpha = QuantileSketch::kRelativeAccuracy;

std::int32_t library_bucket(double magnitude) {
  const double log_gamma = std::log1p(kAlpha) - std::log1p(-kAlpha);
  return static_cast<std::int32_t>(std::ceil(std::log(magnitude) / log_gamma));
}

TEST(QuantileSketch, BucketsAreThoseOfTheLibraryLogarithm) {
  // Any finite positive double, subnormals included.
  std::mt19937_64 gen(20261208);
  std::uniform_int_distribution<std::uint64_t> any(1, std::bit_cast<std::uint64_t>(1.7e308));
  for (int k = 0; k < 1000000; ++k) {
    const double m = std::bit_cast<double>(any(gen));
    ASSERT_EQ(QuantileSketch::bucket(m), library_bucket(m)) << m;
  }
  // Around every bucket edge gamma^i: the doubles next to it, where an ulp of the
  // logarithm decides, and those a few 1e-10 away, where the sketch's own logarithm does.
  const double log_gamma = std::log1p(kAlpha) - std::log1p(-kAlpha);
  for (int i = -372000; i <= 354800; ++i) {
    const double edge = std::exp(i * log_gamma);
    if (!(edge > 0) || !std::isfinite(edge)) continue;
    double down = edge, up = edge;
    for (int step = 0; step < 3; ++step) {
      ASSERT_EQ(QuantileSketch::bucket(down), library_bucket(down)) << down;
      ASSERT_EQ(QuantileSketch::bucket(up), library_bucket(up)) << up;
      down = std::nextafter(down, 0.0);
      up = std::nextafter(up, 2 * up);
    }
    for (double f : {1 - 3e-10, 1 - 1e-9, 1 + 3e-10, 1 + 1e-9}) {
      const double m = edge * f;
      if (m > 0 && std::isfinite(m)) {
        ASSERT_EQ(QuantileSketch::bucket(m), library_bucket(m)) << m;
      }
    }
  }
}

// A sketch keeps an index of its pages; a copy must count into its own pages only, and
// a moved-from or assigned sketch must not keep the index of the pages it had.
TEST(QuantileSketch, CopiesCountIntoTheirOwnPages) {
  QuantileSketch first, expected;
  for (int k = 1; k <= 1000; ++k) {
    const double x = (k % 2 ? 1 : -1) * std::exp(0.01 * k);
    first.add(x);
    expected.add(x);
  }
  QuantileSketch copy = first;
  QuantileSketch assigned;
  assigned.add(5.0);
  assigned = first;
  for (int k = 1; k <= 1000; ++k) {
    copy.add(std::exp(0.01 * k));
    assigned.add(-std::exp(0.01 * k));
  }
  EXPECT_EQ(first.to_string(), expected.to_string());
  QuantileSketch moved = std::move(copy);
  moved.add(2.0);
  copy = expected;
  copy.add(3.0);
  expected.add(3.0);
  EXPECT_EQ(copy.to_string(), expected.to_string());
  EXPECT_EQ(moved.count(), 2001u);
  EXPECT_EQ(assigned.count(), 2000u);
}

// 100 values: 3 of -inf, the integers 1..90, 7 of +inf, and NaN twice, which is not ranked.
// Nearest rank over the 100 ranked: ranks 1..3 are -inf, 4..93 the finite values, 94..100
// +inf (the p99 that the values' own count would have put at 90).
TEST(QuantileSketch, InfinitiesRankBeyondEveryFiniteValueAndNaNIsNotRanked) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  QuantileSketch s;
  for (int k = 0; k < 7; ++k) s.add(kInf);
  for (int k = 1; k <= 90; ++k) s.add(k);
  for (int k = 0; k < 3; ++k) s.add(-kInf);
  s.add(std::nan(""));
  s.add(-std::nan(""));
  EXPECT_EQ(s.count(), 90u);
  EXPECT_EQ(s.ranked_count(), 100u);
  EXPECT_EQ(s.nan_count(), 2u);
  EXPECT_EQ(s.lowest(), -kInf);
  EXPECT_EQ(s.highest(), kInf);
  EXPECT_EQ(s.min(), 1.0);
  EXPECT_EQ(s.max(), 90.0);
  EXPECT_EQ(s.percentile(3), -kInf);
  EXPECT_EQ(s.percentile(4), 1.0);
  EXPECT_EQ(s.percentile(93), 90.0);
  EXPECT_EQ(s.percentile(94), kInf);
  EXPECT_EQ(s.percentile(99), kInf);
  EXPECT_NEAR(s.percentile(50), 47.0, 47 * kAlpha);
  const QuantileSketch::Interval p99 = s.confidence_interval(99);
  EXPECT_EQ(p99.upper, kInf);
  EXPECT_EQ(p99.upper_rank, 100u);
  const QuantileSketch::Interval p1 = s.confidence_interval(1);
  EXPECT_EQ(p1.lower, -kInf);
  // The counts survive the text form and a merge.
  const QuantileSketch back = QuantileSketch::parse(s.to_string());
  EXPECT_EQ(back, s);
  QuantileSketch halves;
  halves.add(kInf);
  halves.add(std::nan(""));
  halves.merge(s);
  EXPECT_EQ(halves.pos_inf_count(), 8u);
  EXPECT_EQ(halves.nan_count(), 3u);
  // Only infinities: every percentile is one of them.
  QuantileSketch only;
  only.add(kInf);
  EXPECT_EQ(only.percentile(5), kInf);
  EXPECT_EQ(only.lowest(), kInf);
}

}  // namespace
}  // namespace vorn::numerics
