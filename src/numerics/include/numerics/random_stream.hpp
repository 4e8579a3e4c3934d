#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vorn::numerics {

// Counter-based random numbers: Philox4x32-10 keyed by the run's seed. A draw is a pure
// function of its coordinates, so any realization can be computed on any thread or shard
// without replaying the ones before it.

// The four 32-bit words of block (c0, c1, c2) under key seed: counter words are
// (low c0, high c0, c1, c2).
std::array<std::uint32_t, 4> philox_block(std::uint64_t seed, std::uint64_t c0, std::uint32_t c1,
                                          std::uint32_t c2);

// Maps 64 random bits to (k + 1/2) * 2^-53, k the top 53 bits, the half rounded toward
// zero where a double cannot hold it (k >= 2^52). Result in [2^-54, 1 - 2^-53]: strictly
// inside (0, 1).
double unit_open(std::uint64_t bits);

// The uniform of parameter `parameter` in realization `realization` (numbered 1..N).
// Strictly inside (0, 1); depends on (seed, realization, parameter) alone.
double uniform(std::uint64_t seed, std::uint64_t realization, std::uint32_t parameter);

// Bootstrap replicate `replicate` of n rows (n < 2^32): n row numbers in 0..n-1 drawn with
// replacement from Philox(seed, replicate), four a block.
void bootstrap_rows(std::uint64_t seed, std::uint64_t replicate, std::size_t n,
                    std::uint32_t* rows);

// The last counter word separates the users of one key: uniforms use draw 0, the
// other units tags from the top of the range.
inline constexpr std::uint32_t kUniformDraw = 0;
inline constexpr std::uint32_t kFeistelTag = 0xF0000000u;
inline constexpr std::uint32_t kSobolShiftTag = 0xF1000000u;
inline constexpr std::uint32_t kBootstrapTag = 0xF2000000u;  // resampling rows of a design

}  // namespace vorn::numerics
