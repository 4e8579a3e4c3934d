// The percentile sketch's buckets: those of the library logarithm, to the bit.
#include "mc/quantile_sketch.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

namespace vorn::mc {
namespace {

constexpr double kAlpha = QuantileSketch::kRelativeAccuracy;

std::int32_t library_bucket(double magnitude) {
  const double log_gamma = std::log1p(kAlpha) - std::log1p(-kAlpha);
  return static_cast<std::int32_t>(std::ceil(std::log(magnitude) / log_gamma));
}

TEST(QuantileSketch, BucketsAreThoseOfTheLibraryLogarithm) {
  // Any finite positive double, subnormals included.
  std::mt19937_64 gen(20261208);
  std::uniform_int_distribution<std::uint64_t> any(1, std::bit_cast<std::uint64_t>(1.7e308));
  for (int k = 0; k < 1000000; ++k) {
    const double m = std::bit_cast<double>(any(gen));
    ASSERT_EQ(QuantileSketch::bucket(m), library_bucket(m)) << m;
  }
  // Around every bucket edge gamma^i: the doubles next to it, where an ulp of the
  // logarithm decides, and those a few 1e-10 away, where the sketch's own logarithm does.
  const double log_gamma = std::log1p(kAlpha) - std::log1p(-kAlpha);
  for (int i = -372000; i <= 354800; ++i) {
    const double edge = std::exp(i * log_gamma);
    if (!(edge > 0) || !std::isfinite(edge)) continue;
    double down = edge, up = edge;
    for (int step = 0; step < 3; ++step) {
      ASSERT_EQ(QuantileSketch::bucket(down), library_bucket(down)) << down;
      ASSERT_EQ(QuantileSketch::bucket(up), library_bucket(up)) << up;
      down = std::nextafter(down, 0.0);
      up = std::nextafter(up, 2 * up);
    }
    for (double f : {1 - 3e-10, 1 - 1e-9, 1 + 3e-10, 1 + 1e-9}) {
      const double m = edge * f;
      if (m > 0 && std::isfinite(m)) {
        ASSERT_EQ(QuantileSketch::bucket(m), library_bucket(m)) << m;
      }
    }
  }
}

}  // namespace
}  // namespace vorn::mc
