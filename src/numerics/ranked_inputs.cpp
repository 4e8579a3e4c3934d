#include "numerics/ranked_inputs.hpp"
#include "core/bit_cast.hpp"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

namespace vorn::numerics {
namespace {

// A float's bits made to sort as unsigned integers in the float's order.
std::uint32_t sort_key(float x) {
  const auto bits = bit_cast<std::uint32_t>(x);
  return (bits & 0x80000000u) ? ~bits : bits | 0x80000000u;
}

}  // namespace

void sort_rows(const float* values, std::size_t n, std::size_t stride, std::uint32_t* order) {
  constexpr unsigned kBits = 8, kBuckets = 1u << kBits;  // four passes over 32 bits
  std::vector<std::uint32_t> keys(n), spare_keys(n), spare_order(n);
  for (std::size_t i = 0; i < n; ++i) {
    keys[i] = sort_key(values[i * stride]);
    order[i] = static_cast<std::uint32_t>(i);
  }
  std::uint32_t *key = keys.data(), *row = order;
  std::uint32_t *key_to = spare_keys.data(), *row_to = spare_order.data();
  for (unsigned shift = 0; shift < 32; shift += kBits) {
    std::array<std::size_t, kBuckets + 1> start{};
    for (std::size_t i = 0; i < n; ++i) ++start[((key[i] >> shift) & (kBuckets - 1)) + 1];
    // A digit all keys share moves nothing.
    if (std::find(start.begin(), start.end(), n) != start.end()) continue;
    for (unsigned b = 0; b < kBuckets; ++b) start[b + 1] += start[b];
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t to = start[(key[i] >> shift) & (kBuckets - 1)]++;
      key_to[to] = key[i];
      row_to[to] = row[i];
    }
    std::swap(key, key_to);
    std::swap(row, row_to);
  }
  if (row != order) std::copy(row, row + n, order);
}

RankedInputs::RankedInputs(const float* inputs, std::size_t n, std::size_t k)
    : rows_(n), columns_(k) {
  if (n > 0xFFFFFFFFu) throw std::length_error("ranked inputs take fewer than 2^32 rows");
  values_.resize(n * k);
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t c = 0; c < k; ++c) values_[c * n + i] = inputs[i * k + c];
  order_.resize(n * k);
  for (std::size_t c = 0; c < k; ++c) sort_rows(column(c), n, 1, order_.data() + c * n);
}

}  // namespace vorn::numerics
