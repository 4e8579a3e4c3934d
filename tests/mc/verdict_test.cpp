// The three-valued verdict from P(exceeded)'s Wilson interval, the realizations that would
// settle an undetermined one, and the statistics of quantities with NaN and infinities.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "mc/mc_summary.hpp"
#include "mc/verdict.hpp"
#include "numerics/wilson_interval.hpp"

namespace vorn::mc {
namespace {

constexpr double kZ = 1.959963984540054;
constexpr double kInf = std::numeric_limits<double>::infinity();

// The Wilson bounds are the roots t of (p - t)^2 = z^2 t (1 - t) / n, solved in long double.
std::pair<double, double> score_roots(double k, double n) {
  const long double p = k / n, z2 = static_cast<long double>(kZ) * kZ;
  const long double a = 1 + z2 / n, b = -(2 * p + z2 / n), c = p * p;
  const long double root = std::sqrt(b * b - 4 * a * c);
  return {static_cast<double>((-b - root) / (2 * a)), static_cast<double>((-b + root) / (2 * a))};
}

TEST(WilsonInterval, BoundsAreTheScoreTestsRootsAndStayInsideZeroToOne) {
  for (const auto& [k, n] : {std::pair<std::uint64_t, std::uint64_t>{210, 2000},
                             {1, 300},
                             {81, 263},
                             {2999, 3000},
                             {5, 10}}) {
    const numerics::ShareInterval w = numerics::wilson_interval(k, n);
    const auto [lower, upper] = score_roots(static_cast<double>(k), static_cast<double>(n));
    EXPECT_NEAR(w.lower, lower, 1e-15) << k << "/" << n;
    EXPECT_NEAR(w.upper, upper, 1e-15) << k << "/" << n;
  }
  // None or all: one bound exactly at the end, the other z^2 / (n + z^2) from it.
  const numerics::ShareInterval none = numerics::wilson_interval(0, 300);
  EXPECT_EQ(none.lower, 0.0);
  EXPECT_NEAR(none.upper, kZ * kZ / (300 + kZ * kZ), 1e-16);
  const numerics::ShareInterval all = numerics::wilson_interval(300, 300);
  EXPECT_EQ(all.upper, 1.0);
  EXPECT_NEAR(all.lower, 300 / (300 + kZ * kZ), 1e-15);
  const numerics::ShareInterval empty = numerics::wilson_interval(0, 0);
  EXPECT_EQ(empty.lower, 0.0);
  EXPECT_EQ(empty.upper, 1.0);
}

// One chemical whose `exceeded` of `completed` realizations exceeded, at the 90th percentile.
Decision decision_of(std::uint64_t exceeded, std::uint64_t completed) {
  McBaseline baseline;
  baseline.names = {"x"};
  baseline.cas = {"1-1-1"};
  baseline.quantities.resize(1);
  baseline.gw_waste = baseline.sf_waste = {1.0};
  McTally tally(1);
  tally.realizations = completed;
  tally.chemicals[0].completed = completed;
  tally.chemicals[0].exceeded = exceeded;
  return summarize(baseline, tally, {50}, 90).chemicals[0].decision;
}

// True P(exceeded) 0.105 against the 0.10 the 90th percentile allows: at 2,000 draws the point
// rule says "exceeded", but the interval [0.092, 0.119] holds 0.10.
TEST(Verdict, ExceededNotExceededOrUndeterminedByTheWholeInterval) {
  const Decision close = decision_of(210, 2000);
  EXPECT_TRUE(close.exceeded);
  EXPECT_EQ(close.verdict, Verdict::undetermined);
  EXPECT_LT(close.p_interval.lower, 0.1);
  EXPECT_GT(close.p_interval.upper, 0.1);
  // N (p - t)^2 > z^2 t (1 - t): N > 3.8414588 * 0.09 / 0.000025 = 13829.25, so 13,830 in
  // all, 11,830 more.
  ASSERT_TRUE(close.to_settle);
  EXPECT_EQ(*close.to_settle, 11830u);

  const Decision above = decision_of(300, 2000);
  EXPECT_EQ(above.verdict, Verdict::exceeded);
  EXPECT_GT(above.p_interval.lower, 0.1);
  EXPECT_FALSE(above.to_settle);
  const Decision below = decision_of(100, 2000);
  EXPECT_EQ(below.verdict, Verdict::not_exceeded);
  EXPECT_FALSE(below.exceeded);
  EXPECT_LE(below.p_interval.upper, 0.1);

  // At the allowed share itself no number of realizations settles it.
  const Decision tie = decision_of(200, 2000);
  EXPECT_EQ(tie.verdict, Verdict::undetermined);
  EXPECT_FALSE(tie.to_settle);
  // No exceedance in 20 realizations: the interval [0, 0.161] still holds 0.10; 35 in all
  // would settle it (N > z^2 0.9 / 0.1 = 34.57).
  const Decision few = decision_of(0, 20);
  EXPECT_EQ(few.verdict, Verdict::undetermined);
  ASSERT_TRUE(few.to_settle);
  EXPECT_EQ(*few.to_settle, 15u);
  EXPECT_EQ(decision_of(0, 35).verdict, Verdict::not_exceeded);
  EXPECT_EQ(decision_of(0, 34).verdict, Verdict::undetermined);

  EXPECT_STREQ(verdict_words(Verdict::not_exceeded), "not exceeded");
  EXPECT_STREQ(verdict_words(Verdict::undetermined), "undetermined");
}

// Ten values: -inf, 1..6, +inf twice and NaN. Percentiles, min and max rank the infinities;
// P(above target 3.5) counts the 5 values above it among the 9 that are numbers; mean and sd
// are those of the six finite values.
TEST(QuantitySummary, InfinitiesAreRankedAndNaNIsLeftOutOfTheShareAboveTheTarget) {
  McBaseline baseline;
  baseline.names = {"x"};
  baseline.cas = {"1-1-1"};
  baseline.quantities.resize(1);
  baseline.gw_waste = baseline.sf_waste = {1.0};
  McTally tally(1);
  numerics::QuantityStats& risk = tally.stream_risk;
  for (const double x : {-kInf, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, kInf, kInf, std::nan("")}) {
    risk.add(x, 0.0);
    if (x > 3.5) risk.count_above();
  }
  const McSummary m = summarize(baseline, tally, {5, 50, 90}, 90);
  const QuantitySummary& q = m.stream_risk;
  EXPECT_EQ(q.min, -kInf);
  EXPECT_EQ(q.max, kInf);
  EXPECT_EQ(q.percentiles[0].value, -kInf);        // rank 1 of 9
  EXPECT_NEAR(q.percentiles[1].value, 4.0, 4e-3);  // rank 5
  EXPECT_EQ(q.percentiles[2].value, kInf);         // rank 9
  EXPECT_DOUBLE_EQ(q.p_above, 5.0 / 9);
  EXPECT_EQ(q.mean, 3.5);
  EXPECT_DOUBLE_EQ(q.sd, std::sqrt(3.5));
  const numerics::ShareInterval w = numerics::wilson_interval(5, 9);
  EXPECT_EQ(q.p_above_interval.lower, w.lower);
  EXPECT_EQ(q.p_above_interval.upper, w.upper);
}

}  // namespace
}  // namespace vorn::mc
