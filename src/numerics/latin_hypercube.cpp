#include "numerics/latin_hypercube.hpp"

#include "core/fmin_fmax.hpp"

#include <bit>
#include <cmath>
#include <stdexcept>

#include "numerics/random_stream.hpp"

namespace vorn::numerics {

namespace {

constexpr std::uint32_t kRounds = 4;  // Luby-Rackoff: four rounds make a strong permutation

// One pass of a balanced Feistel network on 2 * half_bits bits: a bijection of
// 0..2^(2 half_bits) - 1 whatever the round function.
std::uint64_t feistel(std::uint64_t x, unsigned half_bits, std::uint64_t seed,
                      std::uint32_t parameter) {
  const std::uint64_t mask = (std::uint64_t{1} << half_bits) - 1;
  std::uint64_t left = x >> half_bits;
  std::uint64_t right = x & mask;
  for (std::uint32_t round = 0; round < kRounds; ++round) {
    auto block = philox_block(seed, right, parameter, kFeistelTag | round);
    const std::uint64_t f = ((static_cast<std::uint64_t>(block[1]) << 32) | block[0]) & mask;
    const std::uint64_t next = left ^ f;
    left = right;
    right = next;
  }
  return (left << half_bits) | right;
}

}  // namespace

std::uint64_t lhs_stratum(std::uint64_t seed, std::uint64_t n, std::uint64_t realization,
                          std::uint32_t parameter) {
  if (realization < 1 || realization > n) {
    throw std::out_of_range("realization is outside 1..N");
  }
  if (n == 1) return 0;
  // Smallest domain 2^(2h) >= n, so the walk below takes fewer than four steps on average.
  const unsigned bits = static_cast<unsigned>(std::bit_width(n - 1));
  const unsigned half_bits = (bits + 1) / 2;
  // Cycle walking: the orbit of a value below n returns below n, so the restriction is a
  // permutation of 0..n-1.
  std::uint64_t x = realization - 1;
  do {
    x = feistel(x, half_bits, seed, parameter);
  } while (x >= n);
  return x;
}

double lhs_uniform(std::uint64_t seed, std::uint64_t n, std::uint64_t realization,
                   std::uint32_t parameter) {
  const std::uint64_t stratum = lhs_stratum(seed, n, realization, parameter);
  const double u = uniform(seed, realization, parameter);
  const double x = (static_cast<double>(stratum) + u) / static_cast<double>(n);
  // stratum + u rounds up to n in the top stratum once n exceeds 2^52 or so.
  return vorn::fmin(x, std::nextafter(1.0, 0.0));
}

}  // namespace vorn::numerics
