// The input columns of a Monte Carlo sample, each sorted once, so that the rank
// correlations of many outputs with them cost no sort of an input again, whichever rows
// each output leaves out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorn::numerics {

class RankedInputs {
 public:
  // n rows of k values, row i at inputs + i * k. Keeps a copy by columns and each
  // column's sorted order: 8 bytes a value. Throws std::length_error at 2^32 rows.
  RankedInputs(const float* inputs, std::size_t n, std::size_t k);

  std::size_t rows() const { return rows_; }
  std::size_t columns() const { return columns_; }
  const float* column(std::size_t c) const { return values_.data() + c * rows_; }
  // Column c's rows in ascending order of value (NaN rows at either end).
  const std::uint32_t* order(std::size_t c) const { return order_.data() + c * rows_; }

 private:
  std::size_t rows_, columns_;
  std::vector<float> values_;
  std::vector<std::uint32_t> order_;
};

// Rows 0..n-1 in ascending order of values[i * stride]: a stable radix sort on the
// floats' bits, in which -0 comes just before +0 and NaN sorts beyond the infinities.
void sort_rows(const float* values, std::size_t n, std::size_t stride, std::uint32_t* order);

}  // namespace vorn::numerics
