// Philox4x32-10 (Salmon, Moraes, Dror and Shaw, "Parallel random numbers: as easy as 1, 2,
// 3", SC 2011): a counter-based generator whose block of four 32-bit words is a pure
// function of the counter and the key. Header-only and plain C++, so it builds on every
// target, WebAssembly included.
#pragma once

#include <array>
#include <cstdint>

namespace vorn::numerics {

using PhiloxCounter = std::array<std::uint32_t, 4>;
using PhiloxKey = std::array<std::uint32_t, 2>;

namespace philox_detail {

inline constexpr std::uint32_t kMultiplier0 = 0xD2511F53u;
inline constexpr std::uint32_t kMultiplier1 = 0xCD9E8D57u;
inline constexpr std::uint32_t kWeyl0 = 0x9E3779B9u;  // the golden ratio's fraction
inline constexpr std::uint32_t kWeyl1 = 0xBB67AE85u;  // sqrt(3) - 1

constexpr PhiloxCounter round(const PhiloxCounter& c, const PhiloxKey& k) {
  const std::uint64_t p0 = std::uint64_t{kMultiplier0} * c[0];
  const std::uint64_t p1 = std::uint64_t{kMultiplier1} * c[2];
  const auto hi0 = static_cast<std::uint32_t>(p0 >> 32);
  const auto lo0 = static_cast<std::uint32_t>(p0);
  const auto hi1 = static_cast<std::uint32_t>(p1 >> 32);
  const auto lo1 = static_cast<std::uint32_t>(p1);
  return {hi1 ^ c[1] ^ k[0], lo1, hi0 ^ c[3] ^ k[1], lo0};
}

}  // namespace philox_detail

// The block of `counter` under `key`: ten rounds, the key bumped by the Weyl constants
// between them.
constexpr PhiloxCounter philox4x32_10(PhiloxCounter counter, PhiloxKey key) {
  for (int r = 0; r < 10; ++r) {
    if (r > 0) {
      key[0] += philox_detail::kWeyl0;
      key[1] += philox_detail::kWeyl1;
    }
    counter = philox_detail::round(counter, key);
  }
  return counter;
}

}  // namespace vorn::numerics
