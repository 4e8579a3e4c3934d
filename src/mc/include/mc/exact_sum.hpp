#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vorn::mc {

// The exact sum of any number of doubles, kept as one fixed-point integer in units of
// 2^-1074 (the smallest subnormal), so every finite double adds without rounding. The
// state is a function of the multiset of values alone: no order of adds or merges
// changes a bit of it. value() rounds the exact sum once, to nearest even.
//
// 2^64 values of the largest magnitude still fit (34 words, 272 bytes). NaN, +inf and
// -inf are counted apart and decide value() when present.
class ExactSum {
 public:
  void add(double x);
  void merge(const ExactSum& other);

  // The exact sum correctly rounded; +-inf past the double range; NaN after a NaN or
  // after both infinities.
  double value() const;

  std::uint64_t nan_count() const { return nan_; }
  std::uint64_t pos_inf_count() const { return pos_inf_; }
  std::uint64_t neg_inf_count() const { return neg_inf_; }

  // The sum as [-]0x<hex>p<exp> (the exact value, hex integer times 2^exp), followed by
  // ";nan=N", ";inf=N", ";-inf=N" for the counts that are not zero. parse() reads it
  // back and throws std::invalid_argument on anything else.
  std::string to_string() const;
  static ExactSum parse(std::string_view text);

  bool operator==(const ExactSum&) const = default;

 private:
  static constexpr int kWords = 34;  // 2098 bits of range + 64 of headroom, two's complement
  void add_shifted(std::uint64_t mantissa, int shift, bool negative);
  bool negative() const { return words_[kWords - 1] >> 63; }

  std::array<std::uint64_t, kWords> words_{};  // little-endian
  std::uint64_t nan_ = 0, pos_inf_ = 0, neg_inf_ = 0;
};

}  // namespace vorn::mc
