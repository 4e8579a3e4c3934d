// The smaller and the larger of two doubles as the C library of the reference platform
// (glibc on x86-64) gives them, bit for bit on every platform: fmin(x, y) is x < y ? x : y,
// so fmin(-0, +0) is +0 and fmin(+0, -0) is -0; a quiet NaN operand is ignored. Another C
// library may order the zeros otherwise or return another NaN, and the results would differ.
//
// NaNs: one quiet NaN gives the other operand; a signalling NaN, or two NaNs, give the
// first NaN of x, y, quieted (what the SSE addition glibc falls back on returns).
#pragma once

#include <cstdint>

#include "core/bit_cast.hpp"

namespace vorn {
namespace detail {

constexpr std::uint64_t kQuietBit = 0x0008'0000'0000'0000ULL;

inline bool signalling(double nan) {
  return (bit_cast<std::uint64_t>(nan) & kQuietBit) == 0;
}

inline double quieted(double nan) {
  return bit_cast<double>(bit_cast<std::uint64_t>(nan) | kQuietBit);
}

// Either operand is a NaN.
inline double unordered_result(double x, double y) {
  if (x != x && y != y) return quieted(x);
  if (x != x) return signalling(x) ? quieted(x) : y;
  return signalling(y) ? quieted(y) : x;
}

}  // namespace detail

inline double fmin(double x, double y) {
  if (x < y) return x;
  if (y <= x) return y;  // equal (zeros of either sign included): the second
  return detail::unordered_result(x, y);
}

inline double fmax(double x, double y) {
  if (x > y) return x;
  if (y >= x) return y;
  return detail::unordered_result(x, y);
}

}  // namespace vorn
