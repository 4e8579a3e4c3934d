// Every family's density is the derivative of its cdf (a discrete family's mass is the jump of
// its cdf), truncated and rescaled ones included; a family added to the table without an
// example here fails.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "numerics/distribution.hpp"
#include "numerics/distribution_families.hpp"

namespace vorn::numerics {
namespace {

struct Example {
  Family family;
  DistributionParameters p;
};

const std::vector<Example> kExamples = {
    {Family::constant, {.value = 3}},
    {Family::uniform, {.min = 2, .max = 5}},
    {Family::loguniform, {.min = 1e-3, .max = 10}},
    {Family::triangular, {.min = 0, .max = 4, .mode = 1}},
    {Family::pert, {.min = 1, .max = 9, .mode = 2}},
    {Family::normal, {.mean = 1, .sd = 2}},
    {Family::normal, {.min = 0, .max = 2, .mean = 3, .sd = 1}},
    {Family::lognormal, {.gm = 2, .gsd = 1.5}},
    {Family::lognormal, {.max = 3, .mean = 2, .sd = 1}},
    {Family::beta, {.min = -1, .max = 3, .alpha = 2, .beta = 5}},
    {Family::gamma, {.min = 1, .shape = 2.5, .scale = 0.7}},
    {Family::weibull, {.shape = 1.7, .scale = 3}},
    {Family::empirical, {.values = {4, 1, 4, 2}, .weights = {1, 2, 3, 4}}},
    {Family::empirical, {.cdf = {{0, 0}, {1, 0.25}, {3, 1}}}},
};

bool discrete(const Example& e) {
  return e.family == Family::constant || (e.family == Family::empirical && e.p.cdf.empty());
}

TEST(DistributionDensity, IsTheDerivativeOfTheCdfOrItsJumpForEveryFamily) {
  std::set<Family> seen;
  for (const Example& e : kExamples) {
    const Distribution d(e.family, e.p);
    seen.insert(e.family);
    SCOPED_TRACE(family_name(e.family));
    for (const double u : {0.1, 0.3, 0.5, 0.7, 0.9}) {
      const double x = d.quantile(u);
      if (discrete(e)) {
        const double left = d.cdf(std::nextafter(x, -std::numeric_limits<double>::infinity()));
        EXPECT_DOUBLE_EQ(d.density(x), d.cdf(x) - left) << "at " << x;
        EXPECT_EQ(d.density(x + 0.25), 0.0);
        continue;
      }
      const double h = 1e-6 * std::max(1.0, std::fabs(x));
      const double slope = (d.cdf(x + h) - d.cdf(x - h)) / (2 * h);
      EXPECT_NEAR(d.density(x), slope, 1e-6 * std::max(1.0, slope)) << "at " << x;
    }
    const double below = d.quantile(0.5) - 1e3 * (1 + d.sd());
    EXPECT_EQ(d.density(below), 0.0);
  }
  EXPECT_EQ(seen.size(), family_entries().size()) << "a family without an example";
}

}  // namespace
}  // namespace vorn::numerics
