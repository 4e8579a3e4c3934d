// The percentile sketch against exact sorts, merged in any order, and its intervals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "numerics/distribution.hpp"
#include "numerics/quantile_sketch.hpp"
#include "numerics/random_stream.hpp"

namespace vorn::numerics {
namespace {

constexpr std::uint64_t kSeed = 777;
constexpr double kAlpha = QuantileSketch::kRelativeAccuracy;

std::vector<double> sample(const Distribution& d, std::uint64_t n, std::uint32_t parameter) {
  std::vector<double> xs;
  for (std::uint64_t r = 1; r <= n; ++r) xs.push_back(d.quantile(uniform(kSeed, r, parameter)));
  return xs;
}

QuantileSketch sketch_of(const std::vector<double>& xs, std::size_t begin, std::size_t end) {
  QuantileSketch s;
  for (std::size_t i = begin; i < end; ++i) s.add(xs[i]);
  return s;
}

// Percentile q (in tenths of a percent) against the order statistic of nearest rank.
void expect_within_accuracy(const QuantileSketch& s, std::vector<double> xs) {
  std::sort(xs.begin(), xs.end());
  const std::uint64_t n = xs.size();
  for (std::uint64_t tenths = 0; tenths <= 1000; tenths += 5) {
    const std::uint64_t rank = std::max<std::uint64_t>(1, (tenths * n + 999) / 1000);
    const double exact = xs[rank - 1];
    const double got = s.percentile(static_cast<double>(tenths) / 10);
    ASSERT_LE(std::fabs(got - exact), kAlpha * (1 + 1e-9) * std::fabs(exact))
        << "q " << tenths / 10.0 << " rank " << rank << " exact " << exact << " got " << got;
  }
  EXPECT_EQ(s.percentile(0), xs.front());
  EXPECT_EQ(s.percentile(100), xs.back());
}

TEST(QuantileSketch, PercentilesOfAMillionLognormalsAreWithinTheStatedAccuracy) {
  const auto xs = sample(Distribution(Family::lognormal, {.gm = 0.012, .gsd = 3}), 1000000, 1);
  const QuantileSketch s = sketch_of(xs, 0, xs.size());
  EXPECT_EQ(s.count(), xs.size());
  expect_within_accuracy(s, xs);
  // 2,000 sketches of this spread fit in 100 MB.
  EXPECT_LT(s.memory_bytes(), 50000u);
}

TEST(QuantileSketch, NegativeValuesAndZerosRankInOrder) {
  auto xs = sample(Distribution(Family::normal, {.mean = 0.5, .sd = 2}), 100000, 2);
  for (std::size_t i = 0; i < xs.size(); i += 10) xs[i] = i % 20 ? 0.0 : -0.0;
  const QuantileSketch s = sketch_of(xs, 0, xs.size());
  expect_within_accuracy(s, xs);
  QuantileSketch t;
  t.add(std::nan(""));
  t.add(INFINITY);
  t.add(-2.0);
  EXPECT_EQ(t.count(), 1u);
  EXPECT_EQ(t.nan_count(), 1u);
  EXPECT_EQ(t.pos_inf_count(), 1u);  // ranked above -2: the median is -2
  EXPECT_EQ(t.percentile(50), -2.0);
  EXPECT_TRUE(std::isnan(QuantileSketch().percentile(50)));
}

TEST(QuantileSketch, AnySplitMergedInAnyOrderGivesTheSameState) {
  const auto xs = sample(Distribution(Family::weibull, {.shape = 0.7, .scale = 2}), 1000000, 3);
  const QuantileSketch whole = sketch_of(xs, 0, xs.size());
  // Uneven shards, merged left to right.
  QuantileSketch left;
  std::vector<std::size_t> cuts = {0, 1, 99, 123456, 500000, 777777, 999999, xs.size()};
  for (std::size_t i = 0; i + 1 < cuts.size(); ++i) left.merge(sketch_of(xs, cuts[i], cuts[i + 1]));
  // Other shards, merged right to left as a tree.
  cuts = {0, 250000, 250001, 600000, xs.size()};
  QuantileSketch a = sketch_of(xs, cuts[3], cuts[4]), b = sketch_of(xs, cuts[2], cuts[3]);
  QuantileSketch c = sketch_of(xs, cuts[1], cuts[2]), d = sketch_of(xs, cuts[0], cuts[1]);
  a.merge(b);
  c.merge(d);
  c.merge(a);
  EXPECT_EQ(left, whole);
  EXPECT_EQ(c, whole);
  EXPECT_EQ(c.to_string(), whole.to_string());
  const QuantileSketch back = QuantileSketch::parse(whole.to_string());
  EXPECT_EQ(back, whole);
  EXPECT_EQ(back.percentile(37.5), whole.percentile(37.5));
  for (const char* bad :
       {"", "n=1;min=1;max=1;zero=0;nan=0;inf=0;-inf=0;pos=;neg=",
        "n=1;min=1;max=1;zero=0;nan=0;inf=0;-inf=0;pos=0:1,0:1;neg=",
        "n=2;min=1;max=1;zero=0;nan=0;inf=0;-inf=0;pos=0:1;neg=", "n=0;min=inf"}) {
    EXPECT_THROW(QuantileSketch::parse(bad), std::invalid_argument) << bad;
  }
}

TEST(QuantileSketch, ConfidenceIntervalsComeFromBinomialOrderStatistics) {
  // n = 10, median: P(B <= 1) = 11/1024 <= 0.025 < P(B <= 2) = 56/1024, and
  // P(B <= 7) = 968/1024 < 0.975 <= P(B <= 8) = 1013/1024: ranks 2 and 9.
  QuantileSketch small;
  for (int i = 1; i <= 10; ++i) small.add(i * 1.5);
  const auto ci = small.confidence_interval(50);
  EXPECT_EQ(ci.lower_rank, 2u);
  EXPECT_EQ(ci.upper_rank, 9u);
  EXPECT_NEAR(ci.lower, 3.0, 3.0 * kAlpha);
  EXPECT_NEAR(ci.upper, 13.5, 13.5 * kAlpha);
  // Large n: np -+ 1.96 sqrt(np(1-p)) with continuity correction, 500000 -+ 979.98.
  QuantileSketch big;
  for (int i = 0; i < 1000000; ++i) big.add(i);
  const auto wide = big.confidence_interval(50);
  EXPECT_EQ(wide.lower_rank, 499020u);
  EXPECT_EQ(wide.upper_rank, 500981u);
  // Coverage: the 90th percentile of the unit uniform, 2,000 samples of 99 values.
  int covered = 0;
  for (std::uint32_t trial = 0; trial < 2000; ++trial) {
    QuantileSketch s;
    for (std::uint64_t r = 1; r <= 99; ++r) s.add(uniform(kSeed, r, 100 + trial));
    const auto i = s.confidence_interval(90);
    covered += i.lower <= 0.9 && 0.9 <= i.upper;
  }
  EXPECT_GE(covered, 1870);  // 95 % less three standard errors of 2,000 trials
}

}  // namespace
}  // namespace vorn::numerics
