// The Sobol estimators against a reference: OpenTURNS' Mauntz-Kucherenko (first-order,
// Saltelli's 2010 form) and Jansen (total) estimators recompute the indices from the same
// design and values, written to a file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "numerics/saltelli_design.hpp"
#include "numerics/sobol_indices.hpp"

namespace vorn::numerics {
namespace {

// Sobol's g function: prod (|4 x_i - 2| + a_i) / (1 + a_i); a small a_i, an important x_i.
double g_function(const std::vector<double>& x) {
  static constexpr double a[] = {0, 1, 4.5, 9};
  double f = 1;
  for (std::size_t i = 0; i < x.size(); ++i) f *= (std::fabs(4 * x[i] - 2) + a[i]) / (1 + a[i]);
  return f;
}

std::vector<double> numbers(const std::string& line) {
  std::istringstream in(line);
  std::vector<double> out;
  for (double x; in >> x;) out.push_back(x);
  return out;
}

TEST(OpenTurnsReference, FirstOrderAndTotalIndicesAgreeOnTheSameDesign) {
  constexpr std::size_t m = 1 << 12, d = 4;
  SaltelliDesign design = SaltelliDesign::per_column(20261208, m, d);
  const auto path = std::filesystem::path(::testing::TempDir()) /
                    ("vorn_openturns_design_" + std::to_string(::getpid()) + ".csv");
  std::vector<double> values(design.evaluations()), x(d);
  {
    std::ofstream out(path);
    out.precision(17);
    for (std::size_t block = 0; block < d + 2; ++block) {
      for (std::size_t j = 1; j <= m; ++j) {
        design.point(block, j, x.data());
        const double y = values[block * m + j - 1] = g_function(x);
        for (double xi : x) out << xi << ',';
        out << y << '\n';
      }
    }
  }
  const SobolIndices s = estimate_sobol_indices(values.data(), m, d, {.replicates = 0});

  const std::string command = std::string(VORN_REFERENCE_PYTHON) + " " + VORN_OPENTURNS_SCRIPT +
                              " " + path.string() + " " + std::to_string(m);
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr) << command;
  std::string text;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
  ASSERT_EQ(pclose(pipe), 0) << command << "\n" << text;
  std::filesystem::remove(path);
  std::istringstream lines(text);
  std::string first_line, total_line;
  std::getline(lines, first_line);
  std::getline(lines, total_line);
  const auto first = numbers(first_line), total = numbers(total_line);
  ASSERT_EQ(first.size(), d) << text;
  ASSERT_EQ(total.size(), d) << text;
  // The same estimators with the same divisors on the same numbers: they agree to rounding,
  // well inside the 1e-3 a reference check asks for.
  for (std::size_t i = 0; i < d; ++i) {
    EXPECT_NEAR(s.groups[i].first, first[i], 1e-12) << i;
    EXPECT_NEAR(s.groups[i].total, total[i], 1e-12) << i;
  }
  // The important input is told apart from the unimportant ones.
  EXPECT_GT(s.groups[0].first, 0.5);
  EXPECT_LT(s.groups[3].total, 0.05);
}

}  // namespace
}  // namespace vorn::numerics
