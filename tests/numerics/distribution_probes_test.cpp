// Distributions whose parameters pass their checks and still cannot draw sense: bounds whose
// width or ratio overflows, draws that overflow, shapes that leave no spread, parameters the
// library cannot evaluate. Each is drawn right or refused in one sentence, never thrown
// past distribution_problems().
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "numerics/distribution.hpp"

namespace vorn::numerics {
namespace {

using Problems = std::vector<std::string>;

TEST(DistributionProbes, AUniformWhoseWidthOverflowsStillSpreadsItsDraws) {
  const Distribution d(Family::uniform, {.min = -1e308, .max = 1e308});
  EXPECT_EQ(d.quantile(0.5), 0.0);
  EXPECT_DOUBLE_EQ(d.quantile(0.25), -0.5e308);
  EXPECT_DOUBLE_EQ(d.quantile(0.75), 0.5e308);
  EXPECT_LT(d.lowest_draw(), -0.999e308);
  EXPECT_GT(d.highest_draw(), 0.999e308);
  EXPECT_DOUBLE_EQ(d.cdf(0.5e308), 0.75);
  EXPECT_NEAR(d.density(1.0) * 1e308, 0.5, 1e-12);
  EXPECT_DOUBLE_EQ(d.sd(), 1e308 / std::sqrt(3.0));
  EXPECT_EQ(d.mean(), 0.0);
}

TEST(DistributionProbes, ALoguniformWhoseRatioOverflowsIsDrawnInLogarithms) {
  const Distribution d(Family::loguniform, {.min = 1e-200, .max = 1e200});
  EXPECT_NEAR(d.quantile(0.5), 1.0, 1e-12);
  EXPECT_NEAR(std::log10(d.quantile(0.25)), -100, 1e-9);
  EXPECT_NEAR(std::log10(d.quantile(0.9)), 160, 1e-9);
  EXPECT_DOUBLE_EQ(d.cdf(1e100), 0.75);
  // Var = (max^2 - min^2) / 2L - ((max - min) / L)^2 with L = ln(max / min) = 400 ln 10.
  const double l = 400 * std::log(10.0);
  EXPECT_NEAR(d.sd() / 1e200, std::sqrt(1 / (2 * l) - 1 / (l * l)), 1e-14);
  EXPECT_NEAR(d.mean() / 1e200, 1 / l, 1e-15);
}

TEST(DistributionProbes, BoundsOfOrdinarySizeKeepTodaysArithmeticToTheBit) {
  // The shipped scenario's factor, and a log-uniform over six decades.
  const Distribution uniform(Family::uniform, {.min = 0.7, .max = 1.3});
  const Distribution loguniform(Family::loguniform, {.min = 1e-3, .max = 1e3});
  for (const double u : {0x1p-54, 1e-9, 0.1, 0.3, 0.5, 0.77, 1 - 1e-9, 1 - 0x1p-53}) {
    EXPECT_EQ(uniform.quantile(u), 0.7 + u * (1.3 - 0.7)) << u;
    EXPECT_EQ(loguniform.quantile(u), std::exp(std::log(1e-3) + u * std::log(1e3 / 1e-3))) << u;
  }
}

struct Refused {
  const char* what;
  Family family;
  DistributionParameters p;
  const char* problem;
};

TEST(DistributionProbes, ParametersThatDrawNonsenseOrCannotBeEvaluatedAreRefusedInOneSentence) {
  const Refused cases[] = {
      {"triangular over the doubles",
       Family::triangular,
       {.min = -1e308, .max = 1e308, .mode = 0},
       "draws -1e+308 at every probability from 2^-54 to 1 - 2^-53: these parameters leave it "
       "no spread (one value is a constant)"},
      {"beta over the doubles",
       Family::beta,
       {.min = -1e308, .max = 1e308, .alpha = 2, .beta = 2},
       "draws 1e+308 at every probability from 2^-54 to 1 - 2^-53: these parameters leave it no "
       "spread (one value is a constant)"},
      {"beta of huge shapes",
       Family::beta,
       {.alpha = 1e308, .beta = 1e308},
       "draws NaN at probability 2^-54: every draw must be a finite number"},
      {"normal overflowing",
       Family::normal,
       {.mean = 1, .sd = 1e308},
       "draws -Infinity at probability 2^-54: every draw must be a finite number"},
      {"lognormal overflowing",
       Family::lognormal,
       {.gm = 1, .gsd = 1e300},
       "draws Infinity at probability 1 - 1e-9: every draw must be a finite number"},
      {"gamma of a tiny shape",
       Family::gamma,
       {.shape = 1e-300, .scale = 1},
       "draws 0 at every probability from 2^-54 to 1 - 2^-53: these parameters leave it no "
       "spread (one value is a constant)"},
      {"Weibull of a tiny shape",
       Family::weibull,
       {.shape = 1e-300, .scale = 1},
       "draws Infinity at probability 1 - 1e-9: every draw must be a finite number"},
      {"lognormal of a huge sd",
       Family::lognormal,
       {.mean = 1, .sd = 1e300},
       "mean and sd give the sigma of ln X = Infinity, not a finite number > 0"},
      {"lognormal of a tiny sd",
       Family::lognormal,
       {.mean = 1, .sd = 1e-200},
       "mean and sd give the sigma of ln X = 0, not a finite number > 0"},
      {"pert over the doubles",
       Family::pert,
       {.min = -1e308, .max = 1e308, .mode = 0, .lambda = 4},
       "min, mode, max and lambda give the beta's alpha = NaN, not a finite number > 0"},
      {"gamma of a huge shape",
       Family::gamma,
       {.shape = 1e308, .scale = 1},
       "cannot be evaluated with these parameters (Result of tgamma is too large to represent)"},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.what);
    Problems problems;
    ASSERT_NO_THROW(problems = distribution_problems(c.family, c.p));
    EXPECT_EQ(problems, Problems{c.problem});
    EXPECT_THROW(Distribution(c.family, c.p), std::invalid_argument);
  }
}

TEST(DistributionProbes, OneValueIsAllowedWhereItIsMeant) {
  const Distribution constant(Family::constant, {.value = 3});
  EXPECT_EQ(constant.lowest_draw(), 3);
  EXPECT_EQ(constant.highest_draw(), 3);
  const Distribution empirical(Family::empirical, {.values = {2.5, 2.5, 2.5}});
  EXPECT_EQ(empirical.quantile(0.3), 2.5);
  EXPECT_EQ(empirical.highest_draw(), 2.5);
  // The range of the draws: the standard normal quantiles of 2^-54 and 1 - 2^-53.
  const Distribution normal(Family::normal, {.mean = 0.01, .sd = 0.02});
  EXPECT_NEAR(normal.lowest_draw(), 0.01 - 0.02 * 8.292361075813595, 1e-12);
  EXPECT_NEAR(normal.highest_draw(), 0.01 + 0.02 * 8.209536151601386, 1e-12);
}

}  // namespace
}  // namespace vorn::numerics
