// The problems reported for unusable parameters, and the shapes that must sample right.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "numerics/distribution.hpp"

namespace vorn::numerics {
namespace {

using Problems = std::vector<std::string>;

TEST(DistributionChecks, EachProblemIsNamedWithItsValues) {
  DistributionParameters p;
  p.min = 5;
  p.max = 3;
  EXPECT_EQ(distribution_problems(Family::uniform, p), Problems{"min (5) is greater than max (3)"});
  p.mode = 7;
  p.max = 6;
  EXPECT_EQ(distribution_problems(Family::triangular, p),
            Problems{"mode (7) is outside [min, max] = [5, 6]"});
  p.mode = 5.5;
  p.lambda = 0;
  EXPECT_EQ(distribution_problems(Family::pert, p), Problems{"lambda (0) must be positive"});
  EXPECT_EQ(distribution_problems(Family::loguniform, {.min = 0, .max = 2}),
            Problems{"min (0) must be positive"});
  EXPECT_EQ(distribution_problems(Family::normal, {.mean = 1, .sd = -2}),
            Problems{"sd (-2) must be positive"});
  EXPECT_EQ(distribution_problems(Family::normal, {.sd = 2}), Problems{"missing mean"});
  EXPECT_EQ(distribution_problems(Family::lognormal, {.gm = 0.012, .gsd = 0.5}),
            Problems{"gsd (0.5) must be greater than 1"});
  EXPECT_EQ(distribution_problems(Family::lognormal, {.mean = 1, .sd = 1, .gm = 1, .gsd = 2}),
            Problems{"give gm and gsd, or mean and sd, not both"});
  EXPECT_EQ(distribution_problems(Family::lognormal, {.gm = 1}), Problems{"missing gsd"});
  EXPECT_EQ(distribution_problems(Family::gamma, {.shape = 0, .scale = -1}),
            (Problems{"shape (0) must be positive", "scale (-1) must be positive"}));
  EXPECT_EQ(distribution_problems(Family::beta, {.alpha = 2}), Problems{"missing beta"});
  EXPECT_EQ(distribution_problems(Family::beta, {.min = 2, .alpha = 2, .beta = 3}),
            Problems{"min (2) is greater than max (1)"});
  EXPECT_EQ(distribution_problems(Family::weibull, {.shape = NAN, .scale = 1}),
            Problems{"shape (nan) is not a finite number"});
  EXPECT_EQ(distribution_problems(Family::uniform, {.min = 1, .max = 1}),
            Problems{"min and max are both 1; use a constant"});
}

TEST(DistributionChecks, EmpiricalTablesAndTruncationsAreChecked) {
  EXPECT_EQ(distribution_problems(Family::empirical, {}),
            Problems{"missing values (or cdf points)"});
  EXPECT_EQ(distribution_problems(Family::empirical, {.values = {1, 2}, .weights = {1, -1}}),
            Problems{"weight (-1) is negative or not finite"});
  EXPECT_EQ(distribution_problems(Family::empirical, {.values = {1, 2}, .weights = {1}}),
            Problems{"1 weights for 2 values"});
  EXPECT_EQ(distribution_problems(Family::empirical, {.cdf = {{0, 0}, {2, 0.5}, {1, 1}}}),
            Problems{"cdf x (1) does not increase after 2"});
  EXPECT_EQ(distribution_problems(Family::empirical, {.cdf = {{0, 0}, {1, 0.6}, {2, 0.5}}}),
            Problems{"cdf p (0.5) decreases after 0.6"});
  EXPECT_EQ(distribution_problems(Family::empirical, {.cdf = {{0, 0.1}, {1, 1}}}),
            Problems{"cdf must start at p = 0"});
  // 40 and 41 standard deviations out: no probability left in double precision.
  EXPECT_EQ(distribution_problems(Family::normal, {.min = 40, .max = 41, .mean = 0, .sd = 1}),
            Problems{"min (40) and max (41) leave no probability"});
  EXPECT_EQ(distribution_problems(Family::gamma, {.min = -3, .max = -1, .shape = 2, .scale = 1}),
            Problems{"min (-3) and max (-1) leave no probability"});
  EXPECT_THROW(Distribution(Family::uniform, {.min = 2, .max = 1}), std::invalid_argument);
}

TEST(DistributionShapes, QuantilesStayInsideBoundsAndKeepTheFarTail) {
  // Ten standard deviations out, F(min) is 1 in double precision: inverting through the
  // upper tail still spreads the samples over [10, 11].
  const Distribution far(Family::normal, {.min = 10, .max = 11, .mean = 0, .sd = 1});
  EXPECT_GE(far.quantile(1e-9), 10.0);
  EXPECT_LT(far.quantile(1e-9), 10.0 + 1e-8);
  EXPECT_NEAR(far.quantile(0.5), 10.0 + std::log(2.0) / 10, 2e-3);  // ~exponential, rate 10
  EXPECT_LE(far.quantile(1 - 1e-16), 11.0);
  EXPECT_LT(far.quantile(0.4), far.quantile(0.6));

  const Distribution lognormal(Family::lognormal, {.gm = 0.012, .gsd = 2});
  EXPECT_DOUBLE_EQ(lognormal.quantile(0.5), 0.012);
  const double log2 = std::log(2.0);
  const double mean = 0.012 * std::exp(0.5 * log2 * log2);
  EXPECT_NEAR(lognormal.mean(), mean, 1e-14 * mean);
  EXPECT_NEAR(lognormal.sd(), mean * std::sqrt(std::expm1(log2 * log2)), 1e-14 * mean);
  const Distribution arithmetic(Family::lognormal, {.mean = 5, .sd = 2});
  EXPECT_NEAR(arithmetic.mean(), 5.0, 1e-13);
  EXPECT_NEAR(arithmetic.sd(), 2.0, 1e-13);

  const Distribution discrete(Family::empirical, {.values = {3, 1, 2}, .weights = {2, 5, 3}});
  EXPECT_EQ(discrete.quantile(0.5), 1.0);
  EXPECT_EQ(discrete.quantile(0.50001), 2.0);
  EXPECT_EQ(discrete.quantile(0.8), 2.0);
  EXPECT_EQ(discrete.quantile(0.80001), 3.0);
  const Distribution table(Family::empirical, {.cdf = {{0, 0}, {1, 0.5}, {1.5, 0.5}, {4, 1}}});
  EXPECT_DOUBLE_EQ(table.quantile(0.25), 0.5);
  EXPECT_DOUBLE_EQ(table.quantile(0.75), 2.75);
  EXPECT_EQ(Distribution(Family::constant, {.value = 7}).quantile(0.3), 7.0);
}

}  // namespace
}  // namespace vorn::numerics
