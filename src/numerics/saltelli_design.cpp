#include "numerics/saltelli_design.hpp"

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <string>
#include <utility>

namespace vorn::numerics {
namespace {

// The number of groups, once every group 0..p-1 is known to have a column.
std::size_t count_groups(const std::vector<std::size_t>& group_of_column) {
  if (group_of_column.empty()) throw std::invalid_argument("a design needs at least one column");
  const std::size_t p = *std::max_element(group_of_column.begin(), group_of_column.end()) + 1;
  std::vector<bool> seen(p, false);
  for (std::size_t g : group_of_column) seen[g] = true;
  if (std::find(seen.begin(), seen.end(), false) != seen.end())
    throw std::invalid_argument("a design's groups are numbered 0..p-1, each with a column");
  return p;
}

std::size_t checked_rows(std::size_t base_rows) {
  if (base_rows < 2 || (base_rows & (base_rows - 1)) != 0)
    throw std::invalid_argument("a design's base rows are a power of two, at least 2; not " +
                                std::to_string(base_rows));
  return base_rows;
}

}  // namespace

SaltelliDesign::SaltelliDesign(std::uint64_t seed, std::size_t base_rows,
                               std::vector<std::size_t> group_of_column)
    : base_rows_(checked_rows(base_rows)),
      group_of_column_(std::move(group_of_column)),
      groups_(count_groups(group_of_column_)),
      sobol_(seed, 2 * group_of_column_.size()),
      scratch_(2 * group_of_column_.size()) {}

SaltelliDesign SaltelliDesign::per_column(std::uint64_t seed, std::size_t base_rows,
                                          std::size_t columns) {
  std::vector<std::size_t> groups(columns);
  std::iota(groups.begin(), groups.end(), std::size_t{0});
  return SaltelliDesign(seed, base_rows, std::move(groups));
}

const double* SaltelliDesign::sobol_point(std::uint64_t row) {
  if (row < 1 || row > base_rows_) throw std::out_of_range("a base row is outside 1..M");
  sobol_.point(row, scratch_.data());
  return scratch_.data();
}

void SaltelliDesign::base_row(std::uint64_t row, double* a, double* b) {
  const double* u = sobol_point(row);
  std::copy_n(u, columns(), a);
  std::copy_n(u + columns(), columns(), b);
}

void SaltelliDesign::mixed_row(std::size_t group, const double* a, const double* b,
                               double* out) const {
  for (std::size_t c = 0; c < columns(); ++c) out[c] = group_of_column_[c] == group ? b[c] : a[c];
}

void SaltelliDesign::point(std::size_t block, std::uint64_t row, double* out) {
  if (block >= groups_ + 2) throw std::out_of_range("a design has blocks 0..p+1");
  const double* u = sobol_point(row);
  if (block < 2) {
    std::copy_n(u + block * columns(), columns(), out);
  } else {
    mixed_row(block - 2, u, u + columns(), out);
  }
}

}  // namespace vorn::numerics
