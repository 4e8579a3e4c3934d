// The sampling design of variance-based sensitivity indices. Base matrices A and B of M
// rows come from one 2d-dimensional Sobol sequence, digitally shifted as the Monte Carlo
// runs' Sobol points are: row j of A is the first d coordinates of point j, row j of B
// the last d. For each group i of columns, A_B^i is A with group i's columns taken from
// B. A function evaluated on the M (p + 2) points, laid out [A; B; A_B^1 ... A_B^p],
// gives its indices through estimate_sobol_indices().
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "numerics/sobol_points.hpp"

namespace vorn::numerics {

class SaltelliDesign {
 public:
  // group_of_column[c] is the group (0..p-1) of column c; every group needs a column (an
  // input drawn per chemical is one group of several columns). M is a power of two, at
  // least 2, so that A and B are balanced nets; 2d is at most SobolPoints'
  // kMaxDimensions. Throws std::invalid_argument otherwise.
  SaltelliDesign(std::uint64_t seed, std::size_t base_rows,
                 std::vector<std::size_t> group_of_column);
  // One group per column.
  static SaltelliDesign per_column(std::uint64_t seed, std::size_t base_rows, std::size_t columns);

  std::size_t base_rows() const { return base_rows_; }             // M
  std::size_t columns() const { return group_of_column_.size(); }  // d
  std::size_t groups() const { return groups_; }                   // p
  std::size_t evaluations() const { return base_rows_ * (groups_ + 2); }

  // Rows of A and B for base row j, numbered 1..M: d uniforms each, strictly inside (0,
  // 1). Consecutive rows are cheapest (see SobolPoints).
  void base_row(std::uint64_t row, double* a, double* b);
  // Row j of A_B^group from rows j of A and B.
  void mixed_row(std::size_t group, const double* a, const double* b, double* out) const;
  // The point of base row j in block `block`: 0 A, 1 B, 2 + i A_B^i; it is evaluation
  // block * M + j - 1 of the layout.
  void point(std::size_t block, std::uint64_t row, double* out);

 private:
  // Sobol point j: A's row, then B's.
  const double* sobol_point(std::uint64_t row);

  std::size_t base_rows_;
  std::vector<std::size_t> group_of_column_;
  std::size_t groups_ = 0;
  numerics::SobolPoints sobol_;
  std::vector<double> scratch_;
};

}  // namespace vorn::numerics
