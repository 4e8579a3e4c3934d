#include "numerics/random_stream.hpp"

#include "numerics/philox.hpp"

namespace vorn::numerics {

std::array<std::uint32_t, 4> philox_block(std::uint64_t seed, std::uint64_t c0, std::uint32_t c1,
                                          std::uint32_t c2) {
  return philox4x32_10(
      {static_cast<std::uint32_t>(c0), static_cast<std::uint32_t>(c0 >> 32), c1, c2},
      {static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32)});
}

double unit_open(std::uint64_t bits) {
  constexpr double kUlp = 1.0 / 9007199254740992.0;  // 2^-53
  const std::uint64_t k = bits >> 11;
  // Above 2^52 the half is not representable and rounding to even would reach 1 at the
  // top: drop it there instead.
  const double x =
      k < (std::uint64_t{1} << 52) ? static_cast<double>(k) + 0.5 : static_cast<double>(k);
  return x * kUlp;
}

double uniform(std::uint64_t seed, std::uint64_t realization, std::uint32_t parameter) {
  auto block = philox_block(seed, realization, parameter, kUniformDraw);
  return unit_open((static_cast<std::uint64_t>(block[1]) << 32) | block[0]);
}

}  // namespace vorn::numerics
