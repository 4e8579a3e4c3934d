#include "numerics/exact_sum.hpp"

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace vorn::numerics {

namespace {

constexpr int kBias = 1074;  // the state counts units of 2^-1074
constexpr std::uint64_t kDigitMask = 0xffffffff;
using Words = std::array<std::uint64_t, 34>;

void negate(Words& w) {
  std::uint64_t carry = 1;
  for (auto& word : w) {
    word = ~word + carry;
    carry = carry && word == 0;
  }
}

bool bit_at(const Words& w, int pos) {
  return (w[pos / 64] >> (pos % 64)) & 1;
}

int top_bit(const Words& w) {
  for (int i = static_cast<int>(w.size()) - 1; i >= 0; --i) {
    if (w[i]) return i * 64 + 63 - std::countl_zero(w[i]);
  }
  return -1;
}

int low_bit(const Words& w) {
  for (int i = 0; i < static_cast<int>(w.size()); ++i) {
    if (w[i]) return i * 64 + std::countr_zero(w[i]);
  }
  return -1;
}

// w shifted right (count > 0) or left (count < 0) by |count| bits.
Words shifted(const Words& w, int count) {
  Words out{};
  const int n = static_cast<int>(w.size());
  const int q = std::abs(count) / 64, r = std::abs(count) % 64;
  auto at = [&](int i) { return i >= 0 && i < n ? w[i] : std::uint64_t{0}; };
  for (int i = 0; i < n; ++i) {
    if (count >= 0) {
      out[i] = (at(i + q) >> r) | (r ? at(i + q + 1) << (64 - r) : 0);
    } else {
      out[i] = (at(i - q) << r) | (r ? at(i - q - 1) >> (64 - r) : 0);
    }
  }
  return out;
}

[[noreturn]] void bad(std::string_view text) {
  throw std::invalid_argument("not an exact sum: \"" + std::string(text) + "\"");
}

std::uint64_t parse_count(std::string_view& rest, std::string_view key, std::string_view text) {
  if (rest.substr(0, key.size()) != key) return 0;
  rest.remove_prefix(key.size());
  std::uint64_t n = 0;
  auto res = std::from_chars(rest.data(), rest.data() + rest.size(), n);
  if (res.ec != std::errc() || n == 0) bad(text);
  rest.remove_prefix(static_cast<std::size_t>(res.ptr - rest.data()));
  return n;
}

}  // namespace

void ExactSum::add_non_finite(double x) {
  if (std::isnan(x))
    ++nan_;
  else
    ++(x > 0 ? pos_inf_ : neg_inf_);
}

void ExactSum::carry() {
  std::int64_t c = 0;
  for (int i = 0; i < kDigits - 1; ++i) {
    const std::int64_t v = digits_[i] + c;
    digits_[i] = v & static_cast<std::int64_t>(kDigitMask);
    c = v >> 32;  // floor: the digit left is never negative
  }
  digits_[kDigits - 1] += c;
  adds_ = 0;
}

ExactSum::Words ExactSum::words() const {
  ExactSum c = *this;
  c.carry();
  Words w{};
  for (int j = 0; j < kWords; ++j) {
    w[j] = static_cast<std::uint64_t>(c.digits_[2 * j]) |
           static_cast<std::uint64_t>(c.digits_[2 * j + 1]) << 32;
  }
  return w;
}

ExactSum ExactSum::from_words(const Words& w) {
  ExactSum s;
  for (int j = 0; j < kWords; ++j) {
    s.digits_[2 * j] = static_cast<std::int64_t>(w[j] & kDigitMask);
    s.digits_[2 * j + 1] = static_cast<std::int64_t>(w[j] >> 32);
  }
  // The top digit carries the sign.
  s.digits_[kDigits - 1] = static_cast<std::int32_t>(w[kWords - 1] >> 32);
  return s;
}

bool ExactSum::operator==(const ExactSum& other) const {
  return nan_ == other.nan_ && pos_inf_ == other.pos_inf_ && neg_inf_ == other.neg_inf_ &&
         words() == other.words();
}

void ExactSum::merge(const ExactSum& other) {
  // Digits below 2^49 in magnitude on both sides: their sums cannot overflow.
  for (int i = 0; i < kDigits; ++i) digits_[i] += other.digits_[i];
  carry();
  nan_ += other.nan_;
  pos_inf_ += other.pos_inf_;
  neg_inf_ += other.neg_inf_;
}

namespace {

// |mag| 2^(scale - kBias) rounded to nearest, ties to even; `kept` gets the rounded value
// in the same units, so that mag - kept is what the rounding left.
double round_magnitude(const Words& mag, int scale, Words& kept) {
  kept = Words{};
  const int top = top_bit(mag);
  if (top < 0) return 0.0;
  // Bit `pos` is worth 2^(pos - kBias + scale); the last bit a double holds is the larger
  // of the 53rd from the top and the smallest subnormal's, at pos = kBias - 1074 - scale.
  const int last = std::max(top - 52, kBias - 1074 - scale);
  if (last <= 0) {
    kept = mag;
    return std::ldexp(static_cast<double>(mag[0]), scale - kBias);  // exact, maybe subnormal
  }
  std::uint64_t m = 0;
  for (int pos = top; pos >= last; --pos) m = (m << 1) | bit_at(mag, pos);
  const int round = last - 1;
  bool sticky = false;
  for (int i = 0; i < round / 64 && !sticky; ++i) sticky = mag[i] != 0;
  sticky = sticky || (mag[round / 64] & ((std::uint64_t{1} << (round % 64)) - 1)) != 0;
  if (bit_at(mag, round) && (sticky || (m & 1))) ++m;  // 2^53 at most: still exact
  kept[0] = m;
  kept = shifted(kept, -last);
  return std::ldexp(static_cast<double>(m), last - kBias + scale);  // inf past the range
}

bool less(const Words& a, const Words& b) {
  for (int i = static_cast<int>(a.size()) - 1; i >= 0; --i)
    if (a[i] != b[i]) return a[i] < b[i];
  return false;
}

Words minus_words(const Words& a, const Words& b) {
  Words out{};
  std::uint64_t borrow = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const std::uint64_t d = a[i] - b[i] - borrow;
    borrow = (a[i] < b[i]) || (a[i] - b[i] < borrow);
    out[i] = d;
  }
  return out;
}

}  // namespace

