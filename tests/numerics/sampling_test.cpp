// Uniform streams, Latin hypercube strata and shifted Sobol points.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <set>
#include <stdexcept>
#include <vector>

#include "numerics/latin_hypercube.hpp"
#include "numerics/random_stream.hpp"
#include "numerics/sobol_points.hpp"

namespace vorn::numerics {
namespace {

constexpr std::uint64_t kSeed = 0x9e3779b97f4a7c15ull;

TEST(RandomStream, TheExtremeBitPatternsStayInsideTheOpenInterval) {
  EXPECT_EQ(unit_open(0), 0x1p-54);
  EXPECT_EQ(unit_open(~std::uint64_t{0}), 1 - 0x1p-53);
  EXPECT_EQ(unit_open(std::uint64_t{1} << 63), 0.5);
  EXPECT_EQ(unit_open((std::uint64_t{1} << 63) - 1), 0.5 - 0x1p-54);
}

TEST(RandomStream, UniformsAreAPureFunctionOfSeedRealizationAndParameter) {
  std::vector<double> forward;
  for (std::uint64_t r = 1; r <= 20000; ++r) {
    const double u = uniform(kSeed, r, static_cast<std::uint32_t>(r % 7));
    ASSERT_GT(u, 0.0);
    ASSERT_LT(u, 1.0);
    forward.push_back(u);
  }
  for (std::uint64_t r = 20000; r >= 1; --r) {
    ASSERT_EQ(uniform(kSeed, r, static_cast<std::uint32_t>(r % 7)), forward[r - 1]);
  }
  // Every coordinate counts, all 64 bits of seed and realization included.
  const double u = uniform(kSeed, 3, 5);
  EXPECT_NE(u, uniform(kSeed, 5, 3));
  EXPECT_NE(u, uniform(kSeed ^ (std::uint64_t{1} << 40), 3, 5));
  EXPECT_NE(u, uniform(kSeed, 3 + (std::uint64_t{1} << 32), 5));
  EXPECT_NE(u, uniform(kSeed, 3, 5 + (1u << 20)));
}

TEST(LatinHypercube, EveryStratumIsHitExactlyOnce) {
  for (std::uint64_t n : {1ull, 2ull, 7ull, 1000ull, 4097ull}) {
    std::vector<std::vector<std::uint64_t>> strata(2);
    const std::uint32_t parameters[2] = {0, 11};
    for (int k = 0; k < 2; ++k) {
      std::vector<int> hits(n, 0);
      for (std::uint64_t r = 1; r <= n; ++r) {
        const std::uint64_t s = lhs_stratum(kSeed, n, r, parameters[k]);
        ASSERT_LT(s, n);
        ++hits[s];
        strata[k].push_back(s);
        const double u = lhs_uniform(kSeed, n, r, parameters[k]);
        ASSERT_GT(u, 0.0);
        ASSERT_LT(u, 1.0);
        ASSERT_GE(u * n, static_cast<double>(s)) << n << " " << r;
        ASSERT_LE(u * n, static_cast<double>(s + 1)) << n << " " << r;
        ASSERT_EQ(u, lhs_uniform(kSeed, n, r, parameters[k]));
      }
      EXPECT_TRUE(std::all_of(hits.begin(), hits.end(), [](int h) { return h == 1; })) << n;
    }
    // Parameters are permuted independently, not in lockstep.
    if (n >= 7) {
      EXPECT_NE(strata[0], strata[1]) << n;
    }
  }
  EXPECT_THROW(lhs_stratum(kSeed, 10, 0, 0), std::out_of_range);
  EXPECT_THROW(lhs_stratum(kSeed, 10, 11, 0), std::out_of_range);
}

TEST(LatinHypercube, SeedsGiveDifferentPermutations) {
  std::vector<std::uint64_t> a, b;
  for (std::uint64_t r = 1; r <= 100; ++r) {
    a.push_back(lhs_stratum(kSeed, 100, r, 3));
    b.push_back(lhs_stratum(kSeed + 1, 100, r, 3));
  }
  EXPECT_NE(a, b);
  std::vector<std::uint64_t> identity(100);
  std::iota(identity.begin(), identity.end(), 0);
  EXPECT_NE(a, identity);
}

// Points 0..2^m-1 of the first two Sobol dimensions are a (0, m, 2)-net: each box of
// 2^-a by 2^-(m-a) holds exactly one, for every a. A digital shift permutes the boxes.
// Realizations 1..2^m are those points, so every box and every slab 2^-m wide of each
// dimension holds one realization, and any 2^k of the first realizations stratify as
// well. (Starting at point 1 left the zero point's box empty and doubled another.)
TEST(SobolPoints, TheFirstPowerOfTwoRealizationsFormANet) {
  constexpr int m = 10, dims = 6;
  constexpr std::uint64_t n = 1u << m;
  SobolPoints sobol(kSeed, dims);
  std::vector<std::array<double, dims>> points(n);
  for (std::uint64_t r = 1; r <= n; ++r) {
    sobol.point(r, points[r - 1].data());
    for (double x : points[r - 1]) {
      ASSERT_GT(x, 0.0);
      ASSERT_LT(x, 1.0);
    }
  }
  for (int a = 0; a <= m; ++a) {
    std::vector<int> boxes(n, 0);
    for (const auto& p : points) {
      const auto i = static_cast<std::size_t>(p[0] * (1 << a));
      const auto j = static_cast<std::size_t>(p[1] * (1 << (m - a)));
      ++boxes[i * (std::size_t{1} << (m - a)) + j];
    }
    EXPECT_EQ(std::count(boxes.begin(), boxes.end(), 1), static_cast<long>(n)) << a;
  }
  for (int d = 0; d < dims; ++d) {
    for (int k = 1; k <= m; ++k) {
      const std::uint64_t count = std::uint64_t{1} << k;
      std::vector<int> slabs(count, 0);
      for (std::uint64_t r = 0; r < count; ++r)
        ++slabs[static_cast<std::size_t>(points[r][d] * static_cast<double>(count))];
      EXPECT_EQ(std::count(slabs.begin(), slabs.end(), 1), static_cast<long>(count))
          << "dimension " << d << ", first 2^" << k;
    }
  }
  // Point 0 is the shift: the same corner in no two dimensions.
  EXPECT_NE(points[0][0], points[0][1]);
}

TEST(SobolPoints, RandomAccessMatchesTheSequence) {
  constexpr std::size_t dims = 40;
  SobolPoints sequential(kSeed, dims);
  std::vector<std::vector<double>> points(3001, std::vector<double>(dims));
  for (std::uint64_t r = 1; r <= 3000; ++r) sequential.point(r, points[r].data());
  SobolPoints jumping(kSeed, dims);
  std::vector<double> p(dims);
  for (std::uint64_t r :
       {2999ull, 1ull, 2ull, 1ull, 1024ull, 1025ull, 1023ull, 1023ull, 7ull, 3000ull}) {
    jumping.point(r, p.data());
    EXPECT_EQ(p, points[r]) << r;
  }
  // Dimensions carry different shifts, seeds different ones again.
  EXPECT_NE(points[1][0], points[1][1]);
  SobolPoints other(kSeed + 1, dims);
  other.point(1, p.data());
  EXPECT_NE(p, points[1]);
}

TEST(SobolPoints, DimensionsBeyondTheDirectionTableAreRefused) {
  EXPECT_NO_THROW(SobolPoints(kSeed, SobolPoints::kMaxDimensions));
  EXPECT_THROW(SobolPoints(kSeed, SobolPoints::kMaxDimensions + 1), std::invalid_argument);
  EXPECT_THROW(SobolPoints(kSeed, 0), std::invalid_argument);
}

}  // namespace
}  // namespace vorn::numerics
