// The Gaussian copula meets the rank correlations a scenario asks for, whatever the
// marginals, and only the correlated inputs lose their Latin hypercube strata.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "numerics/rank_sensitivity.hpp"
#include "scenario/plan_from_scenario.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario.hpp"
#include "scenario/scenario_json.hpp"
#include "scenario/scenario_reader.hpp"

namespace vorn::scenario {
namespace {

constexpr std::size_t kRealizations = 50000;

// HENRY (lognormal), DIFFA (uniform), WU_WASTEVOL (triangular) and each chemical's
// TCLPCONC (gamma) correlated; WU_ACTLIFE not.
constexpr const char* kScenario = R"(input = 'x'
realizations = 50000
seed = 20261208
sampling = 'lhs'
[[vary]]
chemical = 1
field = 'HENRY'
dist = { type = 'lognormal', gm = 0.2, gsd = 3 }
[[vary]]
chemical = 1
field = 'DIFFA'
dist = { type = 'uniform', min = 0.05, max = 0.1 }
[[vary]]
field = 'WU_WASTEVOL'
dist = { type = 'triangular', min = 4000, mode = 6000, max = 9000 }
[[vary]]
chemical = 'each'
field = 'TCLPCONC'
dist = { type = 'gamma', shape = 2, scale = 0.01 }
[[vary]]
field = 'WU_ACTLIFE'
dist = { type = 'uniform', min = 20, max = 40 }
[[correlate]]
a = { chemical = 1, field = 'HENRY' }
b = { chemical = 1, field = 'DIFFA' }
spearman = 0.6
[[correlate]]
a = { chemical = 1, field = 'HENRY' }
b = { field = 'WU_WASTEVOL' }
spearman = -0.4
[[correlate]]
a = { field = 'WU_WASTEVOL' }
b = { chemical = 'each', field = 'TCLPCONC' }
spearman = 0.2
)";

Chemical chemical(const std::string& cas) {
  Chemical c;
  c.CHEMCAS = cas;
  return c;
}

TEST(GaussianCopula, TheAchievedSpearmanIsTheOneAskedFor) {
  const std::vector<Chemical> chemicals = {chemical("71-43-2"), chemical("108-88-3")};
  const ResolvedScenario r = resolve_scenario(parse_scenario(kScenario, "s.toml"), chemicals, "b");
  const SamplingPlan plan = plan_from_scenario(r, chemicals);
  ASSERT_EQ(plan.parameters.size(), 6u);  // HENRY, DIFFA, WU_WASTEVOL, TCLPCONC x 2, WU_ACTLIFE
  PlanSampler sampler(plan);
  std::vector<double> u(plan.streams);
  std::vector<std::vector<float>> columns(6, std::vector<float>(kRealizations));
  std::vector<std::vector<int>> strata(6, std::vector<int>(kRealizations, 0));
  for (std::uint64_t n = 1; n <= kRealizations; ++n) {
    sampler.uniforms(n, u.data());
    for (std::size_t k = 0; k < 6; ++k) {
      const PlanParameter& p = plan.parameters[k];
      columns[k][n - 1] = static_cast<float>(p.distribution.quantile(u[p.stream]));
      ++strata[k][static_cast<std::size_t>(u[p.stream] * kRealizations)];
    }
  }
  // The Spearman correlation of column a with column b, through the rank unit.
  const auto spearman = [&columns](std::size_t a, std::size_t b) {
    return numerics::compute_rank_sensitivity(columns[a].data(), kRealizations, 1,
                                              columns[b].data())
        .inputs[0]
        .spearman;
  };
  EXPECT_NEAR(spearman(0, 1), 0.6, 0.03);
  // Taking 0.6 as the normals' Pearson correlation would give 6 asin(0.3) / pi = 0.580;
  // the standard error here is about 0.003.
  EXPECT_NEAR(spearman(0, 1), 0.6, 0.01);
  EXPECT_NEAR(spearman(0, 2), -0.4, 0.03);
  EXPECT_NEAR(spearman(2, 3), 0.2, 0.03);
  EXPECT_NEAR(spearman(2, 4), 0.2, 0.03);
  // Pairs not asked for are uncorrelated normals, even within a group.
  using Pairs = std::vector<std::pair<std::size_t, std::size_t>>;
  for (const auto& [a, b] : Pairs{{1, 2}, {3, 4}, {0, 3}, {1, 4}, {0, 5}, {2, 5}})
    EXPECT_NEAR(spearman(a, b), 0.0, 0.03) << a << " " << b;

  // The copula moves every correlated draw out of its stratum but the first of its
  // group, whose normal it leaves as it is; 50,000 strata hit once each would be a
  // miracle otherwise.
  const auto n = static_cast<long>(kRealizations);
  for (std::size_t k = 0; k < 6; ++k) {
    const auto once = std::count(strata[k].begin(), strata[k].end(), 1);
    EXPECT_EQ(plan.parameters[k].correlated, k < 5) << k;
    if (k == 5) {
      EXPECT_EQ(once, n);
    } else if (k == 0) {
      EXPECT_GT(once, n - 10);
    } else {
      EXPECT_LT(once, n * 9 / 10) << k;
    }
  }
}

}  // namespace
}  // namespace vorn::scenario
