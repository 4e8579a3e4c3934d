// Spearman and partial rank correlations: a case worked by hand, and a linear model whose
// PRCCs are checked against residual correlations computed another way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "numerics/random_stream.hpp"
#include "numerics/rank_sensitivity.hpp"

namespace vorn::numerics {
namespace {

// Five rows; x2 ties two values. Centred ranks:
//   x1 (-2, -1, 0, 1, 2), x2 (-2, 1, -1/2, -1/2, 2), y (0, -2, -1, 2, 1),
// so the sums of products are x1.x1 = 10, x2.x2 = 19/2, y.y = 10, x1.y = 6, x2.y = -1/2,
// x1.x2 = 13/2, and with two inputs the partial correlation of x1 is
//   (r1y - r12 r2y) / sqrt((1 - r12^2)(1 - r2y^2)).
TEST(RankSensitivity, AFiveRowCaseWorkedByHand) {
  const std::vector<float> inputs = {1, 10, 2, 30, 3, 20, 4, 20, 5, 50};
  const std::vector<float> output = {3, 1, 2, 5, 4};
  const RankSensitivity s = compute_rank_sensitivity(inputs.data(), 5, 2, output.data());
  const double r1y = 6 / 10.0, r2y = -0.5 / std::sqrt(95.0), r12 = 6.5 / std::sqrt(95.0);
  const double prcc1 = (r1y - r12 * r2y) / std::sqrt((1 - r12 * r12) * (1 - r2y * r2y));
  const double prcc2 = (r2y - r12 * r1y) / std::sqrt((1 - r12 * r12) * (1 - r1y * r1y));
  ASSERT_EQ(s.inputs.size(), 2u);
  EXPECT_EQ(s.rows, 5u);
  EXPECT_EQ(s.partialled, 1u);
  EXPECT_NEAR(s.inputs[0].spearman, r1y, 1e-15);
  EXPECT_NEAR(s.inputs[1].spearman, r2y, 1e-15);
  EXPECT_NEAR(s.inputs[0].prcc, prcc1, 1e-14);
  EXPECT_NEAR(s.inputs[1].prcc, prcc2, 1e-14);
  EXPECT_TRUE(s.inputs[0].negligible);  // five rows tell nothing apart from noise
  EXPECT_LE(s.inputs[0].prcc_lower, 0.0);
  // Without replicates an interval is its estimate.
  const RankSensitivity bare =
      compute_rank_sensitivity(inputs.data(), 5, 2, output.data(), {.replicates = 0});
  EXPECT_EQ(bare.inputs[0].prcc_lower, bare.inputs[0].prcc);
  EXPECT_EQ(bare.inputs[1].spearman_upper, bare.inputs[1].spearman);
}

// The correlation of the residuals of a and b after a least-squares fit on c: the
// partial correlation of a and b given c, computed without any matrix inverse.
double residual_correlation(std::vector<double> a, std::vector<double> b,
                            const std::vector<double>& c) {
  const auto regress_out = [&c](std::vector<double>& v) {
    double cv = 0, cc = 0;
    for (std::size_t i = 0; i < v.size(); ++i) cv += c[i] * v[i], cc += c[i] * c[i];
    for (std::size_t i = 0; i < v.size(); ++i) v[i] -= cv / cc * c[i];
  };
  regress_out(a);
  regress_out(b);
  double ab = 0, aa = 0, bb = 0;
  for (std::size_t i = 0; i < a.size(); ++i)
    ab += a[i] * b[i], aa += a[i] * a[i], bb += b[i] * b[i];
  return ab / std::sqrt(aa * bb);
}

// Centred ranks, ties averaged, by counting.
std::vector<double> ranks(const std::vector<double>& v) {
  std::vector<double> r(v.size());
  for (std::size_t i = 0; i < v.size(); ++i) {
    double below = 0, equal = 0;
    for (double x : v) below += x < v[i], equal += x == v[i];
    r[i] = below + (equal + 1) / 2 - (static_cast<double>(v.size()) + 1) / 2;
  }
  return r;
}

// y = 3 x1 - x2 + noise on uniform inputs: x1 drives y up, x2 down and less. Rows with a
// NaN, a constant column and a copy of x1 leave the PRCCs of x1 and x2 as they were.
TEST(RankSensitivity, ALinearModelGivesTheSignsAndOrderOfItsCoefficients) {
  constexpr std::size_t n = 1000;
  std::vector<double> x1(n), x2(n), y(n);
  std::vector<float> two, five, out2, out5;
  for (std::size_t i = 0; i < n; ++i) {
    const auto u = [i](std::uint32_t p) { return numerics::uniform(20261208, i + 1, p); };
    x1[i] = static_cast<float>(u(0));
    x2[i] = static_cast<float>(u(1));
    y[i] = static_cast<float>(3 * x1[i] - x2[i] + 0.8 * (u(2) - 0.5));
    two.insert(two.end(), {static_cast<float>(x1[i]), static_cast<float>(x2[i])});
    out2.push_back(static_cast<float>(y[i]));
    five.insert(five.end(), {static_cast<float>(x1[i]), 7.0f, static_cast<float>(x2[i]),
                             static_cast<float>(2 * x1[i]), static_cast<float>(u(3))});
    out5.push_back(static_cast<float>(y[i]));
    if (i % 100 == 7) {
      five.insert(five.end(), {0.5f, 7.0f, 0.5f, std::numeric_limits<float>::quiet_NaN(), 0.5f});
      out5.push_back(1.0f);
    }
  }
  const RankSensitivity s = compute_rank_sensitivity(two.data(), n, 2, out2.data());
  const RankIndex &a = s.inputs[0], &b = s.inputs[1];
  EXPECT_GT(a.prcc, 0.9);
  EXPECT_LT(b.prcc, -0.5);
  EXPECT_GT(a.spearman, -b.spearman);
  EXPECT_FALSE(a.negligible);
  EXPECT_FALSE(b.negligible);
  EXPECT_NEAR(a.prcc, residual_correlation(ranks(x1), ranks(y), ranks(x2)), 1e-12);
  EXPECT_NEAR(b.prcc, residual_correlation(ranks(x2), ranks(y), ranks(x1)), 1e-12);
  EXPECT_GT(a.prcc_lower, 0);
  EXPECT_LT(b.prcc_upper, 0);

  const RankSensitivity t = compute_rank_sensitivity(five.data(), out5.size(), 5, out5.data());
  EXPECT_EQ(t.rows, n);
  EXPECT_EQ(t.rows_left_out, 10u);
  EXPECT_EQ(t.partialled, 2u);  // x1, x2 and the noise column are kept
  EXPECT_EQ(t.inputs[1].excluded, Excluded::constant);
  EXPECT_EQ(t.inputs[3].excluded, Excluded::collinear);
  EXPECT_TRUE(t.inputs[1].negligible && t.inputs[3].negligible && t.inputs[4].negligible);
  EXPECT_EQ(t.inputs[0].spearman, a.spearman);
  EXPECT_EQ(t.inputs[3].spearman, a.spearman);
  EXPECT_NEAR(std::fabs(t.inputs[4].prcc), 0, 0.1);
  // An input that is pure noise only moves the others' PRCCs by what it explains.
  EXPECT_NEAR(t.inputs[0].prcc, a.prcc, 0.01);
  EXPECT_NEAR(t.inputs[2].prcc, b.prcc, 0.01);

  // Columns chosen from a sample sorted once, in another order: x2, x1 and its copy.
  const RankedInputs sample(five.data(), out5.size(), 5);
  const RankSensitivity u = compute_rank_sensitivity(sample, {2, 0, 3}, out5.data());
  EXPECT_EQ(u.rows_left_out, 10u);
  EXPECT_EQ(u.inputs[2].excluded, Excluded::collinear);
  EXPECT_NEAR(u.inputs[0].prcc, b.prcc, 1e-12);
  EXPECT_NEAR(u.inputs[1].prcc, a.prcc, 1e-12);
  EXPECT_NEAR(u.inputs[1].prcc_lower, a.prcc_lower, 1e-12);
}

// An output that is an increasing function of one input alone: that input's PRCC is 1,
// the others' 0, and nothing is undefined.
TEST(RankSensitivity, AnOutputDecidedByOneInputTakesTheLimits) {
  std::vector<float> inputs, output;
  for (std::uint64_t r = 1; r <= 200; ++r) {
    const double u0 = numerics::uniform(5, r, 0), u1 = numerics::uniform(5, r, 1);
    inputs.insert(inputs.end(), {static_cast<float>(u0), static_cast<float>(u1)});
    output.push_back(static_cast<float>(std::exp(4 * u1)));
  }
  const RankSensitivity s = compute_rank_sensitivity(inputs.data(), 200, 2, output.data());
  EXPECT_NEAR(s.inputs[1].prcc, 1.0, 1e-12);
  EXPECT_NEAR(s.inputs[0].prcc, 0.0, 1e-6);
  EXPECT_DOUBLE_EQ(s.inputs[1].spearman, 1.0);
  EXPECT_TRUE(s.inputs[0].negligible);
  EXPECT_FALSE(s.inputs[1].negligible);
  EXPECT_FALSE(std::isnan(s.inputs[1].prcc_lower));
}

double correlation(const std::vector<double>& a, const std::vector<double>& b) {
  double ab = 0, aa = 0, bb = 0;
  for (std::size_t i = 0; i < a.size(); ++i)
    ab += a[i] * b[i], aa += a[i] * a[i], bb += b[i] * b[i];
  return ab / std::sqrt(aa * bb);
}

// The nearest-rank 2.5th and 97.5th percentiles of values on the atanh scale.
std::pair<double, double> atanh_percentiles(std::vector<double> r) {
  for (double& x : r) x = std::atanh(x);
  std::sort(r.begin(), r.end());
  const auto at = [&r](double q) {
    return std::tanh(r[static_cast<std::size_t>(std::ceil(q * static_cast<double>(r.size()))) - 1]);
  };
  return {at(0.025), at(0.975)};
}

// The intervals against a bootstrap done the plain way: each replicate's rows copied out
// (a row drawn twice is there twice), ranked by counting, ties averaged, and correlated;
// the PRCC as the correlation of residuals. Rows with a NaN are left out before resampling.
TEST(RankSensitivity, IntervalsAreThoseOfExplicitResamplesOfTheRows) {
  constexpr std::size_t n = 60, replicates = 200;
  constexpr std::uint64_t seed = 99;
  std::vector<double> x1, x2, y;
  std::vector<float> rows, output;
  for (std::size_t i = 0; i < n + 3; ++i) {
    const auto u = [i](std::uint32_t p) { return numerics::uniform(7, i + 1, p); };
    const auto a = static_cast<float>(u(0));
    const auto b = static_cast<float>(std::floor(u(1) * 6));  // ties
    const auto out = static_cast<float>(a + 0.3 * b + 0.5 * u(2));
    if (i % 21 == 5) {  // left out
      rows.insert(rows.end(), {a, b});
      output.push_back(std::numeric_limits<float>::quiet_NaN());
      continue;
    }
    rows.insert(rows.end(), {a, b});
    output.push_back(out);
    x1.push_back(a);
    x2.push_back(b);
    y.push_back(out);
  }
  ASSERT_EQ(y.size(), n);
  const RankSensitivity s = compute_rank_sensitivity(rows.data(), output.size(), 2, output.data(),
                                                     {.seed = seed, .replicates = replicates});
  ASSERT_EQ(s.rows, n);
  std::vector<std::vector<double>> spearman(2), prcc(2);
  std::vector<std::uint32_t> picks(n);
  for (std::size_t r = 0; r < replicates; ++r) {
    numerics::bootstrap_rows(seed, r, n, picks.data());
    std::vector<double> a, b, out;
    for (const std::uint32_t i : picks) a.push_back(x1[i]), b.push_back(x2[i]), out.push_back(y[i]);
    const auto ra = ranks(a), rb = ranks(b), ry = ranks(out);
    spearman[0].push_back(correlation(ra, ry));
    spearman[1].push_back(correlation(rb, ry));
    prcc[0].push_back(residual_correlation(ra, ry, rb));
    prcc[1].push_back(residual_correlation(rb, ry, ra));
  }
  for (std::size_t j = 0; j < 2; ++j) {
    const auto [s_lower, s_upper] = atanh_percentiles(spearman[j]);
    const auto [p_lower, p_upper] = atanh_percentiles(prcc[j]);
    EXPECT_NEAR(s.inputs[j].spearman_lower, s_lower, 1e-12) << j;
    EXPECT_NEAR(s.inputs[j].spearman_upper, s_upper, 1e-12) << j;
    EXPECT_NEAR(s.inputs[j].prcc_lower, p_lower, 1e-12) << j;
    EXPECT_NEAR(s.inputs[j].prcc_upper, p_upper, 1e-12) << j;
    EXPECT_LT(s.inputs[j].prcc_lower, s.inputs[j].prcc);
    EXPECT_GT(s.inputs[j].prcc_upper, s.inputs[j].prcc);
  }
}

}  // namespace
}  // namespace vorn::numerics
