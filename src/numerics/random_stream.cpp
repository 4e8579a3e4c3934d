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

void bootstrap_rows(std::uint64_t seed, std::uint64_t replicate, std::size_t n,
                    std::uint32_t* rows) {
  for (std::size_t t = 0; t < n; t += 4) {
    const auto words =
        philox_block(seed, replicate, static_cast<std::uint32_t>(t / 4), kBootstrapTag);
    // The high half of a 32 x 32-bit product picks one of n rows.
    for (std::size_t h = 0; h < 4 && t + h < n; ++h)
      rows[t + h] = static_cast<std::uint32_t>((std::uint64_t{words[h]} * n) >> 32);
  }
}

}  // namespace vorn::numerics