std::array<double, 3> ExactSum::split(int scale) const {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  if (nan_ || (pos_inf_ && neg_inf_)) return {std::numeric_limits<double>::quiet_NaN(), 0, 0};
  if (pos_inf_) return {kInf, 0, 0};
  if (neg_inf_) return {-kInf, 0, 0};
  Words mag = words();
  bool minus = mag[kWords - 1] >> 63;
  if (minus) negate(mag);
  std::array<double, 3> parts{};
  for (double& part : parts) {
    Words kept;
    const double rounded = round_magnitude(mag, scale, kept);
    part = minus ? -rounded : rounded;
    if (!std::isfinite(rounded)) break;
    // What the rounding left, of either sign.
    const bool over = less(mag, kept);
    mag = over ? minus_words(kept, mag) : minus_words(mag, kept);
    minus = minus != over;
  }
  return parts;
}

double ExactSum::value() const {
  return split()[0];
}

std::string ExactSum::to_string() const {
  Words mag = words();
  const bool minus = mag[kWords - 1] >> 63;
  if (minus) negate(mag);
  std::string out = minus ? "-0x" : "0x";
  const int low = low_bit(mag);
  if (low < 0) {
    out += "0p0";
  } else {
    const Words digits = shifted(mag, low);
    const char* hex = "0123456789abcdef";
    bool started = false;
    for (int nibble = kWords * 16 - 1; nibble >= 0; --nibble) {
      const unsigned d = (digits[nibble / 16] >> (4 * (nibble % 16))) & 0xf;
      started = started || d != 0;
      if (started) out += hex[d];
    }
    out += "p" + std::to_string(low - kBias);
  }
  if (nan_) out += ";nan=" + std::to_string(nan_);
  if (pos_inf_) out += ";inf=" + std::to_string(pos_inf_);
  if (neg_inf_) out += ";-inf=" + std::to_string(neg_inf_);
  return out;
}

ExactSum ExactSum::parse(std::string_view text) {
  std::string_view rest = text;
  const bool minus = !rest.empty() && rest.front() == '-';
  if (minus) rest.remove_prefix(1);
  if (rest.substr(0, 2) != "0x") bad(text);
  rest.remove_prefix(2);
  Words mag{};
  int bits = 0;  // significant bits read so far
  std::size_t n = 0;
  for (; n < rest.size() && std::isxdigit(static_cast<unsigned char>(rest[n])); ++n) {
    const char c = rest[n];
    const unsigned d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    if (bits > 0 || d) bits += 4;
    if (bits > kWords * 64 - 8) bad(text);
    mag = shifted(mag, -4);
    mag[0] |= d;
  }
  if (n == 0) bad(text);
  rest.remove_prefix(n);
  if (rest.empty() || rest.front() != 'p') bad(text);
  rest.remove_prefix(1);
  int exponent = 0;
  auto res = std::from_chars(rest.data(), rest.data() + rest.size(), exponent);
  if (res.ec != std::errc()) bad(text);
  rest.remove_prefix(static_cast<std::size_t>(res.ptr - rest.data()));
  const int shift = exponent + kBias;
  const int top = top_bit(mag);
  if (top >= 0 && (shift < 0 || top + shift > kWords * 64 - 2)) bad(text);
  Words value = top >= 0 ? shifted(mag, -shift) : mag;
  if (minus) negate(value);
  ExactSum sum = from_words(value);
  sum.nan_ = parse_count(rest, ";nan=", text);
  sum.pos_inf_ = parse_count(rest, ";inf=", text);
  sum.neg_inf_ = parse_count(rest, ";-inf=", text);
  if (!rest.empty()) bad(text);
  return sum;
}

}  // namespace vorn::numerics
