// Variance-based indices on a Saltelli design: the Ishigami function's exact indices, and
// the design's blocks and groups.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "numerics/saltelli_design.hpp"
#include "numerics/sobol_indices.hpp"

namespace vorn::numerics {
namespace {

constexpr double kPi = std::numbers::pi;

// Evaluates f on every point of the design, laid out [A; B; A_B^1 ... A_B^p].
template <class F>
std::vector<double> evaluate(SaltelliDesign& design, F f) {
  const std::size_t m = design.base_rows(), d = design.columns();
  std::vector<double> values(design.evaluations()), x(d);
  for (std::size_t block = 0; block < design.groups() + 2; ++block) {
    for (std::size_t j = 1; j <= m; ++j) {
      design.point(block, j, x.data());
      values[block * m + j - 1] = f(x);
    }
  }
  return values;
}

// f = sin x1 + a sin^2 x2 + b x3^4 sin x1 on [-pi, pi]^3. Its variance splits into
// V1 = (1 + b pi^4 / 5)^2 / 2, V2 = a^2 / 8 and V13 = 8 b^2 pi^8 / 225.
TEST(SobolIndices, TheIshigamiFunctionsExactIndices) {
  constexpr double a = 7, b = 0.1;
  SaltelliDesign design = SaltelliDesign::per_column(20261208, 1 << 14, 3);
  const auto values = evaluate(design, [](const std::vector<double>& u) {
    const double x1 = kPi * (2 * u[0] - 1), x2 = kPi * (2 * u[1] - 1), x3 = kPi * (2 * u[2] - 1);
    return std::sin(x1) + a * std::pow(std::sin(x2), 2) + b * std::pow(x3, 4) * std::sin(x1);
  });
  const SobolIndices s = estimate_sobol_indices(values.data(), 1 << 14, 3, {.seed = 7});

  const double pi4 = std::pow(kPi, 4), pi8 = pi4 * pi4;
  const double v1 = std::pow(1 + b * pi4 / 5, 2) / 2, v2 = a * a / 8, v13 = 8 * b * b * pi8 / 225;
  const double v = v1 + v2 + v13;
  const double first[3] = {v1 / v, v2 / v, 0}, total[3] = {(v1 + v13) / v, v2 / v, v13 / v};
  // The rounded figures the literature quotes.
  EXPECT_NEAR(first[0], 0.3139, 5e-5);
  EXPECT_NEAR(total[2], 0.2437, 5e-5);
  ASSERT_EQ(s.groups.size(), 3u);
  EXPECT_EQ(s.rows, 1u << 14);
  for (int i = 0; i < 3; ++i) {
    const SobolIndex& x = s.groups[i];
    EXPECT_NEAR(x.first, first[i], 0.005) << i;
    EXPECT_NEAR(x.total, total[i], 0.005) << i;
    EXPECT_LE(x.first_lower, x.first);
    EXPECT_GE(x.first_upper, x.first);
    EXPECT_LE(x.total_lower, x.total);
    EXPECT_GE(x.total_upper, x.total);
    EXPECT_LT(x.total_upper - x.total_lower, 0.05) << i;
  }
}

// Columns 1 and 2 form one group (an input drawn per chemical): A_B^1 takes both from
// B. A function of those columns alone leaves the other groups' first-order and total
// indices, and every bootstrap replicate of them, at 0 exactly (Jansen's first-order form
// gave such a group intervals of +-0.2), and its own total at 1, up to rounding.
TEST(SobolIndices, AGroupOfColumnsMovesTogether) {
  SaltelliDesign design(11, 64, {0, 1, 1, 2});
  EXPECT_EQ(design.groups(), 3u);
  EXPECT_EQ(design.evaluations(), 64u * 5);
  std::vector<double> a(4), b(4), mixed(4);
  design.base_row(5, a.data(), b.data());
  design.point(3, 5, mixed.data());
  EXPECT_EQ(mixed, (std::vector<double>{a[0], b[1], b[2], a[3]}));
  design.point(1, 5, mixed.data());
  EXPECT_EQ(mixed, b);

  const auto values =
      evaluate(design, [](const std::vector<double>& u) { return u[1] * u[2] + u[2]; });
  const SobolIndices s = estimate_sobol_indices(values.data(), 64, 3, {.seed = 3});
  for (const std::size_t idle : {0u, 2u}) {
    const SobolIndex& x = s.groups[idle];
    for (const double v :
         {x.first, x.first_lower, x.first_upper, x.total, x.total_lower, x.total_upper})
      EXPECT_EQ(v, 0.0) << idle;
  }
  EXPECT_NEAR(s.groups[1].total, 1.0, 0.1);
  EXPECT_GT(s.groups[1].first, 0.5);
  EXPECT_THROW(SaltelliDesign(1, 48, {0}), std::invalid_argument);
  EXPECT_THROW(SaltelliDesign(1, 64, {0, 2}), std::invalid_argument);
}

}  // namespace
}  // namespace vorn::numerics
