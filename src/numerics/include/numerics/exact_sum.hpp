#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/bit_cast.hpp"

namespace vorn::numerics {

// The exact sum of any number of doubles, kept as one fixed-point integer in units of
// 2^-1074 (the smallest subnormal), so every finite double adds without rounding. The
// state is a function of the multiset of values alone: no order of adds or merges
// changes a bit of it. value() rounds the exact sum once, to nearest even.
//
// 2^64 values of the largest magnitude still fit (2,176 bits). NaN, +inf and -inf are
// counted apart and decide value() when present.
//
// The integer is held as 68 digits of 32 bits in signed 64-bit words whose carries are
// passed on only now and then: an add touches three words and carries nothing, so it
// costs a few instructions whatever the magnitudes.
class ExactSum {
 public:
  void add(double x);
  void merge(const ExactSum& other);

  // The exact sum correctly rounded; +-inf past the double range; NaN after a NaN or
  // after both infinities.
  double value() const;
  // The exact sum times 2^scale as three doubles, each the correct rounding of what the
  // ones before it leave (0 after a value that is not finite): the first is value() at
  // 2^scale, the three together hold about 160 bits. Scaling keeps a sum past the double
  // range within it.
  std::array<double, 3> split(int scale = 0) const;

  std::uint64_t nan_count() const { return nan_; }
  std::uint64_t pos_inf_count() const { return pos_inf_; }
  std::uint64_t neg_inf_count() const { return neg_inf_; }

  // The sum as [-]0x<hex>p<exp> (the exact value, hex integer times 2^exp), followed by
  // ";nan=N", ";inf=N", ";-inf=N" for the counts that are not zero. parse() reads it
  // back and throws std::invalid_argument on anything else.
  std::string to_string() const;
  static ExactSum parse(std::string_view text);

  // Equal sums of values: the same exact sum and counts, however the carries stand.
  bool operator==(const ExactSum& other) const;

 private:
  static constexpr int kWords = 34;           // the integer in two's complement, 64 bits a word
  static constexpr int kDigits = 2 * kWords;  // 32 bits a digit
  // Adds between two carry passes: a digit word stays below 2^32 (2^16 + 1) in magnitude.
  static constexpr std::uint32_t kAddsPerCarry = 1u << 16;
  using Words = std::array<std::uint64_t, kWords>;

  // Passes every carry on: digits 0..kDigits-2 in [0, 2^32), the top one signed.
  void carry();
  Words words() const;  // the integer, little-endian
  static ExactSum from_words(const Words& w);
  void add_non_finite(double x);

  std::array<std::int64_t, kDigits> digits_{};  // little-endian
  std::uint32_t adds_ = 0;                      // since the last carry pass
  std::uint64_t nan_ = 0, pos_inf_ = 0, neg_inf_ = 0;
};

inline void ExactSum::add(double x) {
  const auto bits = bit_cast<std::uint64_t>(x);
  const auto exponent = static_cast<int>((bits >> 52) & 0x7ff);
  if (exponent == 0x7ff) return add_non_finite(x);
  // Normal: m 2^(e - 1075) = m 2^(e - 1) units; subnormal (and zero): m units.
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (exponent != 0) mantissa |= std::uint64_t{1} << 52;
  const int shift = exponent != 0 ? exponent - 1 : 0;
  const int at = shift / 32, bit = shift % 32;
  // m 2^bit in three digits (the shifts stay below 64 for every bit), negated for a
  // negative x.
  constexpr std::uint64_t kDigit = 0xffffffff;
  const auto minus = -static_cast<std::int64_t>(bits >> 63);
  const auto low = static_cast<std::int64_t>((mantissa << bit) & kDigit);
  const auto middle = static_cast<std::int64_t>((mantissa >> (32 - bit)) & kDigit);
  const auto high = static_cast<std::int64_t>((mantissa >> 32) >> (32 - bit));
  digits_[at] += (low ^ minus) - minus;
  digits_[at + 1] += (middle ^ minus) - minus;
  digits_[at + 2] += (high ^ minus) - minus;
  if (++adds_ == kAddsPerCarry) carry();
}

}  // namespace vorn::numerics
