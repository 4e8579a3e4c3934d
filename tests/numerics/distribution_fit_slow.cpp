// Every family against Boost's CDF and closed-form moments written from the parameters
// as an input file gives them: 20,000 samples of one seed's uniforms.
#include <gtest/gtest.h>

#include <algorithm>
#include <boost/math/distributions/beta.hpp>
#include <boost/math/distributions/gamma.hpp>
#include <boost/math/distributions/lognormal.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/triangular.hpp>
#include <boost/math/distributions/uniform.hpp>
#include <boost/math/distributions/weibull.hpp>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "numerics/distribution.hpp"
#include "numerics/random_stream.hpp"

namespace vorn::numerics {
namespace {

namespace bm = boost::math;
constexpr int kN = 20000;
constexpr std::uint64_t kSeed = 20260608;
// Kolmogorov's limit at the 0.1 % level: sqrt(-ln(0.0005) / 2) / sqrt(n).
const double kCritical = std::sqrt(-std::log(0.0005) / 2) / std::sqrt(double{kN});

using Cdf = std::function<double(double)>;

struct Expected {
  double mean, sd;
};

std::vector<double> draw(const Distribution& d, std::uint32_t parameter) {
  std::vector<double> xs;
  for (std::uint64_t r = 1; r <= kN; ++r) xs.push_back(d.quantile(uniform(kSeed, r, parameter)));
  return xs;
}

// Sup |F_n - F| over the sample, ties included: left limits come from cdf_left.
double ks_statistic(std::vector<double> xs, const Cdf& cdf, const Cdf& cdf_left) {
  std::sort(xs.begin(), xs.end());
  double d = 0;
  for (std::size_t i = 0; i < xs.size();) {
    std::size_t j = i;
    while (j < xs.size() && xs[j] == xs[i]) ++j;
    d = std::max(d, std::fabs(cdf_left(xs[i]) - static_cast<double>(i) / kN));
    d = std::max(d, std::fabs(cdf(xs[i]) - static_cast<double>(j) / kN));
    i = j;
  }
  return d;
}

void expect_fit(const std::string& name, Family family, const DistributionParameters& p,
                const Cdf& cdf, Expected expected, const Cdf& cdf_left = nullptr) {
  static std::uint32_t parameter = 0;
  const Distribution d(family, p);
  const auto xs = draw(d, ++parameter);
  EXPECT_LT(ks_statistic(xs, cdf, cdf_left ? cdf_left : cdf), kCritical) << name;
  double mean = 0, m2 = 0, m4 = 0;
  for (double x : xs) mean += x / kN;
  for (double x : xs) {
    m2 += (x - mean) * (x - mean) / kN;
    m4 += std::pow(x - mean, 4) / kN;
  }
  const double sd = std::sqrt(m2);
  // Five standard errors; that of the sd from the sample's fourth moment.
  EXPECT_NEAR(mean, expected.mean, 5 * expected.sd / std::sqrt(double{kN})) << name;
  EXPECT_NEAR(sd, expected.sd, 5 * std::sqrt((m4 - m2 * m2) / kN) / (2 * sd)) << name;
  // The closed forms of the class agree with those written here.
  EXPECT_NEAR(d.mean(), expected.mean, 1e-9 * std::fabs(expected.mean)) << name;
  EXPECT_NEAR(d.sd(), expected.sd, 1e-9 * expected.sd) << name;
}

template <class D>
Cdf boost_cdf(D d, double lo = -INFINITY, double hi = INFINITY) {
  if (std::isinf(lo) && std::isinf(hi)) return [d](double x) { return bm::cdf(d, x); };
  const double flo = std::isinf(lo) ? 0 : bm::cdf(d, lo), fhi = std::isinf(hi) ? 1 : bm::cdf(d, hi);
  return [=](double x) {
    if (x <= lo) return 0.0;
    if (x >= hi) return 1.0;
    return (bm::cdf(d, x) - flo) / (fhi - flo);
  };
}

TEST(DistributionFit, BoundedFamilies) {
  expect_fit("uniform", Family::uniform, {.min = 2, .max = 5},
             boost_cdf(bm::uniform_distribution<>(2, 5)), {3.5, 3 / std::sqrt(12.0)});
  const double a = 1e-3, b = 10, l = std::log(b / a);
  expect_fit("loguniform", Family::loguniform, {.min = a, .max = b},
             [=](double x) { return x <= a   ? 0
                                    : x >= b ? 1
                                             : std::log(x / a) / l; },
             {(b - a) / l, std::sqrt((b * b - a * a) / (2 * l) - (b - a) * (b - a) / (l * l))});
  expect_fit("triangular", Family::triangular, {.min = 1, .max = 6, .mode = 2},
             boost_cdf(bm::triangular_distribution<>(1, 2, 6)), {3, std::sqrt(21.0 / 18)});
  // PERT (0, 2, 10), lambda 4: beta(1.8, 4.2) on [0, 10], mean (0 + 4 * 2 + 10) / 6.
  const bm::beta_distribution<> pert(1.8, 4.2);
  expect_fit("pert", Family::pert, {.min = 0, .max = 10, .mode = 2},
             [&](double x) { return x <= 0    ? 0
                                    : x >= 10 ? 1
                                              : bm::cdf(pert, x / 10); },
             {3, 10 * std::sqrt(1.8 * 4.2 / (36 * 7))});
  const bm::beta_distribution<> pert2(1 + 2 * 0.2, 1 + 2 * 0.8);  // lambda 2
  expect_fit("pert lambda 2", Family::pert, {.min = 0, .max = 10, .mode = 2, .lambda = 2},
             [&](double x) { return x <= 0    ? 0
                                    : x >= 10 ? 1
                                              : bm::cdf(pert2, x / 10); },
             {(0 + 2 * 2 + 10) / 4.0, 10 * std::sqrt(1.4 * 2.6 / (16 * 5))});
  const bm::beta_distribution<> beta(2, 5);
  expect_fit("beta", Family::beta, {.min = 1, .max = 3, .alpha = 2, .beta = 5},
             [&](double x) { return x <= 1   ? 0
                                    : x >= 3 ? 1
                                             : bm::cdf(beta, (x - 1) / 2); },
             {1 + 2 * 2 / 7.0, 2 * std::sqrt(10.0 / (49 * 8))});
}

TEST(DistributionFit, OpenFamilies) {
  expect_fit("normal", Family::normal, {.mean = 10, .sd = 2},
             boost_cdf(bm::normal_distribution<>(10, 2)), {10, 2});
  // gm = 0.012, gsd = 2 means ln X ~ N(ln 0.012, ln 2).
  const double s = std::log(2.0);
  expect_fit(
      "lognormal gm/gsd", Family::lognormal, {.gm = 0.012, .gsd = 2},
      boost_cdf(bm::lognormal_distribution<>(std::log(0.012), s)),
      {0.012 * std::exp(s * s / 2), 0.012 * std::exp(s * s / 2) * std::sqrt(std::expm1(s * s))});
  const double s2 = std::log1p(0.16);  // (sd / mean)^2 = 0.16
  expect_fit("lognormal mean/sd", Family::lognormal, {.mean = 5, .sd = 2},
             boost_cdf(bm::lognormal_distribution<>(std::log(5.0) - s2 / 2, std::sqrt(s2))),
             {5, 2});
  expect_fit("gamma", Family::gamma, {.shape = 2.5, .scale = 3},
             boost_cdf(bm::gamma_distribution<>(2.5, 3)), {7.5, 3 * std::sqrt(2.5)});
  const double g1 = std::tgamma(1 + 1 / 1.5), g2 = std::tgamma(1 + 2 / 1.5);
  expect_fit("weibull", Family::weibull, {.shape = 1.5, .scale = 4},
             boost_cdf(bm::weibull_distribution<>(1.5, 4)), {4 * g1, 4 * std::sqrt(g2 - g1 * g1)});
}

// Truncated: Boost's CDF renormalized on [min, max]. The truncated normal's moments are
// the textbook ones; the others are checked against the class's own closed forms, which
// the sample moments then confirm.
TEST(DistributionFit, TruncatedFamilies) {
  const bm::normal_distribution<> n(10, 2);
  const double a = -1, b = 2.5;  // standardized bounds of [8, 15]
  const double z = bm::cdf(n, 15) - bm::cdf(n, 8);
  const double pa = std::exp(-a * a / 2) / std::sqrt(2 * M_PI),
               pb = std::exp(-b * b / 2) / std::sqrt(2 * M_PI);
  expect_fit("normal [8, 15]", Family::normal, {.min = 8, .max = 15, .mean = 10, .sd = 2},
             boost_cdf(n, 8, 15),
             {10 + 2 * (pa - pb) / z,
              2 * std::sqrt(1 + (a * pa - b * pb) / z - (pa - pb) * (pa - pb) / (z * z))});
  // Ten standard deviations out: only the upper tail can tell these values apart.
  const double q10 = bm::cdf(bm::complement(bm::normal_distribution<>(), 10.0));
  const double q11 = bm::cdf(bm::complement(bm::normal_distribution<>(), 11.0));
  expect_fit("normal [10, 11] sd", Family::normal, {.min = 10, .max = 11, .mean = 0, .sd = 1},
             [&](double x) {
               return x <= 10 ? 0
                              : (q10 - bm::cdf(bm::complement(bm::normal_distribution<>(), x))) /
                                    (q10 - q11);
             },
             {Distribution(Family::normal, {.min = 10, .max = 11, .mean = 0, .sd = 1}).mean(),
              Distribution(Family::normal, {.min = 10, .max = 11, .mean = 0, .sd = 1}).sd()});

  auto own = [](Family f, const DistributionParameters& p) {
    const Distribution d(f, p);
    return Expected{d.mean(), d.sd()};
  };
  const DistributionParameters ln{.min = 0.005, .max = 0.05, .gm = 0.012, .gsd = 2};
  expect_fit("lognormal [0.005, 0.05]", Family::lognormal, ln,
             boost_cdf(bm::lognormal_distribution<>(std::log(0.012), std::log(2.0)), 0.005, 0.05),
             own(Family::lognormal, ln));
  const DistributionParameters ga{.max = 5, .shape = 2.5, .scale = 3};
  expect_fit("gamma [, 5]", Family::gamma, ga, boost_cdf(bm::gamma_distribution<>(2.5, 3), 0, 5),
             own(Family::gamma, ga));
  const DistributionParameters we{.min = 1, .max = 6, .shape = 1.5, .scale = 4};
  expect_fit("weibull [1, 6]", Family::weibull, we,
             boost_cdf(bm::weibull_distribution<>(1.5, 4), 1, 6), own(Family::weibull, we));
}

TEST(DistributionFit, EmpiricalTables) {
  // Values 3, 1, 2 with weights 0.2, 0.5, 0.3: a step CDF.
  auto steps = [](double x) { return x < 1 ? 0 : x < 2 ? 0.5 : x < 3 ? 0.8 : 1; };
  auto left = [](double x) { return x <= 1 ? 0 : x <= 2 ? 0.5 : x <= 3 ? 0.8 : 1; };
  expect_fit("empirical values", Family::empirical,
             {.values = {3, 1, 2}, .weights = {0.2, 0.5, 0.3}}, steps,
             {1.7, std::sqrt(0.5 * 0.49 + 0.3 * 0.09 + 0.2 * 1.69)}, left);
  // (0, 0), (1, 0.5), (4, 1): uniform on [0, 1] and on [1, 4], half each.
  expect_fit("empirical cdf", Family::empirical, {.cdf = {{0, 0}, {1, 0.5}, {4, 1}}},
             [](double x) {
               return x <= 0 ? 0 : x <= 1 ? x / 2 : x >= 4 ? 1 : 0.5 + (x - 1) / 6;
             },
             {1.5, std::sqrt(0.5 / 3 + 0.5 * 21 / 3 - 2.25)});
}

}  // namespace
}  // namespace vorn::numerics
