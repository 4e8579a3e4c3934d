// The one fmin/fmax of the engine: glibc's x86-64 results bit for bit, zeros and NaNs
// included, so that every platform picks the same operand.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "core/bit_cast.hpp"
#include "core/fmin_fmax.hpp"

namespace vorn::test {
namespace {

std::uint64_t bits(double v) {
  return bit_cast<std::uint64_t>(v);
}

double from_bits(std::uint64_t b) {
  return bit_cast<double>(b);
}

const double kQuiet = from_bits(0x7ff8'0000'0000'0000ULL);
const double kNegativeQuiet = from_bits(0xfff8'0000'0000'0000ULL);
const double kQuietPayload = from_bits(0x7ff8'0000'0000'0001ULL);
const double kSignalling = from_bits(0x7ff0'0000'0000'0001ULL);

TEST(FminFmax, ZerosGiveTheSecondOperand) {
  EXPECT_EQ(bits(vorn::fmin(-0.0, 0.0)), bits(0.0));
  EXPECT_EQ(bits(vorn::fmin(0.0, -0.0)), bits(-0.0));
  EXPECT_EQ(bits(vorn::fmax(-0.0, 0.0)), bits(0.0));
  EXPECT_EQ(bits(vorn::fmax(0.0, -0.0)), bits(-0.0));
}

TEST(FminFmax, AQuietNanIsIgnoredAndTwoGiveTheFirst) {
  EXPECT_EQ(vorn::fmin(kQuiet, 2.0), 2.0);
  EXPECT_EQ(vorn::fmin(2.0, kQuiet), 2.0);
  EXPECT_EQ(vorn::fmax(kQuiet, -3.0), -3.0);
  EXPECT_EQ(vorn::fmax(-3.0, kQuiet), -3.0);
  EXPECT_EQ(bits(vorn::fmin(kNegativeQuiet, kQuietPayload)), bits(kNegativeQuiet));
  EXPECT_EQ(bits(vorn::fmax(kQuietPayload, kNegativeQuiet)), bits(kQuietPayload));
  // A signalling NaN is never ignored: it comes back quieted.
  EXPECT_EQ(bits(vorn::fmin(1.0, kSignalling)), 0x7ff8'0000'0000'0001ULL);
  EXPECT_EQ(bits(vorn::fmax(kSignalling, 1.0)), 0x7ff8'0000'0000'0001ULL);
}

#if defined(__x86_64__) && defined(__GLIBC__)
// The C library's own functions, called through pointers so no compiler built-in stands in.
double (*volatile c_fmin)(double, double) = ::fmin;
double (*volatile c_fmax)(double, double) = ::fmax;

TEST(FminFmax, SameBitsAsTheCLibraryOnRandomOperands) {
  std::mt19937_64 gen(42);
  const double specials[] = {0.0,           -0.0,        kQuiet,   kNegativeQuiet,
                             kQuietPayload, kSignalling, INFINITY, -INFINITY,
                             1.0,           -1.0};
  int failures = 0;
  for (int i = 0; i < 200'000 && failures < 10; ++i) {
    // Mostly ordinary values, often equal or special ones.
    auto pick = [&]() {
      const auto r = gen() % 4;
      return r == 0 ? specials[gen() % std::size(specials)] : from_bits(gen());
    };
    const double x = pick();
    const double y = gen() % 8 == 0 ? x : pick();
    if (bits(vorn::fmin(x, y)) != bits(c_fmin(x, y)) ||
        bits(vorn::fmax(x, y)) != bits(c_fmax(x, y))) {
      ADD_FAILURE() << std::hex << "operands " << bits(x) << ", " << bits(y) << ": fmin "
                    << bits(vorn::fmin(x, y)) << " vs " << bits(c_fmin(x, y)) << ", fmax "
                    << bits(vorn::fmax(x, y)) << " vs " << bits(c_fmax(x, y));
      ++failures;
    }
  }
}
#endif

}  // namespace
}  // namespace vorn::test
